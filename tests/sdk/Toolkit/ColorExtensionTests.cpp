#include <Foundation/Console.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <gtest/gtest.h>

#include <array>
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

using RGBA = std::array<double, 4>;
constexpr RGBA kOpaqueBlack = {0, 0, 0, 1};

void expectRGBA(const CGColor& color, const RGBA& rgba) {
  ASSERT_EQ(color.numberOfComponents(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(color.components()[i], rgba[i]) << "component " << i;
}

TEST(ColorFromHex, ReadsTheFourFormsWithAlphaLastAndGivesOpaqueBlackWithAMessageOtherwise) {
  const std::string noPrefix = "Invalid RGB string, missing '#' as prefix";  // no line end
  const std::string badCount =
      "Invalid RGB string, number of characters after '#' should be either 3, 4, 6 or 8";
  const struct {
    std::string text;
    RGBA rgba;
    std::string output;
  } cases[] = {
      {"#FFF", {1, 1, 1, 1}, ""},
      {"#ffffff", {1, 1, 1, 1}, ""},
      {"#FF5C37", {1, 92.0 / 255, 55.0 / 255, 1}, ""},
      {"#0000FF80", {0, 0, 1, 128.0 / 255}, ""},
      {"#F00A", {1, 0, 0, 10.0 / 15}, ""},
      // The form follows the character count, not the digits read: the scan stops at "G" with 0x12.
      {"#12G", {0, 1.0 / 15, 2.0 / 15, 1}, ""},
      // Leading 0x is skipped by the scanner, but still counts as characters.
      {"#0xFF", {0, 0, 1, 1}, ""},
      // Characters are counted as the user sees them: "é" is one, so "#1é3" is the 3-character form.
      {"#1\xC3\xA9"
       "3",
       {0, 0, 1.0 / 15, 1},
       ""},
      {"FF5C37", kOpaqueBlack, noPrefix},
      {"", kOpaqueBlack, noPrefix},
      {"#", kOpaqueBlack, "Scan hex error\n"},
      {"#GG0000", kOpaqueBlack, "Scan hex error\n"},
      {"##FF5C37", kOpaqueBlack, "Scan hex error\n"},
      {"#FF5C3", kOpaqueBlack, badCount},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto parsed = parse(c.text);
    expectRGBA(parsed.color, c.rgba);
    EXPECT_EQ(parsed.output, c.output);
  }
  // One digit over 15 is the digit written twice over 255.
  EXPECT_TRUE(parse("#F80").color == parse("#FF8800").color);
}

TEST(ColorHelpers, ConvertBlendsTowardTheOtherColourWithAClampedMultiplier) {
  const auto a = ios::UIColor::create(0.2, 0.4, 0.6, 1.0);
  const auto b = ios::UIColor::create(1.0, 0.0, 0.2, 0.0);
  expectRGBA(convert(*a, *b, 0.5)->cgColor(), {0.6, 0.2, 0.4, 0.5});
  expectRGBA(convert(*a, *b, 2)->cgColor(), {1.0, 0.0, 0.2, 0.0});
  expectRGBA(convert(*a, *b, -1)->cgColor(), {0.2, 0.4, 0.6, 1.0});
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

TEST(ColorHelpers, ComponentsFrom255KeepAlphaAsGivenAndDarkerLowersEachByAFifthButNotBelowZero) {
  expectRGBA(colorWith255(51, 102, 204, 0.5)->cgColor(), {0.2, 0.4, 0.8, 0.5});
  const auto darker = darkerColorForColor(ios::UIColor::create(0.1, 0.5, 1.0, 0.7));
  ASSERT_TRUE(darker);
  expectRGBA(darker->cgColor(), {0.0, 0.3, 0.8, 0.7});
  // A grey has an RGB form too: it comes back as an RGB colour.
  expectRGBA(darkerColorForColor(ios::UIColor::create(0.5, 1.0))->cgColor(), {0.3, 0.3, 0.3, 1.0});
  EXPECT_EQ(darkerColorForColor(nullptr), nullptr);
}

}  // namespace
}  // namespace kerbelin
