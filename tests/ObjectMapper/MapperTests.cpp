// Making models and arrays of models from reply values.

#include "SampleModels.h"

#include <gtest/gtest.h>

namespace {

using ios::Dictionary;
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
