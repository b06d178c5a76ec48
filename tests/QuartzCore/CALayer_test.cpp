#include <QuartzCore/CALayer.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ios {
namespace {

void expectPoint(CGPoint actual, CGPoint expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

void expectRect(const CGRect& actual, const CGRect& expected) {
  EXPECT_NEAR(actual.minX(), expected.minX(), 1e-9);
  EXPECT_NEAR(actual.minY(), expected.minY(), 1e-9);
  EXPECT_NEAR(actual.width(), expected.width(), 1e-9);
  EXPECT_NEAR(actual.height(), expected.height(), 1e-9);
}

TEST(CALayer, StartsWithCoreAnimationDefaults) {
  auto layer = CALayer::create();
  EXPECT_EQ(layer->cornerRadius(), 0);
  EXPECT_FALSE(layer->masksToBounds());
  EXPECT_EQ(layer->borderWidth(), 0);
  EXPECT_EQ(layer->borderColor(), CGColor::rgb(0, 0, 0, 1));
  EXPECT_EQ(layer->shadowColor(), CGColor::rgb(0, 0, 0, 1));
  EXPECT_EQ(layer->shadowOpacity(), 0.0f);
  EXPECT_EQ(layer->shadowOffset(), (CGSize{0, -3}));
  EXPECT_EQ(layer->shadowRadius(), 3);
  EXPECT_FALSE(layer->shadowPath().has_value());
  EXPECT_EQ(layer->mask(), nullptr);
  EXPECT_TRUE(layer->transform().isIdentity());
  EXPECT_TRUE(layer->sublayerTransform().isIdentity());
  EXPECT_EQ(layer->anchorPoint(), (CGPoint{0.5, 0.5}));
  EXPECT_EQ(layer->opacity(), 1.0f);
  EXPECT_FALSE(layer->backgroundColor().has_value());
}

TEST(CALayer, FrameFollowsPositionAnchorAndTransform) {
  auto layer = CALayer::create();
  layer->setFrame(CGRect(10, 20, 100, 50));
  expectPoint(layer->position(), {60, 45});
  expectRect(layer->bounds(), CGRect(0, 0, 100, 50));

  layer->setAnchorPoint({0, 0});
  expectRect(layer->frame(), CGRect(60, 45, 100, 50));

  layer->setAnchorPoint({0.5, 0.5});
  layer->setAffineTransform(CGAffineTransform::scale(0.5, 0.5));
  expectRect(layer->frame(), CGRect(35, 32.5, 50, 25));
  // With a transform, setting the frame moves the layer and keeps its bounds.
  layer->setFrame(CGRect(0, 0, 50, 25));
  expectRect(layer->bounds(), CGRect(0, 0, 100, 50));
  expectRect(layer->frame(), CGRect(0, 0, 50, 25));
}

TEST(CALayer, PerspectiveScaleKeepsM34AndProjectsToAPlainScale) {
  auto layer = CALayer::create();
  layer->setFrame(CGRect(0, 0, 200, 100));
  CATransform3D t = CATransform3DIdentity;
  t.m34 = -0.001;
  t = CATransform3DScale(t, 1.5, 1.5, 1.5);
  layer->setTransform(t);
  EXPECT_DOUBLE_EQ(layer->transform().m34, -0.001 * 1.5);
  // A flat layer scales about its anchor point.
  expectRect(layer->frame(), CGRect(-50, -25, 300, 150));
}

TEST(CALayer, SublayerHierarchyMovesAndOrders) {
  auto a = CALayer::create(), b = CALayer::create(), x = CALayer::create(), y = CALayer::create();
  a->addSublayer(x);
  a->addSublayer(y);
  b->addSublayer(x);  // moves x from a to b
  ASSERT_EQ(a->sublayers().size(), 1u);
  EXPECT_EQ(a->sublayers()[0], y);
  EXPECT_EQ(x->superlayer(), b);

  a->insertSublayer(x, 0);
  EXPECT_EQ(a->sublayers()[0], x);
  EXPECT_TRUE(b->sublayers().empty());
  a->insertSublayer(x, 2);  // moving within the same parent to the end
  EXPECT_EQ(a->sublayers()[1], x);

  // A layer never becomes a sublayer of its own descendant.
  x->addSublayer(b);
  b->addSublayer(a);
  EXPECT_EQ(a->superlayer(), nullptr);

  x->removeFromSuperlayer();
  EXPECT_EQ(x->superlayer(), nullptr);
  ASSERT_EQ(a->sublayers().size(), 1u);
}

TEST(CALayer, SettersMarkOnlyRealChanges) {
  auto parent = CALayer::create(), child = CALayer::create();
  parent->addSublayer(child);
  const auto before = parent->generation();
  child->setCornerRadius(0);  // unchanged
  EXPECT_EQ(parent->generation(), before);
  child->clearNeedsDisplay();
  child->setCornerRadius(8);  // composited, not drawn into the store
  EXPECT_GT(parent->generation(), before);
  EXPECT_FALSE(child->needsDisplay());
  child->setContentsGravity(CALayerContentsGravity::center);
  EXPECT_TRUE(child->needsDisplay());

  child->clearNeedsDisplay();
  child->setBounds(CGRect(0, 0, 10, 10));
  EXPECT_TRUE(child->needsLayout());
}

TEST(CALayer, ConvertsThroughTransformsAndSublayerTransform) {
  auto root = CALayer::create(), child = CALayer::create();
  root->setFrame(CGRect(0, 0, 375, 812));
  child->setFrame(CGRect(100, 200, 50, 50));
  root->addSublayer(child);
  expectPoint(child->convert(CGPoint{0, 0}, root.get()), {100, 200});
  expectPoint(child->convertFrom(CGPoint{110, 220}, root.get()), {10, 20});

  child->setAffineTransform(CGAffineTransform::rotation(std::numbers::pi / 2));
  // A quarter turn about the centre (125, 225): the top-left corner goes to the top-right.
  expectPoint(child->convert(CGPoint{0, 0}, root.get()), {150, 200});

  child->setAffineTransform(CGAffineTransform::identity);
  root->setSublayerTransform(CATransform3DMakeTranslation(7, 0, 0));
  expectPoint(child->convert(CGPoint{0, 0}, root.get()), {107, 200});
  expectRect(child->convert(CGRect(0, 0, 50, 50), root.get()), CGRect(107, 200, 50, 50));
}

TEST(CALayer, MasksToBoundsHidesTheShadow) {
  auto layer = CALayer::create();
  EXPECT_FALSE(layer->hasVisibleShadow());
  layer->setShadowOpacity(0.2f);
  EXPECT_TRUE(layer->hasVisibleShadow());
  layer->setMasksToBounds(true);
  EXPECT_FALSE(layer->hasVisibleShadow());
  layer->setMasksToBounds(false);
  layer->setShadowColor(std::nullopt);
  EXPECT_FALSE(layer->hasVisibleShadow());
}

TEST(CALayer, PropertiesAreReachableByKey) {
  auto layer = CALayer::create();
  EXPECT_TRUE(layer->setValue(std::any(8), "cornerRadius"));
  EXPECT_EQ(layer->cornerRadius(), 8);
  EXPECT_TRUE(layer->setValue(std::any(true), "masksToBounds"));
  EXPECT_TRUE(layer->masksToBounds());
  EXPECT_FALSE(layer->setValue(std::any(std::string("x")), "cornerRadius"));
  EXPECT_EQ(layer->cornerRadius(), 8);
}

TEST(CATransform3D, ComposesInCoreAnimationOrder) {
  const auto scale = CATransform3DMakeScale(2, 2, 1);
  const auto move = CATransform3DMakeTranslation(10, 0, 0);
  // Translate(t, ...) applies the translation before t: it is scaled too.
  const auto t = CATransform3DTranslate(scale, 10, 0, 0);
  EXPECT_DOUBLE_EQ(t.m41, 20);
  EXPECT_EQ(CATransform3DConcat(move, scale), t);
  const auto inverse = CATransform3DInvert(t);
  const auto product = CATransform3DConcat(t, inverse);
  EXPECT_NEAR(product.m11, 1, 1e-12);
  EXPECT_NEAR(product.m41, 0, 1e-12);
  EXPECT_TRUE(CATransform3DIsAffine(t));
  CATransform3D perspective;
  perspective.m34 = -0.001;
  EXPECT_FALSE(perspective.isAffine());
  // A rotation about z agrees with the affine rotation.
  const auto r = CATransform3DGetAffineTransform(CATransform3DMakeRotation(0.3, 0, 0, 1));
  const auto expected = CGAffineTransform::rotation(0.3);
  EXPECT_NEAR(r.a, expected.a, 1e-12);
  EXPECT_NEAR(r.b, expected.b, 1e-12);
  EXPECT_NEAR(r.c, expected.c, 1e-12);
}

}  // namespace
}  // namespace ios
