#include <UIKit/Nib/NibConstraintParser.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using ios::NibConstraintDescription;
using ios::NibConstraintParser;
using ios::NibConstraintSyntaxError;
using ios::NibConstraintTerm;
using ios::NSLayoutAttribute;
using ios::NSLayoutRelation;
using Guide = NibConstraintTerm::Guide;

NibConstraintDescription parsed(const std::string& text) {
  auto result = NibConstraintParser::parse(text);
  if (auto* error = std::get_if<NibConstraintSyntaxError>(&result)) {
    ADD_FAILURE() << text << ": column " << error->column << ": " << error->message;
    return {};
  }
  return std::get<NibConstraintDescription>(result);
}

NibConstraintSyntaxError failure(const std::string& text) {
  auto result = NibConstraintParser::parse(text);
  if (auto* error = std::get_if<NibConstraintSyntaxError>(&result)) return *error;
  ADD_FAILURE() << text << " parsed";
  return {};
}

TEST(NibConstraintParser, ReadsItemsAttributesConstantsPrioritiesAndNames) {
  auto edge = parsed("title.leading == superview.leading + 16");
  EXPECT_EQ(edge.first.item, "title");
  EXPECT_EQ(edge.first.attribute, NSLayoutAttribute::leading);
  EXPECT_EQ(edge.relation, NSLayoutRelation::equal);
  ASSERT_TRUE(edge.second);
  EXPECT_EQ(edge.second->item, "superview");
  EXPECT_EQ(edge.second->attribute, NSLayoutAttribute::leading);
  EXPECT_EQ(edge.multiplier, 1);
  EXPECT_EQ(edge.constant, 16);
  EXPECT_EQ(edge.priority, 1000);
  EXPECT_TRUE(edge.name.empty());

  auto spaced = parsed("title.top == icon.bottom + 8 @750");
  EXPECT_EQ(spaced.second->attribute, NSLayoutAttribute::bottom);
  EXPECT_EQ(spaced.priority, 750);

  auto fixed = parsed("icon.width == 40");
  EXPECT_FALSE(fixed.second);
  EXPECT_EQ(fixed.constant, 40);

  auto ratio = parsed("icon.height == icon.width * 0.5");
  EXPECT_EQ(ratio.first.attribute, NSLayoutAttribute::height);
  EXPECT_EQ(ratio.second->attribute, NSLayoutAttribute::width);
  EXPECT_DOUBLE_EQ(ratio.multiplier, 0.5);

  auto named = parsed("card.bottom == superview.bottom - 3 @999 as cstBottomMain");
  EXPECT_EQ(named.constant, -3);
  EXPECT_EQ(named.priority, 999);
  EXPECT_EQ(named.name, "cstBottomMain");

  auto divided = parsed("a.width >= b.width / 4 - 2 @low");
  EXPECT_EQ(divided.relation, NSLayoutRelation::greaterThanOrEqual);
  EXPECT_DOUBLE_EQ(divided.multiplier, 0.25);
  EXPECT_EQ(divided.constant, -2);
  EXPECT_EQ(divided.priority, 250);

  auto tight = parsed("a.width<=b.height*2+1@high");
  EXPECT_EQ(tight.relation, NSLayoutRelation::lessThanOrEqual);
  EXPECT_EQ(tight.multiplier, 2);
  EXPECT_EQ(tight.constant, 1);
  EXPECT_EQ(tight.priority, 750);

  auto negative = parsed("a.centerX == b.centerX * -1 + -4 @required");
  EXPECT_EQ(negative.multiplier, -1);
  EXPECT_EQ(negative.constant, -4);
}

TEST(NibConstraintParser, ReadsGuides) {
  auto safe = parsed("header.top == superview.safeArea.top");
  EXPECT_EQ(safe.second->guide, Guide::safeArea);
  EXPECT_EQ(safe.second->attribute, NSLayoutAttribute::top);
  auto margins = parsed("body.leading == superview.margins.leading + 4");
  EXPECT_EQ(margins.second->guide, Guide::margins);
  EXPECT_EQ(parsed("self.margins.trailing == x.trailing").first.guide, Guide::margins);

}

TEST(NibConstraintParser, RejectsMalformedExpressionsAtTheRightColumn) {
  struct Case {
    std::string text;
    std::string at;  // the text where the error must point
    std::string message;
  };
  const Case cases[] = {
      {"", "", "expected an item name"},
      {"title.leading = superview.leading", "= superview", "expected ==, >= or <="},
      {"title.side == x.leading", "side", "unknown attribute \"side\""},
      {"title.leading == 16", "16", "a position attribute needs an item to relate to, not a bare number"},
      {"title.leading == other.top", "== other", "cannot relate attributes of different axes"},
      {"a.width == b.width @0", "0", "a priority must be between 1 and 1000"},
      {"a.width == b.width @urgent", "urgent",
       "unknown priority \"urgent\" (a number 1...1000, required, high or low)"},
      {"a.width == b.width * ", "", "expected a multiplier"},
      {"a.width == b.width as", "", "expected a name after \"as\""},
      {"a.width == 40 extra", "extra", "unexpected text"},
      {"a.width == b.width / 0", "0", "division by zero"},
      {"a.safeArea == b.top", "== b", "expected \".\" and an attribute of the safeArea guide"},
      {"a.width == b.width + 1.2.3", "1.2.3", "expected a constant"},
      {"a.width == b.width asx", "asx", "unexpected text"},
      {"title", "", "expected \".\" and an attribute"},
  };
  for (const auto& c : cases) {
    auto error = failure(c.text);
    std::size_t expectedColumn = c.at.empty() ? c.text.size() + 1 : c.text.rfind(c.at) + 1;
    EXPECT_EQ(error.column, expectedColumn) << c.text;
    EXPECT_EQ(error.message, c.message) << c.text;
  }
}

}  // namespace
