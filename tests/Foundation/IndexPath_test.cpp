#include <Foundation/IndexPath.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace ios {
namespace {

TEST(IndexPathTest, OrdersBySectionThenRowAndHashesDistinguishSwappedCoordinates) {
  std::vector<IndexPath> paths = {IndexPath::forRow(0, 1), IndexPath::forRow(5, 0), IndexPath::forRow(1, 1),
                                  IndexPath::forRow(0, 0)};
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(paths, (std::vector<IndexPath>{IndexPath::forRow(0, 0), IndexPath::forRow(5, 0),
                                           IndexPath::forRow(0, 1), IndexPath::forRow(1, 1)}));
  EXPECT_LT(IndexPath::forRow(100, 0), IndexPath::forRow(0, 1));

  std::unordered_set<IndexPath> set;
  for (int s = 0; s < 20; ++s) {
    for (int r = 0; r < 20; ++r) set.insert(IndexPath::forRow(r, s));
  }
  EXPECT_EQ(set.size(), 400u);
  EXPECT_NE(std::hash<IndexPath>{}(IndexPath::forRow(1, 2)), std::hash<IndexPath>{}(IndexPath::forRow(2, 1)));
  EXPECT_EQ(set.count(IndexPath::forRow(19, 0)), 1u);
  EXPECT_EQ(set.count(IndexPath::forRow(-1, 0)), 0u);
}

}  // namespace
}  // namespace ios
