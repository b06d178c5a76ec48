#include <CoreGraphics/CGGeometry.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

// Field-by-field comparison: CGRect's own == standardizes, which would hide a wrong origin or sign.
void expectSameFields(const CGRect& actual, const CGRect& expected) {
  EXPECT_EQ(actual.origin, expected.origin) << actual << " vs " << expected;
  EXPECT_EQ(actual.size, expected.size) << actual << " vs " << expected;
}

TEST(CGRectTest, AccessorsStandardizeNegativeSizes) {
  const CGRect r(10, 20, -4, -6);
  EXPECT_EQ(r.minX(), 6);
  EXPECT_EQ(r.midX(), 8);
  EXPECT_EQ(r.maxX(), 10);
  EXPECT_EQ(r.minY(), 14);
  EXPECT_EQ(r.midY(), 17);
  EXPECT_EQ(r.maxY(), 20);
  EXPECT_EQ(r.width(), 4);
  EXPECT_EQ(r.height(), 6);
  expectSameFields(r.standardized(), CGRect(6, 14, 4, 6));
  EXPECT_EQ(r.size.width, -4);  // the stored size is kept
  EXPECT_EQ(r, CGRect(6, 14, 4, 6));
  EXPECT_NE(r, CGRect(10, 20, 4, 6));
}

TEST(CGRectTest, SpecialRectangles) {
  EXPECT_TRUE(CGRect::null.isEmpty());
  EXPECT_EQ(CGRect::null.width(), 0);
  EXPECT_TRUE(CGRect::null.standardized().isNull());
  EXPECT_EQ(CGRect::null, CGRect::null);
  EXPECT_NE(CGRect::null, CGRect::zero);
  EXPECT_FALSE(CGRect::zero.isNull());
  EXPECT_TRUE(CGRect::zero.isEmpty());
  EXPECT_TRUE(CGRect(0, 0, 5, 0).isEmpty());
  EXPECT_FALSE(CGRect(0, 0, -5, 1).isEmpty());
  EXPECT_FALSE(CGRect::infinite.isNull());
  EXPECT_TRUE(CGRect::infinite.contains(CGPoint{1e300, -1e300}));
}

TEST(CGRectTest, InsetAndOffset) {
  expectSameFields(CGRect(0, 0, 10, 10).insetBy(2, 3), CGRect(2, 3, 6, 4));
  expectSameFields(CGRect(10, 10, -10, -10).insetBy(2, 3), CGRect(2, 3, 6, 4));
  expectSameFields(CGRect(0, 0, 10, 10).insetBy(-1, -1), CGRect(-1, -1, 12, 12));
  expectSameFields(CGRect(0, 0, 10, 10).insetBy(5, 5), CGRect(5, 5, 0, 0));
  EXPECT_TRUE(CGRect(0, 0, 10, 10).insetBy(6, 0).isNull());
  EXPECT_TRUE(CGRect::null.insetBy(-1, -1).isNull());
  expectSameFields(CGRect(1, 2, 3, 4).offsetBy(10, -2), CGRect(11, 0, 3, 4));
  EXPECT_TRUE(CGRect::null.offsetBy(1, 1).isNull());
}

TEST(CGRectTest, UnionAndIntersection) {
  expectSameFields(CGRect(0, 0, 1, 1).unionWith(CGRect(5, 5, -2, -2)), CGRect(0, 0, 5, 5));
  expectSameFields(CGRect(0, 0, 1, 1).unionWith(CGRect(10, 10, 0, 0)),
                   CGRect(0, 0, 10, 10));  // empty still counts
  expectSameFields(CGRect::null.unionWith(CGRect(5, 5, -2, -2)), CGRect(3, 3, 2, 2));
  expectSameFields(CGRect(1, 1, 1, 1).unionWith(CGRect::null), CGRect(1, 1, 1, 1));
  EXPECT_TRUE(CGRect::null.unionWith(CGRect::null).isNull());

  expectSameFields(CGRect(0, 0, 10, 10).intersection(CGRect(5, 5, 10, 10)), CGRect(5, 5, 5, 5));
  expectSameFields(CGRect(0, 0, 10, 10).intersection(CGRect(15, 15, -10, -10)), CGRect(5, 5, 5, 5));
  expectSameFields(CGRect(0, 0, 10, 10).intersection(CGRect(2, 2, 3, 3)), CGRect(2, 2, 3, 3));
  EXPECT_TRUE(CGRect(0, 0, 10, 10).intersection(CGRect(11, 0, 5, 5)).isNull());
  EXPECT_TRUE(CGRect(0, 0, 10, 10).intersection(CGRect(0, 20, 5, 5)).isNull());
  EXPECT_TRUE(CGRect(0, 0, 10, 10).intersection(CGRect::null).isNull());
  expectSameFields(CGRect(0, 0, 10, 10).intersection(CGRect(10, 0, 5, 5)), CGRect(10, 0, 0, 5));  // touching

  EXPECT_TRUE(CGRect(0, 0, 10, 10).intersects(CGRect(9, 9, 5, 5)));
  EXPECT_FALSE(CGRect(0, 0, 10, 10).intersects(CGRect(10, 0, 5, 5)));
  EXPECT_FALSE(CGRect(0, 0, 10, 10).intersects(CGRect(20, 0, 5, 5)));
  EXPECT_FALSE(CGRect(0, 0, 10, 10).intersects(CGRect::null));
}

TEST(CGRectTest, ContainsPointIsHalfOpen) {
  const CGRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.contains(CGPoint{0, 0}));
  EXPECT_TRUE(r.contains(CGPoint{9.999, 5}));
  EXPECT_FALSE(r.contains(CGPoint{10, 5}));
  EXPECT_FALSE(r.contains(CGPoint{5, 10}));
  EXPECT_FALSE(r.contains(CGPoint{-0.001, 5}));
  EXPECT_TRUE(CGRect(10, 10, -10, -10).contains(CGPoint{0, 0}));
  EXPECT_FALSE(CGRect(10, 10, -10, -10).contains(CGPoint{10, 10}));
  EXPECT_FALSE(CGRect(0, 0, 0, 10).contains(CGPoint{0, 0}));
  EXPECT_FALSE(CGRect::null.contains(CGPoint{0, 0}));
}

TEST(CGRectTest, ContainsRectIncludesEdges) {
  const CGRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.contains(r));
  EXPECT_TRUE(r.contains(CGRect(5, 5, 5, 5)));
  EXPECT_TRUE(r.contains(CGRect(10, 10, -3, -3)));
  EXPECT_TRUE(r.contains(CGRect(10, 10, 0, 0)));
  EXPECT_FALSE(r.contains(CGRect(5, 5, 6, 5)));
  EXPECT_FALSE(r.contains(CGRect::null));
  EXPECT_FALSE(CGRect::null.contains(r));
}

}  // namespace
}  // namespace ios
