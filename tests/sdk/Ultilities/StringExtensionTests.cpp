#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>

#include <CoreText/UIFont.h>

#include <gtest/gtest.h>

namespace kerbelin {
namespace {

TEST(StringLengthTest, CountsUserPerceivedCharacters) {
  EXPECT_EQ(length(""), 0u);
  EXPECT_EQ(length("FFF"), 3u);
  EXPECT_EQ(length("Việt"), 4u);                  // precomposed ệ
  EXPECT_EQ(length("Vie\u0323\u0302t"), 4u);      // e with two combining marks
  EXPECT_EQ(length("\U0001F1FB\U0001F1F3"), 1u);  // one flag from two regional indicators
  EXPECT_EQ(length("\U0001F468\u200D\U0001F469\u200D\U0001F467"), 1u);  // a ZWJ family
  EXPECT_EQ(length("\r\n"), 1u);
}

TEST(StringContainsTest, IsACaseAndAccentSensitiveSubstringTest) {
  EXPECT_TRUE(containsString("https://facebook.com/halvet", "http"));
  EXPECT_TRUE(containsString("http", "http"));
  EXPECT_FALSE(containsString("facebook.com/halvet", "http"));
  EXPECT_FALSE(containsString("HTTP://x", "http"));
  EXPECT_FALSE(containsString("Viet", "Việt"));
  EXPECT_FALSE(containsString("abc", ""));
  EXPECT_FALSE(containsString("", "a"));
}

// The size is written as a float prints; markup and quotes are left unescaped.
TEST(ConvertHtmlTest, WrapsTheTextInAStyledBody) {
  const std::string prefix = "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : ";
  const struct {
    std::string text;
    float size;
    std::string html;
  } cases[] = {
      {"<p>Ưu đãi</p>", 13, prefix + "13.0\"><p>Ưu đãi</p></body>"},
      {"", 16.5f, prefix + "16.5\"></body>"},
      {"", 0.1f, prefix + "0.1\"></body>"},
      {"a \"b\" & <i>c</i>", 15, prefix + "15.0\">a \"b\" & <i>c</i></body>"},
  };
  for (const auto& c : cases) EXPECT_EQ(convertHtml(c.text, c.size), c.html);
}

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
