#include <CoreText/NSLayoutManager.h>
#include <CoreText/PangoFontSystem.h>
#include <CoreText/TextLayout.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

constexpr const char* kSentence = "Tự động cập nhật lại sau vài giây nữa, xin vui lòng chờ đợi một chút nhé";

std::shared_ptr<NSAttributedString> text15(std::string_view s) {
  return NSAttributedString::create(s, {{Key::font, UIFont::systemFont(15)}});
}

TEST(PinnedFonts, OnlyTheDejaVuSansFacesAreVisibleToPango) {
  // Besides the one real family Pango lists its generic aliases (Sans, Serif, ...), whose faces are
  // DejaVu Sans by our configuration.
  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(detail::pinnedFontMap(), &families, &count);
  int real = 0;
  for (int i = 0; i < count; ++i) {
    std::string name = pango_font_family_get_name(families[i]);
    if (name == "Sans" || name == "Serif" || name == "Monospace" || name == "System-ui") continue;
    ++real;
    EXPECT_EQ(name, "DejaVu Sans");
    PangoFontFace** faces = nullptr;
    int faceCount = 0;
    pango_font_family_list_faces(families[i], &faces, &faceCount);
    EXPECT_EQ(faceCount, 4);
    g_free(faces);
  }
  EXPECT_EQ(real, 1);
  g_free(families);

  // Whatever family a description names, the font loaded is a DejaVu Sans face.
  for (const char* family : {"Noto Sans", "Liberation Serif", "monospace", "Helvetica Neue"}) {
    PangoFontDescription* description = pango_font_description_from_string(family);
    pango_font_description_set_absolute_size(description, 12 * PANGO_SCALE);
    PangoFont* font = pango_font_map_load_font(detail::pinnedFontMap(), detail::pinnedContext(), description);
    ASSERT_NE(font, nullptr) << family;
    PangoFontDescription* loaded = pango_font_describe(font);
    EXPECT_STREQ(pango_font_description_get_family(loaded), "DejaVu Sans") << family;
    pango_font_description_free(loaded);
    g_object_unref(font);
    pango_font_description_free(description);
  }
}

TEST(TextLayout, MeasurementIsDeterministicAndUsesTheFace) {
  TextLayout first(text15("Mua Thẻ"), {});
  TextLayout again(text15("Mua Thẻ"), {});
  EXPECT_EQ(first.size(), again.size());
  EXPECT_GT(first.size().width, 0);
  EXPECT_NEAR(first.size().height, UIFont::systemFont(15)->lineHeight(), 0.01);

  TextLayout bold(NSAttributedString::create("Mua Thẻ", {{Key::font, UIFont::boldSystemFont(15)}}), {});
  EXPECT_GT(bold.size().width, first.size().width);  // the bold face is really used
}

TEST(TextLayout, WrapsAtTheWidthAndKeepsEveryLineInside) {
  std::size_t previous = 0;
  for (CGFloat width : {1000.0, 343.0, 200.0, 120.0}) {
    TextLayout layout(text15(kSentence), {.width = width});
    EXPECT_GE(layout.lineCount(), previous) << width;
    previous = layout.lineCount();
    EXPECT_LE(layout.size().width, width + 0.001);
    std::size_t covered = 0;
    for (const auto& line : layout.lineFragments()) {
      EXPECT_EQ(line.characterRange.location, covered);
      covered = line.characterRange.upperBound();
      EXPECT_LE(line.usedRect.maxX(), width + 0.001);
    }
    EXPECT_EQ(covered, layout.text().length());
  }
  EXPECT_EQ(TextLayout(text15(kSentence), {.width = 1000}).lineCount(), 1u);
  EXPECT_GE(previous, 4u);
}

TEST(TextLayout, LongWordsBreakInsideWhenTheyDoNotFit) {
  TextLayout layout(text15("Siêuuuuuuuuuuuuuuuuuuuuuuuuuuuuudàiiiiiiiii"), {.width = 100});
  EXPECT_GT(layout.lineCount(), 1u);
  EXPECT_LE(layout.size().width, 100.001);
}

TEST(TextLayout, NumberOfLinesLimitsAndTruncates) {
  TextLayout full(text15(kSentence), {.width = 150});
  ASSERT_GT(full.lineCount(), 2u);
  EXPECT_FALSE(full.isTruncated());

  TextLayout tail(text15(kSentence),
                  {.width = 150, .numberOfLines = 2, .lineBreakMode = NSLineBreakMode::byTruncatingTail});
  EXPECT_EQ(tail.lineCount(), 2u);
  EXPECT_TRUE(tail.isTruncated());
  EXPECT_NEAR(tail.size().height, full.lineFragments()[1].rect.maxY(), 0.01);

  TextLayout clipped(text15(kSentence),
                     {.width = 150, .numberOfLines = 2, .lineBreakMode = NSLineBreakMode::byClipping});
  EXPECT_EQ(clipped.lineCount(), 2u);
  EXPECT_TRUE(clipped.isTruncated());
  EXPECT_EQ(clipped.visibleLength(), full.lineFragments()[1].characterRange.upperBound());

  // Text that fits is not truncated, and a final newline's empty line does not count against it.
  TextLayout fits(text15("Hết hiệu lực\n"),
                  {.width = 300, .numberOfLines = 1, .lineBreakMode = NSLineBreakMode::byTruncatingTail});
  EXPECT_FALSE(fits.isTruncated());
  EXPECT_EQ(fits.lineCount(), 1u);
}

TEST(TextLayout, TruncationAcrossParagraphsStopsAtTheLimit) {
  TextLayout layout(text15("một\nhai\nba\nbốn"),
                    {.width = 300, .numberOfLines = 2, .lineBreakMode = NSLineBreakMode::byTruncatingTail});
  EXPECT_EQ(layout.lineCount(), 2u);
  EXPECT_TRUE(layout.isTruncated());
  EXPECT_EQ(layout.lineFragments()[1].characterRange.location, 4u);
}

TEST(TextLayout, CharacterIndexAtPoints) {
  auto text = text15("Mã của tôi\nQuét mã");
  TextLayout layout(text, {});
  ASSERT_EQ(layout.lineCount(), 2u);
  const auto& lines = layout.lineFragments();
  CGFloat mid0 = lines[0].rect.midY(), mid1 = lines[1].rect.midY();
  EXPECT_EQ(layout.characterIndex({0.5, mid0}), 0u);
  EXPECT_EQ(layout.characterIndex({0.5, mid1}), 11u);
  EXPECT_EQ(layout.characterIndex({-50, -50}), 0u);     // above: onto the first line
  EXPECT_EQ(layout.characterIndex({0.5, 1000}), 11u);   // below: onto the last line
  EXPECT_EQ(layout.characterIndex({5000, mid1}), 17u);  // past the end of the last line

  // Each character's box contains the point that finds it, near either edge.
  for (std::size_t i : {1u, 4u, 8u, 13u}) {
    CGRect box = layout.characterRect(i);
    EXPECT_EQ(layout.characterIndex({box.minX() + box.size.width * 0.2, box.midY()}), i);
    EXPECT_EQ(layout.characterIndex({box.minX() + box.size.width * 0.8, box.midY()}), i);
  }
}

TEST(TextLayout, CharacterIndicesCountUTF16UnitsAfterAnEmoji) {
  TextLayout layout(text15("\xF0\x9F\x98\x80"
                           "ab"),
                    {});
  CGRect b = layout.characterRect(3);
  EXPECT_EQ(layout.characterIndex({b.midX(), b.midY()}), 3u);
  EXPECT_EQ(layout.lineFragments()[0].characterRange, (NSRange{0, 4}));
}

TEST(TextLayout, AlignmentAndPaddingMoveTheUsedRect) {
  TextLayout left(text15("Quét mã"), {.width = 300});
  TextLayout centered(text15("Quét mã"), {.width = 300, .alignment = NSTextAlignment::center});
  TextLayout right(text15("Quét mã"), {.width = 300, .alignment = NSTextAlignment::right});
  CGFloat w = left.size().width;
  EXPECT_NEAR(left.usedRect().minX(), 0, 0.01);
  EXPECT_NEAR(centered.usedRect().minX(), (300 - w) / 2, 0.5);
  EXPECT_NEAR(right.usedRect().maxX(), 300, 0.5);

  auto style = NSMutableParagraphStyle::create();
  style->alignment = NSTextAlignment::right;
  auto styled = NSMutableAttributedString::create(*text15("Quét mã"));
  styled->addAttribute(Key::paragraphStyle, style, NSRange{0, styled->length()});
  EXPECT_NEAR(TextLayout(styled, {.width = 300}).usedRect().maxX(), 300, 0.5);

  TextLayout padded(text15("Quét mã"), {.lineFragmentPadding = 5});
  EXPECT_NEAR(padded.size().width, w + 10, 0.01);
}

TEST(TextLayout, EmptyTextHasNoLinesAndAFinalNewlineAddsOne) {
  TextLayout empty(text15(""), {.width = 100});
  EXPECT_EQ(empty.lineCount(), 0u);
  EXPECT_EQ(empty.size(), CGSize::zero);
  EXPECT_EQ(empty.characterIndex({10, 10}), 0u);

  TextLayout newline(text15("ab\n"), {.width = 100});
  EXPECT_EQ(newline.lineCount(), 2u);
  EXPECT_NEAR(newline.size().height, 2 * UIFont::systemFont(15)->lineHeight(), 0.5);
}

TEST(TextLayout, RoundedUpSizeIsWholePixels) {
  TextLayout layout(text15("Còn hiệu lực"), {});
  CGSize exact = layout.size(), one = layout.roundedUpSize(), two = layout.roundedUpSize(2);
  EXPECT_EQ(one.width, std::ceil(exact.width));
  EXPECT_EQ(one.height, std::ceil(exact.height));
  EXPECT_EQ(two.height * 2, std::ceil(exact.height * 2));
  EXPECT_GE(two.width, exact.width);
  EXPECT_LE(two.width, one.width);
}

TEST(TextLayout, LineSpacingGrowsLines) {
  CGFloat plain = TextLayout(text15("a\nb"), {}).size().height;
  auto spaced = NSMutableParagraphStyle::create();
  spaced->lineSpacing = 10;
  auto withSpacing = NSMutableAttributedString::create(*text15("a\nb"));
  withSpacing->addAttribute(Key::paragraphStyle, spaced, NSRange{0, 3});
  EXPECT_NEAR(TextLayout(withSpacing, {}).size().height, plain + 10, 0.5);
}

// Line counts as the text and the padding change are checked through the text view helpers.
TEST(NSLayoutManager, LaysOutItsStoragesTextInItsContainer) {
  auto storage = NSTextStorage::create("", {{Key::font, UIFont::systemFont(15)}});
  auto manager = NSLayoutManager::create();
  auto container = NSTextContainer::create(CGSize{120, 0});
  manager->addTextContainer(container);
  storage->addLayoutManager(manager);
  EXPECT_EQ(manager->textStorage(), storage);
  storage->replaceCharacters(NSRange{0, 0}, *text15(kSentence));
  EXPECT_EQ(manager->glyphRange(*container), (NSRange{0, storage->length()}));
  CGRect used = manager->usedRect(*container);
  EXPECT_LE(used.size.width, 120.001);
  EXPECT_GT(used.size.height, 2 * UIFont::systemFont(15)->lineHeight());

  NSRange range;
  CGRect line = manager->lineFragmentRect(0, &range);
  EXPECT_EQ(line.origin.y, 0);
  EXPECT_EQ(line.size.width, 120);
  EXPECT_EQ(manager->characterIndex(CGPoint{5.5, line.midY()}, *container), 0u);
  EXPECT_EQ(manager->lineFragmentRect(10000, &range), CGRect::zero);
  EXPECT_EQ(range.location, NSNotFound);
}

}  // namespace
}  // namespace ios
