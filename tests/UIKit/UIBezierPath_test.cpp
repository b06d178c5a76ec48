#include <UIKit/UIBezierPath.h>

#include <UIKit/UIGraphics.h>
#include <UIKit/UIImage.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>

#include <numbers>

namespace ios {
namespace {

using test::kRed;

// Fills `path` red on a transparent canvas of `size` points at scale 1 and returns the pixels.
std::shared_ptr<const CGImage> filledPixels(const UIBezierPath& path, CGSize size) {
  UIGraphicsBeginImageContextWithOptions(size, false, 1);
  UIGraphicsGetCurrentContext()->setFillColor(CGColor::rgb(1, 0, 0));
  path.fill();
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  return image->cgImage();
}

TEST(UIBezierPath, RoundsOnlyTheChosenCorners) {
  auto path = UIBezierPath::roundedRect(CGRect(0, 0, 40, 40),
                                        UIRectCorner::topLeft | UIRectCorner::bottomRight, CGSize{10, 10});
  auto pixels = filledPixels(*path, CGSize{40, 40});
  EXPECT_EQ(pixels->pixel(0, 0), 0u);     // top left: rounded away
  EXPECT_EQ(pixels->pixel(39, 0), kRed);  // top right: square
  EXPECT_EQ(pixels->pixel(0, 39), kRed);  // bottom left: square
  EXPECT_EQ(pixels->pixel(39, 39), 0u);   // bottom right: rounded away
  EXPECT_EQ(pixels->pixel(20, 20), kRed);
  EXPECT_EQ(pixels->pixel(10, 0), kRed);  // where the curve meets the straight edge

  auto all = UIBezierPath::roundedRect(CGRect(0, 0, 40, 40), UIRectCorner::allCorners, CGSize{10, 10});
  auto allPixels = filledPixels(*all, CGSize{40, 40});
  EXPECT_EQ(allPixels->pixel(39, 0), 0u);
  EXPECT_EQ(allPixels->pixel(0, 39), 0u);
}

TEST(UIBezierPath, CornerRadiiAreClampedToHalfTheShorterSide) {
  auto path = UIBezierPath::roundedRect(CGRect(0, 0, 40, 20), 100);
  EXPECT_EQ(path->bounds(), CGRect(0, 0, 40, 20));
  // Radius 10 circles: the top edge is straight from x = 10 to 30.
  EXPECT_TRUE(path->contains(CGPoint{10.5, 0.3}));
  EXPECT_TRUE(path->contains(CGPoint{29.5, 19.7}));
  EXPECT_FALSE(path->contains(CGPoint{1, 1}));
  EXPECT_TRUE(path->contains(CGPoint{3, 10}));

  auto square = UIBezierPath::roundedRect(CGRect(5, 5, 10, 10), 0);
  EXPECT_TRUE(square->contains(CGPoint{5.1, 5.1}));
  EXPECT_EQ(*square->cgPath().elements().begin()->points, (CGPoint{5, 5}));
}

TEST(UIBezierPath, ArcsTurnTheWayUIKitSays) {
  // A quarter turn clockwise on screen from 3 o'clock ends at 6 o'clock, staying in the lower right.
  auto clockwise = UIBezierPath::arcCenter(CGPoint{20, 20}, 10, 0, std::numbers::pi / 2, true);
  EXPECT_NEAR(clockwise->currentPoint().x, 20, 1e-9);
  EXPECT_NEAR(clockwise->currentPoint().y, 30, 1e-9);
  const CGRect b = clockwise->bounds();
  EXPECT_NEAR(b.minX(), 20, 1e-6);
  EXPECT_NEAR(b.minY(), 20, 1e-6);
  // The other way round sweeps three quarters.
  const CGRect c = UIBezierPath::arcCenter(CGPoint{20, 20}, 10, 0, std::numbers::pi / 2, false)->bounds();
  EXPECT_NEAR(c.minX(), 10, 1e-6);
  EXPECT_NEAR(c.minY(), 10, 1e-6);
}

TEST(UIBezierPath, BuiltPathsFillAndHitTest) {
  auto path = UIBezierPath::create();
  path->move(CGPoint{0, 0});
  path->addLine(CGPoint{20, 0});
  path->addQuadCurve(CGPoint{20, 20}, CGPoint{30, 10});
  path->addCurve(CGPoint{0, 20}, CGPoint{15, 25}, CGPoint{5, 25});
  path->close();
  EXPECT_TRUE(path->contains(CGPoint{10, 10}));
  EXPECT_TRUE(path->contains(CGPoint{23, 10}));  // inside the quadratic bulge
  EXPECT_FALSE(path->contains(CGPoint{28, 10}));

  // Even-odd: a rectangle inside a rectangle leaves a hole.
  auto frame = UIBezierPath::rect(CGRect(0, 0, 30, 30));
  frame->append(*UIBezierPath::rect(CGRect(10, 10, 10, 10)));
  EXPECT_TRUE(frame->contains(CGPoint{15, 15}));
  frame->usesEvenOddFillRule = true;
  EXPECT_FALSE(frame->contains(CGPoint{15, 15}));
  auto framePixels = filledPixels(*frame, CGSize{30, 30});
  EXPECT_EQ(framePixels->pixel(15, 15), 0u);
  EXPECT_EQ(framePixels->pixel(5, 5), kRed);
}

TEST(UIBezierPath, StrokesWithItsOwnLineWidth) {
  auto line = UIBezierPath::create();
  line->move(CGPoint{0, 10});
  line->addLine(CGPoint{40, 10});
  line->lineWidth = 6;
  UIGraphicsBeginImageContextWithOptions(CGSize{40, 20}, false, 1);
  CGContext* context = UIGraphicsGetCurrentContext();
  context->setStrokeColor(CGColor::rgb(1, 0, 0));
  line->stroke();
  auto image = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  const CGImage& px = *image->cgImage();
  EXPECT_EQ(px.pixel(20, 7), kRed);
  EXPECT_EQ(px.pixel(20, 12), kRed);
  EXPECT_EQ(px.pixel(20, 4), 0u);
  EXPECT_EQ(px.pixel(20, 14), 0u);
}

}  // namespace
}  // namespace ios
