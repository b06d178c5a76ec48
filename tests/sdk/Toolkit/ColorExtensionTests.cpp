#include <Foundation/Console.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGColor;

struct Parsed {
  CGColor color;
  std::string output;
};

Parsed parse(const std::string& text) {
  ios::ConsoleCapture capture;
  auto color = colorWithRGBA(text);
  return {color->cgColor(), capture.output()};
}

void expectRGBA(const CGColor& color, double r, double g, double b, double a) {
  ASSERT_EQ(color.numberOfComponents(), 4u);
  const auto c = color.components();
  EXPECT_DOUBLE_EQ(c[0], r);
  EXPECT_DOUBLE_EQ(c[1], g);
  EXPECT_DOUBLE_EQ(c[2], b);
  EXPECT_DOUBLE_EQ(c[3], a);
}

TEST(ColorFromHex, ReadsTheFourFormsWithAlphaLast) {
  const auto white3 = parse("#FFF");
  expectRGBA(white3.color, 1, 1, 1, 1);
  EXPECT_EQ(white3.output, "");
  expectRGBA(parse("#ffffff").color, 1, 1, 1, 1);
  expectRGBA(parse("#FF5C37").color, 255.0 / 255, 92.0 / 255, 55.0 / 255, 1.0);
  expectRGBA(parse("#0000FF80").color, 0, 0, 1, 128.0 / 255);
  expectRGBA(parse("#F00A").color, 1, 0, 0, 10.0 / 15);
  // One digit over 15 is the digit written twice over 255.
  EXPECT_TRUE(parse("#F80").color == parse("#FF8800").color);
}

TEST(ColorFromHex, BadTextsGiveOpaqueBlackAndTheirMessage) {
  const auto noPrefix = parse("FF5C37");
  expectRGBA(noPrefix.color, 0, 0, 0, 1);
  EXPECT_EQ(noPrefix.output, "Invalid RGB string, missing '#' as prefix");  // no line end

  for (const std::string text : {"#", "#GG0000", "##FF5C37"}) {
    const auto bad = parse(text);
    expectRGBA(bad.color, 0, 0, 0, 1);
    EXPECT_EQ(bad.output, "Scan hex error\n") << text;
  }

  const auto five = parse("#FF5C3");
  expectRGBA(five.color, 0, 0, 0, 1);
  EXPECT_EQ(five.output, "Invalid RGB string, number of characters after '#' should be either 3, 4, 6 or 8");

  const auto empty = parse("");
  expectRGBA(empty.color, 0, 0, 0, 1);
  EXPECT_EQ(empty.output, "Invalid RGB string, missing '#' as prefix");
}

TEST(ColorFromHex, TheFormFollowsTheCharacterCountNotTheDigitsRead) {
  // "12G" has three characters; the scan stops at "G" with 0x12.
  const auto partial = parse("#12G");
  expectRGBA(partial.color, 0, 1.0 / 15, 2.0 / 15, 1.0);
  EXPECT_EQ(partial.output, "");
  // Leading white space and 0x are skipped by the scanner, but still count as characters.
  expectRGBA(parse("#0xFF").color, 0, 0, 1, 1);
  // Characters are counted as the user sees them: "é" is one, so "#1é3" is the 3-character form.
  expectRGBA(parse("#1\xC3\xA9"
                   "3")
                 .color,
             0, 0, 1.0 / 15, 1.0);
}

TEST(ColorHelpers, ComponentsFrom255KeepAlphaAsGiven) {
  expectRGBA(colorWith255(255, 0, 0, 1)->cgColor(), 1, 0, 0, 1);
  expectRGBA(colorWith255(51, 102, 204, 0.5)->cgColor(), 0.2, 0.4, 0.8, 0.5);
}

TEST(ColorHelpers, ConvertBlendsTowardTheOtherColourWithAClampedMultiplier) {
  const auto a = ios::UIColor::create(0.2, 0.4, 0.6, 1.0);
  const auto b = ios::UIColor::create(1.0, 0.0, 0.2, 0.0);
  expectRGBA(convert(*a, *b, 0.5)->cgColor(), 0.6, 0.2, 0.4, 0.5);
  expectRGBA(convert(*a, *b, 2)->cgColor(), 1.0, 0.0, 0.2, 0.0);
  expectRGBA(convert(*a, *b, -1)->cgColor(), 0.2, 0.4, 0.6, 1.0);
  // A grey has two components: no blend on either side.
  const auto grey = ios::UIColor::create(0.5, 1.0);
  EXPECT_EQ(convert(*grey, *b, 0.5), nullptr);
  EXPECT_EQ(convert(*a, *grey, 0.5), nullptr);
}

TEST(ColorHelpers, ConvertTakesAMissingAlphaAsOpaqueInsteadOfReadingPastTheEnd) {
  // A three-component space (no alpha entry): alpha counts as 1.0 on that side.
  const auto blended = convertComponents({0, 0, 0}, {1, 1, 1, 0}, 0.25);
  ASSERT_TRUE(blended);
  EXPECT_DOUBLE_EQ((*blended)[0], 0.25);
  EXPECT_DOUBLE_EQ((*blended)[3], 0.75);
  const auto both = convertComponents({0.2, 0.2, 0.2}, {0.4, 0.4, 0.4}, 1);
  ASSERT_TRUE(both);
  EXPECT_DOUBLE_EQ((*both)[0], 0.4);
  EXPECT_DOUBLE_EQ((*both)[3], 1.0);
  EXPECT_FALSE(convertComponents({0.2, 1}, {0.4, 0.4, 0.4, 1}, 1));
  EXPECT_FALSE(convertComponents({}, {0.4, 0.4, 0.4, 1}, 1));
}

TEST(ColorHelpers, DarkerLowersEachChannelByAFifthButNotBelowZero) {
  const auto darker = darkerColorForColor(ios::UIColor::create(0.1, 0.5, 1.0, 0.7));
  ASSERT_TRUE(darker);
  expectRGBA(darker->cgColor(), 0.0, 0.3, 0.8, 0.7);
  // A grey has an RGB form too: it comes back as an RGB colour.
  expectRGBA(darkerColorForColor(ios::UIColor::create(0.5, 1.0))->cgColor(), 0.3, 0.3, 0.3, 1.0);
  EXPECT_EQ(darkerColorForColor(nullptr), nullptr);
}

}  // namespace
}  // namespace kerbelin
