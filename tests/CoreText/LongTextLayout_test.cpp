#include <CoreText/NSMutableParagraphStyle.h>
#include <CoreText/TextLayout.h>
#include <CoreText/TextLayoutImpl.h>
#include <CoreText/TextRendering.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

// `length` UTF-16 units of a pattern repeated: letters with no break, words, or short paragraphs.
std::string repeated(std::string_view pattern, std::size_t units) {
  std::string text;
  const std::size_t each = utf16Length(pattern);
  for (std::size_t n = 0; n + each <= units; n += each) text += pattern;
  text.append(units % each, 'x');
  return text;
}

struct LongText {
  const char* name;
  std::string pattern;
};

const LongText kTexts[] = {
    {"unbroken", "abcdefghijklmnopqrstuvwxyz"},
    {"words", "Thẻ quà tặng "},
    {"shortParagraphs", "Mã 12\n"},
    {"wordThenUnbroken", "Ưu đãi " + std::string(300, 'q')},
};

std::shared_ptr<NSAttributedString> styled(const std::string& text, CGFloat indent = 0) {
  auto result = NSMutableAttributedString::create(text, {{Key::font, UIFont::systemFont(15)}});
  auto style = NSMutableParagraphStyle::create();
  style->firstLineHeadIndent = indent;
  result->addAttribute(Key::paragraphStyle, style, NSRange{0, result->length()});
  return result;
}

// The layout drawn at scale 1 on white, as ARGB bytes.
std::vector<unsigned char> pixels(const TextLayout& layout) {
  const int width = 360, height = static_cast<int>(layout.size().height) + 4;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  drawTextLayout(layout, cr, CGPoint{2, 2});
  cairo_surface_flush(surface);
  const auto* data = cairo_image_surface_get_data(surface);
  std::vector<unsigned char> bytes(data, data + cairo_image_surface_get_stride(surface) * height);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return bytes;
}

// The same lines at the same places, drawn the same; `openEnded` lets the last line's range run to
// each text's own end (an ellipsized tail stands for all of the rest).
void expectSameLines(const TextLayout& a, const TextLayout& b, bool openEnded, const std::string& what) {
  ASSERT_EQ(a.lineCount(), b.lineCount()) << what;
  for (std::size_t i = 0; i < a.lineCount(); ++i) {
    const LineFragment &x = a.lineFragments()[i], &y = b.lineFragments()[i];
    EXPECT_EQ(x.rect, y.rect) << what << " line " << i;
    EXPECT_EQ(x.usedRect, y.usedRect) << what << " line " << i;
    EXPECT_EQ(x.baseline, y.baseline) << what << " line " << i;
    EXPECT_EQ(x.characterRange.location, y.characterRange.location) << what << " line " << i;
    if (!openEnded || i + 1 < a.lineCount()) {
      EXPECT_EQ(x.characterRange.length, y.characterRange.length) << what << " line " << i;
    }
  }
  EXPECT_TRUE(pixels(a) == pixels(b)) << what << ": drawn differently";
}

std::size_t unitsLaidOut(const TextLayout& layout) {
  std::size_t units = 0;
  for (const auto& piece : layout.impl().pieces) units += piece.unitToByte.size() - 1;
  return units;
}

TEST(LongTextLayout, ALimitedLabelShowsTheSameLinesAndEllipsisForAMillionLettersAsForItsFirst2000) {
  const NSLineBreakMode modes[] = {NSLineBreakMode::byTruncatingTail, NSLineBreakMode::byClipping,
                                   NSLineBreakMode::byWordWrapping, NSLineBreakMode::byCharWrapping};
  for (const auto& text : kTexts) {
    auto million = styled(repeated(text.pattern, 1'000'000));
    auto first2000 = million->attributedSubstring(NSRange{0, 2000});
    for (NSLineBreakMode mode : modes) {
      const TextLayoutOptions options{.width = 343, .numberOfLines = 2, .lineBreakMode = mode};
      TextLayout big(million, options), small(first2000, options);
      const std::string what = std::string(text.name) + " mode " + std::to_string(static_cast<int>(mode));
      expectSameLines(big, small, mode == NSLineBreakMode::byTruncatingTail, what);
      EXPECT_TRUE(big.isTruncated()) << what;
      EXPECT_LT(unitsLaidOut(big), 4096u) << what;
    }
  }
}

TEST(LongTextLayout, ALimitedLabelLaysOutNoMoreThanItsLinesCanShow) {
  for (const auto& text : kTexts) {
    for (std::size_t lines : {1u, 2u, 5u}) {
      TextLayout layout(
          styled(repeated(text.pattern, 20'000)),
          {.width = 200, .numberOfLines = lines, .lineBreakMode = NSLineBreakMode::byTruncatingTail});
      EXPECT_EQ(layout.lineCount(), lines) << text.name;
      EXPECT_LT(unitsLaidOut(layout), 4096u) << text.name << " in " << lines << " lines";
    }
  }
}

// The reference is the same text laid out in one piece, as a text ending in a right-to-left
// paragraph still is: paragraphs are laid out one by one, so the lines before it are the lines the
// text alone would have.
TEST(LongTextLayout, ALongTextHasTheLinesItWouldHaveLaidOutInOnePiece) {
  const CGFloat widths[] = {343, 90};
  for (const auto& text : kTexts) {
    const std::string body = repeated(text.pattern, 3000);
    for (CGFloat indent : {0.0, 12.0}) {
      for (CGFloat width : widths) {
        const std::string what =
            std::string(text.name) + " at " + std::to_string(width) + " indent " + std::to_string(indent);
        TextLayout windowed(styled(body, indent), {.width = width});
        TextLayout reference(styled(body + "\n\u05D0", indent), {.width = width});
        ASSERT_EQ(windowed.lineCount() + 1, reference.lineCount()) << what;
        ASSERT_GT(windowed.impl().pieces.size(), 1u) << what << ": not laid out in windows";
        for (std::size_t i = 0; i < windowed.lineCount(); ++i) {
          const LineFragment &x = windowed.lineFragments()[i], &y = reference.lineFragments()[i];
          ASSERT_EQ(x.usedRect, y.usedRect) << what << " line " << i;
          ASSERT_EQ(x.baseline, y.baseline) << what << " line " << i;
          ASSERT_EQ(x.characterRange.location, y.characterRange.location) << what << " line " << i;
          // The reference's last line here also holds the newline before the added paragraph.
          if (i + 1 < windowed.lineCount()) {
            ASSERT_EQ(x.characterRange, y.characterRange) << what << " line " << i;
          }
        }
      }
    }
  }
}

// Without a line limit, text that breaks at its spaces is laid out about once, in a few Pango
// layouts as one piece would be, and not in a layout per few lines, each laying out its last again.
TEST(LongTextLayout, AnUnlimitedTextThatBreaksAtSpacesIsLaidOutAboutOnce) {
  struct Case {
    const char* name;
    std::string pattern;
    CGFloat width, indent;
  };
  const Case cases[] = {
      {"words", "Thẻ quà tặng ", 343, 0},
      {"words, narrow", "Thẻ quà tặng ", 90, 0},
      {"words, indented", "Thẻ quà tặng ", 343, 12},
      {"short paragraphs", "Mã 12\n", 343, 0},
  };
  for (const auto& c : cases) {
    TextLayout layout(styled(repeated(c.pattern, 6'000), c.indent), {.width = c.width});
    EXPECT_LT(unitsLaidOut(layout), 6'000u * 51 / 50) << c.name;
    EXPECT_LE(layout.impl().pieces.size(), 3u) << c.name << ": a Pango layout per few lines";
  }
}

}  // namespace
}  // namespace ios
