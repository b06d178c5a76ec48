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
  struct Case {
    std::string text;
    NSLayoutAttribute second;  // notAnAttribute: no second item
    NSLayoutRelation relation;
    double multiplier, constant;
    float priority;
    std::string name;
  };
  const auto eq = NSLayoutRelation::equal;
  const Case cases[] = {
      {"title.leading == superview.leading + 16", NSLayoutAttribute::leading, eq, 1, 16, 1000, ""},
      {"title.top == icon.bottom + 8 @750", NSLayoutAttribute::bottom, eq, 1, 8, 750, ""},
      {"icon.width == 40", NSLayoutAttribute::notAnAttribute, eq, 1, 40, 1000, ""},
      {"icon.height == icon.width * 0.5", NSLayoutAttribute::width, eq, 0.5, 0, 1000, ""},
      {"card.bottom == superview.bottom - 3 @999 as cstBottomMain", NSLayoutAttribute::bottom, eq, 1, -3, 999,
       "cstBottomMain"},
      {"a.width >= b.width / 4 - 2 @low", NSLayoutAttribute::width, NSLayoutRelation::greaterThanOrEqual,
       0.25, -2, 250, ""},
      {"a.width<=b.height*2+1@high", NSLayoutAttribute::height, NSLayoutRelation::lessThanOrEqual, 2, 1, 750,
       ""},
      {"a.centerX == b.centerX * -1 + -4 @required", NSLayoutAttribute::centerX, eq, -1, -4, 1000, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto d = parsed(c.text);
    EXPECT_EQ(d.relation, c.relation);
    EXPECT_EQ(d.second ? d.second->attribute : NSLayoutAttribute::notAnAttribute, c.second);
    EXPECT_DOUBLE_EQ(d.multiplier, c.multiplier);
    EXPECT_DOUBLE_EQ(d.constant, c.constant);
    EXPECT_EQ(d.priority, c.priority);
    EXPECT_EQ(d.name, c.name);
  }
  auto edge = parsed("title.leading == superview.leading + 16");
  EXPECT_EQ(edge.first.item, "title");
  EXPECT_EQ(edge.first.attribute, NSLayoutAttribute::leading);
  EXPECT_EQ(edge.second->item, "superview");
}

TEST(NibConstraintParser, ReadsGuides) {
  auto safe = parsed("header.top == superview.safeArea.top");
  EXPECT_EQ(safe.second->guide, Guide::safeArea);
  EXPECT_EQ(safe.second->attribute, NSLayoutAttribute::top);
  EXPECT_EQ(parsed("body.leading == superview.margins.leading + 4").second->guide, Guide::margins);
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
