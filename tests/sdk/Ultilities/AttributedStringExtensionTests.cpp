#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>

#include <CoreText/UIFont.h>

#include <gtest/gtest.h>

namespace kerbelin {
namespace {

TEST(AttributedStringExtension, HtmlOfTheBodyWrapperReadsWithItsFontSize) {
  auto text = htmlToAttributedString(convertHtml("Giảm <b>20%</b> cho thẻ", 13));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->string(), "Giảm 20% cho thẻ");
  const auto font = text->attributes(0).at(ios::NSAttributedStringKey::font).font();
  EXPECT_EQ(font->pointSize(), 13);
  EXPECT_TRUE(text->attributes(6).at(ios::NSAttributedStringKey::font).font()->isBold());
}

TEST(AttributedStringExtension, SemiBoldReplacesEveryFontAndReturnsTheSameText) {
  auto text = htmlToAttributedString("<p style=\"font-size: 20px\">Một</p><i>hai</i>");
  ASSERT_TRUE(text);
  auto& same = semiBold(*text);
  EXPECT_EQ(&same, text.get());
  for (std::size_t i = 0; i < text->length(); ++i) {
    const auto font = text->attributes(i).at(ios::NSAttributedStringKey::font).font();
    EXPECT_EQ(font->pointSize(), 15);
    EXPECT_TRUE(font->isBold());
  }
}

TEST(AttributedStringExtension, HostileHtmlIsReadAsTextOnly) {
  auto text = htmlToAttributedString("<script>alert(1)</script><img src=\"http://127.0.0.1:9/x.png\">ok");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->string().find("alert"), std::string::npos);
  EXPECT_NE(text->string().find("ok"), std::string::npos);
}

}  // namespace
}  // namespace kerbelin
