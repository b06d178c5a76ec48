// Writing rules: toJSON gives back what reading takes in, and leaves out what is absent.

#include "SampleModels.h"

#include <gtest/gtest.h>

namespace {

using ios::Dictionary;
using sample::Leaf;
using sample::Sample;
using sample::Shade;

TEST(MapWriting, PresetsWriteEveryNonOptionalFieldAndNoAbsentOne) {
  const Dictionary json = Sample::create()->toJSON();
  const Dictionary expected = {{"text", "preset"},
                               {"count", 7},
                               {"small", 3},
                               {"ratio", 1.5},
                               {"flag", false},
                               {"children", Dictionary::array()},
                               {"tags", {"first"}},
                               {"extra", Dictionary::object()},
                               {"scores", Dictionary::object()},
                               {"shade", "LIGHT"}};
  EXPECT_EQ(json, expected);
}

TEST(MapWriting, ReadingWhatWasWrittenGivesTheSameModel) {
  const Dictionary input = {
      {"text", "Gói dịch vụ"},
      {"count", 123456789012LL},
      {"small", -5},
      {"ratio", 0.125},
      {"flag", true},
      {"maybeText", ""},  // present but empty is not absent
      {"maybeCount", 0},
      {"child", {{"label", "gốc"}, {"next", {{"label", "con"}}}}},
      {"children", {{{"label", "a"}}, {{"label", "b"}}}},
      {"maybeChildren", Dictionary::array()},
      {"tags", {"x", "y"}},
      {"extra", {{"nested", {{"deep", {1, 2, 3}}}}}},
      {"maybeExtra", {{"k", nullptr}}},
      {"scores", {{"điểm", 10}}},
      {"shade", "DARK"},
      {"maybeShade", "LIGHT"},
  };
  const auto first = ios::mapObject<Sample>(input);
  ASSERT_NE(first, nullptr);
  const Dictionary written = first->toJSON();
  EXPECT_EQ(written, input);

  const auto second = ios::mapObject<Sample>(written);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->toJSON(), written);
  ASSERT_NE(second->child->next, nullptr);
  EXPECT_EQ(second->child->next->label, "con");
}

TEST(MapWriting, NullObjectsInArraysAreLeftOut) {
  auto sample = Sample::create();
  sample->children = {Leaf::create(), nullptr, Leaf::create()};
  EXPECT_EQ(sample->toJSON()["children"].size(), 2u);
  EXPECT_EQ(ios::toJSONArray(sample->children), (Dictionary{{{"label", "leaf"}}, {{"label", "leaf"}}}));
}

TEST(MapWriting, WritingDoesNotRunReadOnlyWork) {
  auto derived = sample::DerivedSample::create();
  derived->text = "abc";
  derived->textLength = 99;
  const Dictionary json = derived->toJSON();
  EXPECT_EQ(derived->textLength, 99u);
  EXPECT_EQ(json["own"], "");
  EXPECT_FALSE(json.contains("textLength"));
}

TEST(MapWriting, TextWithBrokenUtf8IsWrittenWithReplacements) {
  auto sample = Sample::create();
  sample->text = std::string("ab\xC3", 3);
  std::string text;
  ASSERT_NO_THROW(text = sample->toJSONString());
  EXPECT_NE(text.find("\"text\":\"ab\xEF\xBF\xBD\""), std::string::npos);
}

TEST(MapWriting, AModelThatContainsItselfStillWritesAndEnds) {
  auto leaf = Leaf::create();
  leaf->next = leaf;
  const Dictionary json = leaf->toJSON();
  int depth = 0;
  const Dictionary* node = &json;
  for (; node->contains("next"); node = &(*node)["next"]) ++depth;
  EXPECT_EQ(depth, ios::kMaxMappingDepth);
  EXPECT_EQ(*node, Dictionary::object());
  leaf->next = nullptr;  // break the cycle so the model is released
}

}  // namespace
