#include <CoreText/NSMutableAttributedString.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

const CGColor kRed = CGColor::rgb(1, 0, 0);
const CGColor kBlue = CGColor::rgb(0, 0, 1);

// "Việt 😀 Nam": ệ is one unit, the emoji two, so length 11.
constexpr const char* kMixed = "Vi\xE1\xBB\x87t \xF0\x9F\x98\x80 Nam";

TEST(NSAttributedString, AddAttributeOverPartOfTheTextSplitsRunsAtUTF16Indices) {
  auto text = NSMutableAttributedString::create(kMixed);
  EXPECT_EQ(text->length(), 11u);
  text->addAttribute(Key::foregroundColor, kRed, NSRange{0, 4});
  text->addAttribute(Key::foregroundColor, kBlue, NSRange{6, 1});    // inside the emoji: takes all of it
  text->addAttribute(Key::foregroundColor, kBlue, NSRange{500, 3});  // past the end: nothing
  ASSERT_EQ(text->runs().size(), 4u);
  NSRange effective;
  EXPECT_EQ(text->attribute(Key::foregroundColor, 2, &effective)->color(), kRed);
  EXPECT_EQ(effective, (NSRange{0, 4}));
  EXPECT_EQ(text->attribute(Key::foregroundColor, 5, &effective)->color(), kBlue);
  EXPECT_EQ(effective, (NSRange{5, 2}));
  EXPECT_FALSE(text->attribute(Key::foregroundColor, 4, &effective).has_value());
  EXPECT_EQ(effective, (NSRange{4, 1}));
  EXPECT_TRUE(text->attributes(11, &effective).empty());
  EXPECT_EQ(effective, (NSRange{11, 0}));
}

TEST(NSAttributedString, RunsMergeWhenTheirAttributesBecomeEqual) {
  auto text = NSMutableAttributedString::create("abcdef");
  text->addAttribute(Key::foregroundColor, kRed, NSRange{0, 2});
  text->addAttribute(Key::foregroundColor, kRed, NSRange{4, 2});
  EXPECT_EQ(text->runs().size(), 3u);
  text->addAttribute(Key::foregroundColor, kRed, NSRange{2, 2});
  EXPECT_EQ(text->runs().size(), 1u);
}

TEST(NSAttributedString, AppendInsertAndReplace) {
  auto text = NSMutableAttributedString::create("Mua ", {{Key::foregroundColor, kRed}});
  text->append(*NSAttributedString::create("Thẻ", {{Key::foregroundColor, kBlue}}));
  EXPECT_EQ(text->string(), "Mua Thẻ");
  EXPECT_EQ(text->runs().size(), 2u);

  // Plain text takes the attributes of the first replaced character.
  text->replaceCharacters(NSRange{4, 3}, "Xe \xF0\x9F\x9A\x97");
  EXPECT_EQ(text->string(), "Mua Xe \xF0\x9F\x9A\x97");
  EXPECT_EQ(text->attribute(Key::foregroundColor, 8)->color(), kBlue);

  // An insertion takes the attributes of the character before it.
  text->replaceCharacters(NSRange{4, 0}, "_");
  EXPECT_EQ(text->attribute(Key::foregroundColor, 4)->color(), kRed);
  text->insert(*NSAttributedString::create(">"), 0);
  EXPECT_EQ(text->string(), ">Mua _Xe \xF0\x9F\x9A\x97");
  EXPECT_FALSE(text->attribute(Key::foregroundColor, 0).has_value());
}

TEST(NSAttributedString, AppendingItselfDoublesTheText) {
  auto text = NSMutableAttributedString::create("ab", {{Key::kern, 1.5}});
  text->append(*text);
  EXPECT_EQ(text->string(), "abab");
  EXPECT_EQ(text->runs().size(), 1u);
  EXPECT_EQ(text->attribute(Key::kern, 3)->number(), 1.5);
}

TEST(NSAttributedString, EqualityComparesTextAndAttributeValues) {
  auto a = NSMutableAttributedString::create("Giá", {{Key::font, UIFont::systemFont(14)}});
  auto b = NSMutableAttributedString::create("Giá", {{Key::font, UIFont::systemFont(14)}});
  EXPECT_EQ(*a, *b);  // distinct font objects, equal fonts
  b->addAttribute(Key::strikethroughStyle, NSUnderlineStyle::thick, NSRange{0, b->length()});
  EXPECT_NE(*a, *b);
  a->addAttribute(Key::strikethroughStyle, 2, NSRange{0, a->length()});
  EXPECT_EQ(*a, *b);
  EXPECT_NE(*a, *NSAttributedString::create("Gia"));
}

TEST(NSAttributedString, ParagraphStylesAreCopiedWhenAdded) {
  auto style = NSMutableParagraphStyle::create();
  style->alignment = NSTextAlignment::right;
  auto text = NSMutableAttributedString::create("x");
  text->addAttribute(Key::paragraphStyle, style, NSRange{0, 1});
  style->alignment = NSTextAlignment::center;
  EXPECT_EQ(text->attribute(Key::paragraphStyle, 0)->paragraphStyle()->alignment, NSTextAlignment::right);
}

TEST(NSAttributedString, InvalidUTF8IsStoredAsReplacementCharacters) {
  auto text =
      NSAttributedString::create(std::string("a\xFF"
                                             "b",
                                             3));
  EXPECT_EQ(text->string(),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(text->length(), 3u);
}

TEST(NSAttributedString, BuildingFromRunsCoversTheTextExactly) {
  std::vector<NSAttributedString::Run> runs{{2, {{Key::kern, 1}}}, {2, {{Key::kern, 1}}}, {50, {}}};
  auto text = NSMutableAttributedString::create("abcdef", runs);
  ASSERT_EQ(text->runs().size(), 2u);
  EXPECT_EQ(text->runs()[0].length, 4u);
  EXPECT_EQ(text->runs()[1].length, 2u);
  auto shortRuns = NSMutableAttributedString::create("abcdef", std::vector<NSAttributedString::Run>{{1, {}}});
  ASSERT_EQ(shortRuns->runs().size(), 1u);
  EXPECT_EQ(shortRuns->runs()[0].length, 6u);
}

}  // namespace
}  // namespace ios
