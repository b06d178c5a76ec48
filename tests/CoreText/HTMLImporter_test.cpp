#include <CoreText/HTMLImporter.h>

#include <gtest/gtest.h>

#include <string>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

// What the toolkit's `convertHtml(fontSize:)` writes around server text.
std::string wrapped(std::string_view body, std::string_view size = "15.0") {
  return "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : " + std::string(size) +
         "\">" + std::string(body) + "</body>";
}

std::shared_ptr<const UIFont> fontAt(const NSAttributedString& text, std::size_t i) {
  auto value = text.attribute(Key::font, i);
  return value ? value->font() : nullptr;
}

std::optional<CGColor> colourAt(const NSAttributedString& text, std::size_t i) {
  auto value = text.attribute(Key::foregroundColor, i);
  return value ? value->color() : std::nullopt;
}

std::size_t find16(const NSAttributedString& text, std::string_view needle) {
  auto at = text.string().find(needle);
  EXPECT_NE(at, std::string::npos) << needle;
  return utf16Length(std::string_view(text.string()).substr(0, at));
}

TEST(HTMLImporter, BodyWrapperSetsTheFontSizeUnitlessOrInPixels) {
  auto fifteen = htmlToAttributedString(wrapped("Hạn mức đã cấp"));
  ASSERT_NE(fifteen, nullptr);
  EXPECT_EQ(fifteen->string(), "Hạn mức đã cấp");  // plain text passes through, no newline added
  ASSERT_EQ(fifteen->runs().size(), 1u);
  EXPECT_EQ(*fontAt(*fifteen, 0), *UIFont::systemFont(15));
  EXPECT_EQ(colourAt(*fifteen, 0), CGColor::rgb(0, 0, 0, 1));

  auto sixteen = htmlToAttributedString(wrapped("Hạn mức", "16px"));
  EXPECT_EQ(fontAt(*sixteen, 0)->pointSize(), 16);
  EXPECT_EQ(fontAt(*htmlToAttributedString(wrapped("x", "13.0")), 0)->pointSize(), 13);
}

TEST(HTMLImporter, WithoutStylesTheDefaultIsTwelvePointsOrTheBaseFont) {
  EXPECT_EQ(*fontAt(*htmlToAttributedString("plain"), 0), *UIFont::systemFont(12));
  EXPECT_EQ(*fontAt(*htmlToAttributedString("plain", UIFont::systemFont(17)), 0), *UIFont::systemFont(17));
}

TEST(HTMLImporter, EmptyBodyGivesEmptyTextNotNull) {
  auto empty = htmlToAttributedString(wrapped(""));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->length(), 0u);
  ASSERT_NE(htmlToAttributedString(""), nullptr);
}

TEST(HTMLImporter, InlineFormattingGivesRuns) {
  auto text = htmlToAttributedString(wrapped(
      "a <b>bold</b> <i>it</i> <u>u</u> <s>old</s> <del>d</del> <strong>s</strong> <em>e</em> "
      "<span style=\"color: #FF5722\">orange</span> <span style='color:rgb(77, 175, 80)'>green</span> "
      "<span style=\"font-weight: 600; font-style: italic; font-size: 20px\">big</span>"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->string(), "a bold it u old d s e orange green big");
  EXPECT_TRUE(fontAt(*text, find16(*text, "bold"))->isBold());
  EXPECT_FALSE(fontAt(*text, 0)->isBold());
  EXPECT_TRUE(fontAt(*text, find16(*text, "it"))->isItalic());
  EXPECT_TRUE(fontAt(*text, find16(*text, "s e"))->isBold());
  EXPECT_TRUE(fontAt(*text, find16(*text, "e or"))->isItalic());
  EXPECT_EQ(text->attribute(Key::underlineStyle, find16(*text, "u "))->number(), 1);
  EXPECT_EQ(text->attribute(Key::strikethroughStyle, find16(*text, " old") + 1)->number(), 1);
  EXPECT_EQ(text->attribute(Key::strikethroughStyle, find16(*text, "d s"))->number(), 1);
  EXPECT_FALSE(text->attribute(Key::strikethroughStyle, find16(*text, " s e")).has_value());
  EXPECT_EQ(colourAt(*text, find16(*text, "orange")), CGColor::rgb(1, 87 / 255.0, 34 / 255.0, 1));
  EXPECT_EQ(colourAt(*text, find16(*text, "green")), CGColor::rgb(77 / 255.0, 175 / 255.0, 80 / 255.0, 1));
  auto big = fontAt(*text, find16(*text, "big"));
  EXPECT_EQ(big->pointSize(), 20);
  EXPECT_EQ(big->weight(), UIFontWeight::semibold);
  EXPECT_TRUE(big->isItalic());
  // The space between two styled runs belongs to the text before it, and all runs are 15 pt.
  for (const auto& run : text->runs()) {
    auto font = run.attributes.at(Key::font).font();
    if (font->pointSize() != 20) {
      EXPECT_EQ(font->pointSize(), 15);
    }
  }
}

TEST(HTMLImporter, CSSValuesInTheirUsualForms) {
  auto text = htmlToAttributedString(
      wrapped("<span style='color:#FFF'>a</span><span style='color: rgba(255, 0, 0, 0.5)'>b</span>"
              "<span style='color: Navy !important'>c</span><span style='color: nonsense'>d</span>"
              "<span style='font-size: 2em'>e</span><span style='font-size: 50%'>f</span>"
              "<span style='font-size: 12pt'>g</span><span style='font-size: -3px'>h</span>"
              "<font color=\"red\">i</font><span style='font-weight: bold; font-weight: normal'>j</span>"
              "<span style='background-color: #4DAF50; text-decoration: underline line-through'>k</span>",
              "10px"));
  ASSERT_EQ(text->string(), "abcdefghijk");
  EXPECT_EQ(colourAt(*text, 0), CGColor::rgb(1, 1, 1, 1));
  EXPECT_EQ(colourAt(*text, 1), CGColor::rgb(1, 0, 0, 0.5));
  EXPECT_EQ(colourAt(*text, 2), CGColor::rgb(0, 0, 128 / 255.0, 1));
  EXPECT_EQ(colourAt(*text, 3), CGColor::rgb(0, 0, 0, 1));  // unreadable: inherited black
  EXPECT_EQ(fontAt(*text, 4)->pointSize(), 20);
  EXPECT_EQ(fontAt(*text, 5)->pointSize(), 5);
  EXPECT_NEAR(fontAt(*text, 6)->pointSize(), 16, 1e-9);  // 12pt = 16px = 16 points
  EXPECT_EQ(fontAt(*text, 7)->pointSize(), 10);          // negative sizes are ignored
  EXPECT_EQ(colourAt(*text, 8), CGColor::rgb(1, 0, 0, 1));
  EXPECT_FALSE(fontAt(*text, 9)->isBold());  // the later declaration wins
  EXPECT_EQ(text->attribute(Key::backgroundColor, 10)->color(),
            CGColor::rgb(77 / 255.0, 175 / 255.0, 80 / 255.0, 1));
  EXPECT_EQ(text->attribute(Key::underlineStyle, 10)->number(), 1);
  EXPECT_EQ(text->attribute(Key::strikethroughStyle, 10)->number(), 1);
}

TEST(HTMLImporter, BlocksListsEntitiesAndWhitespaceGiveTheTextOfTheMarkup) {
  struct Case {
    const char* markup;
    const char* text;
  };
  const Case cases[] = {
      {"<p>một</p><p>hai</p>", "một\nhai\n"},
      {"a<br>b<br />c", "a\nb\nc"},
      {"trước<div><p>giữa</p></div>sau", "trước\ngiữa\nsau"},
      {"<p></p><div></div>x", "x"},
      {"<p>a<br></p>", "a\n"},
      {"<p>a<br><br></p>b", "a\n\nb"},
      {"<ul><li>Một</li><li>Hai</li></ul>", "\t•\tMột\n\t•\tHai\n"},
      {"<ol><li>a</li><li>b</li></ol>", "\t1.\ta\n\t2.\tb\n"},
      {"<ol start=\"4\"><li>a</li></ol>", "\t4.\ta\n"},
      {"<ul><li>a<ul><li>b</li></ul></li><li>c</li></ul>", "\t•\ta\n\t\t◦\tb\n\t•\tc\n"},
      {"Trước<ul><li>x</li></ul>sau", "Trước\n\t•\tx\nsau"},
      // Blocks and spaces inside an item stay beside the marker; an empty item still ends its line.
      {"<ul><li><p>Một</p></li><li>  Hai </li><li></li><li>Ba</li></ul>",
       "\t•\tMột\n\t•\tHai\n\t•\t\n\t•\tBa\n"},
      {"&amp; &lt;b&gt; &#7879; &#x1F600; &quot;&nbsp;x", "& <b> ệ 😀 \"\u00A0x"},
      {"  a \n\t  b  ", "a b"},
      {"<b>a </b> <i> b</i>", "a b"},
      {"<p>  x  </p>  <p> y </p>", "x\ny\n"},
      {"a<br>   b", "a\nb"},
      {"<pre>  a\n  b</pre>", "  a\n  b\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.markup);
    EXPECT_EQ(htmlToAttributedString(c.markup)->string(), c.text);
  }
  // The form the toolkit reads after `addBr`.
  EXPECT_EQ(htmlToAttributedString(wrapped("Điều khoản<br />"))->string(), "Điều khoản\n");
}

TEST(HTMLImporter, HeadingsAreBoldAndScaled) {
  auto text = htmlToAttributedString(wrapped("<h1>Tiêu đề</h1>nội dung", "10px"));
  EXPECT_EQ(text->string(), "Tiêu đề\nnội dung");
  EXPECT_EQ(*fontAt(*text, 0), *UIFont::boldSystemFont(20));
  EXPECT_EQ(*fontAt(*text, find16(*text, "nội")), *UIFont::systemFont(10));
}

TEST(HTMLImporter, LinksCarryTheirAddressColourAndUnderline) {
  auto text = htmlToAttributedString("xem <a href=\"https://example.invalid/dieu-khoan\">điều khoản</a>");
  std::size_t at = find16(*text, "điều");
  EXPECT_EQ(text->attribute(Key::link, at)->text(), "https://example.invalid/dieu-khoan");
  EXPECT_EQ(colourAt(*text, at), CGColor::rgb(0, 0, 238 / 255.0, 1));
  EXPECT_EQ(text->attribute(Key::underlineStyle, at)->number(), 1);
  EXPECT_FALSE(text->attribute(Key::link, 0).has_value());
  EXPECT_FALSE(htmlToAttributedString("<a name=x>y</a>")->attribute(Key::link, 0).has_value());
}

TEST(HTMLImporter, TextAlignGivesAParagraphStyle) {
  auto text = htmlToAttributedString("<p style=\"text-align: right\">phải</p>");
  EXPECT_EQ(text->attribute(Key::paragraphStyle, 0)->paragraphStyle()->alignment, NSTextAlignment::right);
}

TEST(HTMLImporter, HostileMarkupFetchesNothingAndRunsNothing) {
  // No network or file code exists on this path; what is checked is that such elements leave no
  // text of theirs behind and nothing crashes.
  auto text =
      htmlToAttributedString(wrapped("a<img src=\"http://127.0.0.1:1/track.png\" width=20 height=10>b"
                                     "<script>document.write('evil')</script>"
                                     "<link rel=stylesheet href=\"http://127.0.0.1:1/x.css\">"
                                     "<style>body { color: red }</style>"
                                     "<iframe src=\"file:///etc/passwd\">frame</iframe>"
                                     "<object data=\"x.swf\">obj</object><svg><text>svg</text></svg>"
                                     "<noscript>ns</noscript><template>tpl</template>c"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->string(),
            "a\xEF\xBF\xBC"
            "bc");
  auto attachment = text->attribute(Key::attachment, 1)->attachment();
  ASSERT_NE(attachment, nullptr);
  EXPECT_EQ(attachment->image, nullptr);
  EXPECT_EQ(attachment->bounds.size, (CGSize{20, 10}));
  EXPECT_EQ(colourAt(*text, 0), CGColor::rgb(0, 0, 0, 1));  // the <style> element changed nothing
}

TEST(HTMLImporter, DeepNestingAndHugeInputDoNotCrash) {
  // 100,000 open elements: bounded nesting keeps this fast (the parser is quadratic in depth).
  std::string deep;
  for (int i = 0; i < 50000; ++i) deep += "<div><b title='<x>'>";
  deep += "đáy";
  auto nested = htmlToAttributedString(deep);
  ASSERT_NE(nested, nullptr);
  EXPECT_EQ(nested->string(), "đáy\n");
  auto boldAtTheBottom = htmlToAttributedString("<div><b>" + deep + "</b></div>");
  EXPECT_TRUE(fontAt(*boldAtTheBottom, 0)->isBold());

  std::string huge;
  while (huge.size() < (1u << 20)) huge += "<b>x</b><i>y</i> ";
  auto big = htmlToAttributedString(huge);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->string().substr(0, 8), "xy xy xy");
  EXPECT_GT(big->length(), 100000u);
}

TEST(HTMLImporter, UnreadableInputGivesNull) {
  EXPECT_EQ(htmlToAttributedString(std::string("<b>\xC3</b>", 8)), nullptr);
  EXPECT_EQ(attributedStringFromHTMLData(Data(std::string("\xFF\xFE"
                                                          "a",
                                                          3))),
            nullptr);  // odd length
  EXPECT_EQ(attributedStringFromHTMLData(Data(std::string("\xFF\xFE\x00\xD8"
                                                          "a\x00",
                                                          6))),
            nullptr);  // lone surrogate
  auto fromData = attributedStringFromHTMLData(unicodeData(wrapped("<b>Thẻ</b> 😀")));
  ASSERT_NE(fromData, nullptr);
  EXPECT_EQ(fromData->string(), "Thẻ 😀");
  EXPECT_TRUE(fontAt(*fromData, 0)->isBold());
  EXPECT_EQ(fontAt(*fromData, 0)->pointSize(), 15);
}

}  // namespace
}  // namespace ios

namespace ios {
namespace {

// Markup read again gives the same text as before, as a text of its own: what one caller does to
// its copy never reaches the next, and the base font still counts.
TEST(HTMLImporter, MarkupReadAgainGivesAFreshEqualText) {
  const std::string markup = wrapped("Giảm <b>15.000 đ</b> cho đơn mang đi.");
  auto first = htmlToAttributedString(markup);
  const auto original = NSAttributedString::create(*first);
  first->addAttribute(Key::foregroundColor, CGColor::rgb(1, 0, 0, 1), NSRange{0, first->length()});
  first->replaceCharacters(NSRange{0, 4}, "Tặng");
  auto second = htmlToAttributedString(markup);
  EXPECT_NE(second, first);
  EXPECT_TRUE(second->isEqual(*original));

  EXPECT_EQ(*fontAt(*htmlToAttributedString("thẻ"), 0), *UIFont::systemFont(12));
  EXPECT_EQ(*fontAt(*htmlToAttributedString("thẻ", UIFont::systemFont(17)), 0), *UIFont::systemFont(17));
  EXPECT_EQ(*fontAt(*htmlToAttributedString("thẻ", UIFont::boldSystemFont(17)), 0), *UIFont::boldSystemFont(17));

  // Each reading of an image has an attachment of its own to fill in.
  const std::string image = "<img width=\"20\" height=\"10\">";
  auto attachmentOf = [](const NSAttributedString& text) { return text.attribute(Key::attachment, 0)->attachment(); };
  EXPECT_NE(attachmentOf(*htmlToAttributedString(image)), attachmentOf(*htmlToAttributedString(image)));
}

}  // namespace
}  // namespace ios
