#include <CoreText/TextRendering.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

// A white ARGB32 canvas at scale 1.
class Canvas {
 public:
  Canvas(int width, int height)
      : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
        cr_(cairo_create(surface_)) {
    cairo_set_source_rgb(cr_, 1, 1, 1);
    cairo_paint(cr_);
  }
  ~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  cairo_t* cr() { return cr_; }

  struct Pixel {
    int r, g, b;
  };
  Pixel at(int x, int y) {
    cairo_surface_flush(surface_);
    auto* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    std::uint32_t p = reinterpret_cast<std::uint32_t*>(row)[x];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
  }
  // Pixels in the rectangle that are clearly the given primary colour.
  int count(CGRect r, bool (*match)(Pixel)) {
    int n = 0;
    for (int y = static_cast<int>(r.minY()); y < static_cast<int>(r.maxY()); ++y)
      for (int x = static_cast<int>(r.minX()); x < static_cast<int>(r.maxX()); ++x)
        n += match(at(x, y)) ? 1 : 0;
    return n;
  }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

bool reddish(Canvas::Pixel p) {
  return p.r > 150 && p.g < 100 && p.b < 100;
}
bool bluish(Canvas::Pixel p) {
  return p.b > 150 && p.r < 100 && p.g < 100;
}
bool dark(Canvas::Pixel p) {
  return p.r < 80 && p.g < 80 && p.b < 80;
}

TEST(TextRendering, GlyphsAreDrawnInTheirColoursAtTheOrigin) {
  auto text = NSMutableAttributedString::create("Mua Thẻ", {{Key::font, UIFont::boldSystemFont(20)}});
  text->addAttribute(Key::foregroundColor, CGColor::rgb(1, 0, 0), NSRange{0, 3});
  TextLayout layout(text, {.defaultColor = CGColor::rgb(0, 0, 1)});
  Canvas canvas(200, 60);
  drawTextLayout(layout, canvas.cr(), CGPoint{10, 20});
  CGRect box = layout.usedRect().offsetBy(10, 20);
  CGRect firstWord = layout.characterRect(0).unionWith(layout.characterRect(2));
  CGRect lastWord = layout.characterRect(4).unionWith(layout.characterRect(6));
  EXPECT_GT(canvas.count(firstWord.offsetBy(10, 20), reddish), 20);
  EXPECT_EQ(canvas.count(firstWord.offsetBy(10, 20), bluish), 0);
  EXPECT_GT(canvas.count(lastWord.offsetBy(10, 20), bluish), 20);  // no colour attribute: the default
  // Nothing outside the used rectangle.
  EXPECT_EQ(canvas.count(CGRect(0, 0, 200, box.minY() - 1), dark) +
                canvas.count(CGRect(0, 0, 200, box.minY() - 1), bluish),
            0);
  EXPECT_EQ(canvas.count(CGRect(box.maxX() + 1, 0, 200 - box.maxX() - 1, 60), bluish), 0);
}

int redPixelsOfStruckPrice(NSUnderlineStyle style, int* widestRow = nullptr, double* textWidth = nullptr) {
  auto text = NSMutableAttributedString::create("100.000đ", {{Key::font, UIFont::systemFont(14)}});
  text->addAttribute(Key::strikethroughStyle, style, NSRange{0, text->length()});
  text->addAttribute(Key::strikethroughColor, CGColor::rgb(1, 0, 0), NSRange{0, text->length()});
  TextLayout layout(text, {});
  Canvas canvas(120, 30);
  drawTextLayout(layout, canvas.cr(), CGPoint{0, 0});
  if (widestRow) {
    for (int y = 0; y < 30; ++y)
      *widestRow = std::max(*widestRow, canvas.count(CGRect(0, y, 120, 1), reddish));
  }
  if (textWidth) *textWidth = layout.size().width;
  return canvas.count(CGRect(0, 0, 120, 30), reddish);
}

TEST(TextRendering, StrikethroughCrossesTheWholeRunInItsColourThickerWhenThick) {
  int widest = 0;
  double width = 0;
  int thick = redPixelsOfStruckPrice(NSUnderlineStyle::thick, &widest, &width);
  // Some row is red across (nearly) the whole run, gaps between glyphs included.
  EXPECT_GE(widest, static_cast<int>(width) - 2);
  int single = redPixelsOfStruckPrice(NSUnderlineStyle::single);
  EXPECT_GT(single, 0);
  EXPECT_GT(thick, single * 3 / 2);
  EXPECT_EQ(redPixelsOfStruckPrice(NSUnderlineStyle::none), 0);
}

TEST(TextRendering, UnderlineAndBackground) {
  auto text = NSMutableAttributedString::create("Quét", {{Key::font, UIFont::systemFont(16)}});
  text->addAttribute(Key::underlineStyle, 1, NSRange{0, 4});
  text->addAttribute(Key::underlineColor, CGColor::rgb(0, 0, 1), NSRange{0, 4});
  text->addAttribute(Key::backgroundColor, CGColor::rgb(1, 0, 0), NSRange{0, 4});
  TextLayout layout(text, {});
  Canvas canvas(80, 30);
  drawTextLayout(layout, canvas.cr(), CGPoint{0, 0});
  CGRect used = layout.usedRect();
  EXPECT_GT(canvas.count(used, reddish), static_cast<int>(used.size.width * used.size.height / 3));
  int underline = 0;
  for (int y = static_cast<int>(layout.lineFragments()[0].baseline); y < 30; ++y)
    underline = std::max(underline, canvas.count(CGRect(0, y, 80, 1), bluish));
  EXPECT_GE(underline, static_cast<int>(used.size.width) - 2);
}

TEST(TextRendering, AttachmentsAreHandedToThePainterAtTheirPlace) {
  auto attachment = NSTextAttachment::create();
  attachment->bounds = CGRect(0, -2, 11, 11);
  auto text = NSMutableAttributedString::create("a", {{Key::font, UIFont::systemFont(12)}});
  text->append(*NSAttributedString::create(attachment));
  text->append(*NSAttributedString::create(" Cập nhật", {{Key::font, UIFont::systemFont(12)}}));
  TextLayout layout(text, {});
  int calls = 0;
  CGRect where;
  Canvas canvas(120, 30);
  drawTextLayout(layout, canvas.cr(), CGPoint{5, 5}, [&](cairo_t*, const NSTextAttachment& a, CGRect r) {
    ++calls;
    EXPECT_EQ(&a, attachment.get());
    where = r;
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(where.size, (CGSize{11, 11}));
  EXPECT_NEAR(where.minX(), 5 + layout.characterRect(1).minX(), 0.01);
  EXPECT_NEAR(where.maxY(), 5 + layout.lineFragments()[0].baseline + 2, 0.01);  // 2 below the baseline
  EXPECT_NEAR(layout.characterRect(2).minX() - layout.characterRect(1).minX(), 11, 0.01);
}

bool inked(Canvas::Pixel p) {
  return p.r < 200 || p.g < 200 || p.b < 200;
}

// A word wider than its box breaks between letters and shows its own letters only, as UIKit's
// labels do: nothing is drawn past a broken line's last letter, and the line measures just its
// letters. Long texts are laid out in windows and truncated ones end in a separate piece, so each
// way is covered.
TEST(TextRendering, AWordBrokenAcrossLinesShowsNoAddedHyphen) {
  std::string word;
  for (int i = 0; i < 12; ++i) word += "ThẻTh";
  std::string longWord;
  while (longWord.size() < 4000) longWord += word;
  struct Case {
    const char* name;
    std::string text;
    TextLayoutOptions options;
  };
  const Case cases[] = {
      {"word wrapping", word, {.width = 70}},
      {"char wrapping", word, {.width = 70, .lineBreakMode = NSLineBreakMode::byCharWrapping}},
      {"after a word", "Mua " + word, {.width = 90}},
      {"truncated", word, {.width = 70, .numberOfLines = 2, .lineBreakMode = NSLineBreakMode::byTruncatingTail}},
      {"long text, limited", longWord, {.width = 90, .numberOfLines = 4}},
      {"long text, whole", longWord, {.width = 300}},
  };
  for (const auto& c : cases) {
    auto text = NSAttributedString::create(c.text, {{Key::font, UIFont::systemFont(15)}});
    TextLayout layout(text, c.options);
    ASSERT_GT(layout.lineCount(), 1u) << c.name;
    Canvas canvas(static_cast<int>(c.options.width) + 40, static_cast<int>(layout.size().height) + 10);
    drawTextLayout(layout, canvas.cr(), CGPoint{5, 5});
    for (std::size_t i = 0; i + 1 < layout.lineCount(); ++i) {
      const LineFragment& line = layout.lineFragments()[i];
      const CGFloat letters = TextLayout(text->attributedSubstring(line.characterRange), {}).size().width;
      // (A space ending the line is left out of its width.)
      EXPECT_LE(line.usedRect.size.width, letters + 0.5) << c.name << " line " << i;
      const CGRect past(line.usedRect.minX() + letters + 6, line.rect.minY() + 5, 30, line.rect.size.height);
      EXPECT_EQ(canvas.count(past, inked), 0) << c.name << " line " << i;
    }
  }
}

}  // namespace
}  // namespace ios
