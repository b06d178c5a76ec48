// Writing rules: toJSON gives back what reading takes in, and leaves out what is absent.

#include "SampleModels.h"

#include <gtest/gtest.h>

namespace {

using ios::Dictionary;
using sample::Leaf;
using sample::Sample;
using sample::Shade;

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

}  // namespace
