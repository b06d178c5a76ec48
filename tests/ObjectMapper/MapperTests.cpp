// Making models and arrays of models from reply values.

#include "SampleModels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ios::Dictionary;
using sample::DerivedSample;
using sample::Leaf;

TEST(Mapper, OnlyObjectsMakeModels) {
  EXPECT_EQ(ios::mapObject<Leaf>(Dictionary()), nullptr);
  EXPECT_EQ(ios::mapObject<Leaf>(Dictionary::array()), nullptr);
  EXPECT_EQ(ios::mapObject<Leaf>(Dictionary("label")), nullptr);
  EXPECT_EQ(ios::mapObject<Leaf>(Dictionary(3)), nullptr);
  const auto empty = ios::mapObject<Leaf>(Dictionary::object());
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->label, "leaf");
}

TEST(Mapper, ArraysBothWays) {
  const Dictionary mixed = {{{"label", "a"}}, 1, {{"label", "b"}}, nullptr};
  const Dictionary objects = {{{"label", "a"}}, {{"label", "b"}}};

  // Element by element: stray elements are skipped.
  const auto skipping = ios::mapArray<Leaf>(mixed);
  ASSERT_EQ(skipping.size(), 2u);
  EXPECT_EQ(skipping[1]->label, "b");
  EXPECT_TRUE(ios::mapArray<Leaf>(Dictionary::object()).empty());

  // As `[[String: Any]]`: one stray element loses the whole array.
  EXPECT_FALSE(ios::mapArrayIfAllObjects<Leaf>(mixed).has_value());
  EXPECT_FALSE(ios::mapArrayIfAllObjects<Leaf>(Dictionary::object()).has_value());
  EXPECT_FALSE(ios::mapArrayIfAllObjects<Leaf>(Dictionary()).has_value());
  const auto all = ios::mapArrayIfAllObjects<Leaf>(objects);
  ASSERT_TRUE(all.has_value());
  ASSERT_EQ(all->size(), 2u);
  EXPECT_EQ((*all)[0]->label, "a");
  const auto none = ios::mapArrayIfAllObjects<Leaf>(Dictionary::array());
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
}

// A document mapped once may have its values moved into the model; the model must come out as a
// copying map makes it, whatever part of the document reads or fails to read.
TEST(Mapper, TakingFromADocumentMapsWhatCopyingMaps) {
  const std::string longText = "Gói chăm sóc sắc đẹp toàn thân cao cấp";
  const Dictionary leaf = {{"label", longText}, {"next", {{"label", "con"}}}};
  std::vector<Dictionary> cases = {
      {{"text", longText}, {"maybeText", "ngắn"}, {"own", longText}, {"count", 5}, {"flag", 1}},
      {{"text", 5}, {"maybeText", {1}}, {"own", nullptr}, {"ratio", "2.5"}},
      {{"child", leaf}, {"children", {leaf, 5, leaf, "x"}}, {"maybeChildren", {leaf, nullptr}}},
      {{"child", "leaf"}, {"children", leaf}, {"maybeChildren", Dictionary::array()}},
      {{"tags", {longText, "b"}}, {"scores", {{"x", 1}, {"y", 2}}}},
      {{"tags", {longText, 1, longText}}, {"scores", {{"a", 1}, {"b", longText}}}},
      {{"extra", leaf}, {"maybeExtra", {{"list", {longText, leaf}}}}},
      {{"extra", {longText}}, {"maybeExtra", longText}},
      {{"shade", "DARK"}, {"maybeShade", "LIGHT"}, {"text", longText}},
  };
  // An object with more keys than a map lists up front is searched another way, to the same model.
  Dictionary wide = cases[0];
  for (int i = 0; i < 40; ++i) wide["unused" + std::to_string(i)] = i;
  EXPECT_EQ(ios::mapObject<DerivedSample>(wide)->toJSON(), ios::mapObject<DerivedSample>(cases[0])->toJSON());
  cases.push_back(wide);
  for (const Dictionary& json : cases) {
    const auto copied = ios::mapObject<DerivedSample>(json);
    const auto taken = ios::mapObject<DerivedSample>(Dictionary(json));
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->toJSON(), copied->toJSON()) << json.dump();
    EXPECT_EQ(taken->own, copied->own) << json.dump();
    EXPECT_EQ(taken->textLength, copied->textLength) << json.dump();
  }

  const Dictionary list = {leaf, 3, {{"label", longText}}};
  EXPECT_EQ(ios::toJSONArray(ios::mapArray<Leaf>(Dictionary(list))),
            ios::toJSONArray(ios::mapArray<Leaf>(list)));
  EXPECT_FALSE(ios::mapArrayIfAllObjects<Leaf>(Dictionary(list)).has_value());
  const Dictionary objects = {leaf, {{"label", longText}}};
  const auto taken = ios::mapArrayIfAllObjects<Leaf>(Dictionary(objects));
  ASSERT_TRUE(taken.has_value());
  EXPECT_EQ(ios::toJSONArray(*taken), ios::toJSONArray(*ios::mapArrayIfAllObjects<Leaf>(objects)));
}

// Leaves nested through "next", `length` objects in all.
Dictionary chainOf(int length) {
  Dictionary root = Dictionary::object();
  Dictionary* node = &root;
  for (int i = 1; i < length; ++i) {
    (*node)["label"] = std::to_string(i);
    node = &(*node)["next"];
  }
  (*node)["label"] = "đáy";
  return root;
}

int lengthOf(const std::shared_ptr<Leaf>& leaf) {
  int length = 0;
  for (auto node = leaf; node; node = node->next) ++length;
  return length;
}

TEST(Mapper, NestingIsBoundedSoDeepRepliesCannotExhaustTheStack) {
  EXPECT_EQ(lengthOf(ios::mapObject<Leaf>(chainOf(ios::kMaxMappingDepth))), ios::kMaxMappingDepth);

  const auto deep = ios::mapObject<Leaf>(chainOf(100000));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(lengthOf(deep), ios::kMaxMappingDepth);

  // The bound is per mapping: a later shallow mapping is unaffected.
  EXPECT_EQ(lengthOf(ios::mapObject<Leaf>(chainOf(3))), 3);
}

}  // namespace
