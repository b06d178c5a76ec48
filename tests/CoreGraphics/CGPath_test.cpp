#include <CoreGraphics/CGPath.h>

#include <gtest/gtest.h>

#include <numbers>

namespace ios {
namespace {

TEST(CGPath, RoundedRectFillsInsideButNotTheCutCorners) {
  const CGPath path = CGPath::roundedRect(CGRect(0, 0, 100, 40), 10, 10);
  EXPECT_TRUE(path.contains({50, 20}));
  EXPECT_TRUE(path.contains({5, 20}));
  EXPECT_FALSE(path.contains({1, 1}));  // cut away by the corner
  EXPECT_TRUE(path.contains({4, 4}));   // inside the arc (distance to centre 8.5 < 10)
  EXPECT_FALSE(path.contains({101, 20}));
  const CGRect box = path.boundingBoxOfPath();
  EXPECT_NEAR(box.width(), 100, 0.01);
  EXPECT_NEAR(box.height(), 40, 0.01);
}

TEST(CGPath, CornerRadiiAreClampedToHalfTheSide) {
  const CGPath clamped = CGPath::roundedRect(CGRect(0, 0, 40, 20), 50, 50);
  // A capsule: the middle of the short side is filled, the corner is not.
  EXPECT_TRUE(clamped.contains({1, 10}));
  EXPECT_FALSE(clamped.contains({1, 1}));
  EXPECT_EQ(CGPath::roundedRect(CGRect(0, 0, 40, 20), 0, 0), CGPath::rect(CGRect(0, 0, 40, 20)));
}

TEST(CGPath, EllipseAndArcsFollowTheCircle) {
  const CGPath circle = CGPath::ellipse(CGRect(0, 0, 20, 20));
  EXPECT_TRUE(circle.contains({10, 10}));
  EXPECT_TRUE(circle.contains({10, 0.5}));
  EXPECT_FALSE(circle.contains({1, 1}));

  CGPath half;
  half.addArc({0, 0}, 10, 0, std::numbers::pi, false);
  // Increasing angles on a y-down plane go through +y.
  const CGRect box = half.boundingBoxOfPath();
  EXPECT_NEAR(box.minY(), 0, 1e-6);
  EXPECT_NEAR(box.maxY(), 10, 0.01);
  EXPECT_NEAR(half.currentPoint().x, -10, 1e-9);

  CGPath other;
  other.addArc({0, 0}, 10, 0, std::numbers::pi, true);
  EXPECT_NEAR(other.boundingBoxOfPath().minY(), -10, 0.01);
}

TEST(CGPath, WindingRulesDifferForNestedSubpaths) {
  CGPath path;
  path.addRect(CGRect(0, 0, 100, 100));
  path.addRect(CGRect(25, 25, 50, 50));  // same direction: non-zero fills the hole
  EXPECT_TRUE(path.contains({50, 50}, false));
  EXPECT_FALSE(path.contains({50, 50}, true));
}

TEST(CGPath, TransformsAndEmptyPaths) {
  CGPath empty;
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_TRUE(empty.boundingBox().isNull());
  EXPECT_FALSE(empty.contains({0, 0}));
  CGPath line;
  line.addLine({10, 10});  // starts a subpath at the current point
  ASSERT_EQ(line.elements().size(), 2u);
  EXPECT_EQ(line.elements()[0].type, CGPath::ElementType::moveToPoint);

  const CGPath moved = CGPath::rect(CGRect(0, 0, 10, 10)).applying(CGAffineTransform::translation(5, 5));
  EXPECT_EQ(moved.boundingBox(), CGRect(5, 5, 10, 10));
}

}  // namespace
}  // namespace ios
