#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/UIEdgeInsets.h>
#include <CoreGraphics/UIOffset.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ios {
namespace {

void expectNear(CGPoint actual, CGPoint expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

void expectNear(const CGAffineTransform& t, const CGAffineTransform& u) {
  const double actual[] = {t.a, t.b, t.c, t.d, t.tx, t.ty};
  const double expected[] = {u.a, u.b, u.c, u.d, u.tx, u.ty};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "field " << i;
}

constexpr double kHalfPi = std::numbers::pi / 2;

TEST(CGAffineTransformTest, Makers) {
  EXPECT_FALSE(CGAffineTransform::translation(1e-12, 0).isIdentity());
  EXPECT_EQ(CGAffineTransform::translation(10, 20).apply(CGPoint{1, 2}), (CGPoint{11, 22}));
  EXPECT_EQ(CGAffineTransform::scale(2, -3).apply(CGPoint{1, 2}), (CGPoint{2, -6}));
  // +x turns toward +y: clockwise on a y-down screen.
  expectNear(CGAffineTransform::rotation(kHalfPi).apply(CGPoint{1, 0}), CGPoint{0, 1});
  expectNear(CGAffineTransform::rotation(kHalfPi).apply(CGPoint{0, 1}), CGPoint{-1, 0});
}

TEST(CGAffineTransformTest, CompositionOrder) {
  const CGPoint p{1, 1};
  // concatenating: the receiver first, then the argument.
  EXPECT_EQ(CGAffineTransform::translation(10, 0).concatenating(CGAffineTransform::scale(2, 2)).apply(p),
            (CGPoint{22, 2}));
  EXPECT_EQ(CGAffineTransform::scale(2, 2).concatenating(CGAffineTransform::translation(10, 0)).apply(p),
            (CGPoint{12, 2}));
  // translatedBy/scaledBy/rotated: the new operation happens first, in the transformed space.
  EXPECT_EQ(CGAffineTransform::translation(10, 0).scaledBy(2, 2).apply(p), (CGPoint{12, 2}));
  EXPECT_EQ(CGAffineTransform::scale(2, 2).translatedBy(10, 0).apply(p), (CGPoint{22, 2}));
  expectNear(CGAffineTransform::translation(10, 0).rotated(kHalfPi).apply(CGPoint{1, 0}), CGPoint{10, 1});
  expectNear(CGAffineTransform::rotation(kHalfPi).translatedBy(10, 0).apply(CGPoint{0, 0}), CGPoint{0, 10});
  expectNear(CGAffineTransform::identity.rotated(kHalfPi), CGAffineTransform::rotation(kHalfPi));
}

TEST(CGAffineTransformTest, Inversion) {
  const CGAffineTransform t = CGAffineTransform::translation(5, -7).rotated(0.3).scaledBy(2, 0.5);
  expectNear(t.concatenating(t.inverted()), CGAffineTransform::identity);
  expectNear(t.inverted().apply(t.apply(CGPoint{3, 9})), CGPoint{3, 9});
  const CGAffineTransform singular = CGAffineTransform::scale(0, 1);
  EXPECT_EQ(singular.inverted(), singular);
}

TEST(CGAffineTransformTest, SizesIgnoreTranslation) {
  EXPECT_EQ(CGAffineTransform::translation(5, 5).apply(CGSize{2, 3}), (CGSize{2, 3}));
  EXPECT_EQ(CGAffineTransform::scale(2, -1).apply(CGSize{2, 3}), (CGSize{4, -3}));
}

TEST(CGAffineTransformTest, RectsBecomeBoundingBoxes) {
  const CGRect rotated = CGAffineTransform::rotation(std::numbers::pi / 4).apply(CGRect(0, 0, 2, 2));
  EXPECT_NEAR(rotated.origin.x, -std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(rotated.origin.y, 0, 1e-9);
  EXPECT_NEAR(rotated.size.width, 2 * std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(rotated.size.height, 2 * std::sqrt(2.0), 1e-9);
  const CGRect flipped = CGAffineTransform::scale(-1, 2).translatedBy(1, 1).apply(CGRect(0, 0, 4, -2));
  EXPECT_EQ(flipped.origin, (CGPoint{-5, -2}));
  EXPECT_EQ(flipped.size, (CGSize{4, 4}));
  EXPECT_TRUE(CGAffineTransform::scale(2, 2).apply(CGRect::null).isNull());
  EXPECT_EQ(applying(CGRect(1, 1, 1, 1), CGAffineTransform::translation(1, 0)), CGRect(2, 1, 1, 1));
}

TEST(UIEdgeInsetsTest, InsetMovesEachEdgeWithoutStandardizing) {
  const CGRect r = inset(CGRect(0, 0, 100, 50), UIEdgeInsets{5, 10, 15, 20});
  EXPECT_EQ(r.origin, (CGPoint{10, 5}));
  EXPECT_EQ(r.size, (CGSize{70, 30}));
  const CGRect over = inset(CGRect(0, 0, 10, 10), UIEdgeInsets{0, 10, 0, 10});
  EXPECT_EQ(over.size.width, -10);
  const CGRect grown = inset(CGRect(0, 0, 10, 10), UIEdgeInsets{-1, -2, -3, -4});
  EXPECT_EQ(grown.origin, (CGPoint{-2, -1}));
  EXPECT_EQ(grown.size, (CGSize{16, 14}));
  EXPECT_EQ(inset(CGRect(1, 2, 3, 4), UIEdgeInsets::zero), CGRect(1, 2, 3, 4));
}

}  // namespace
}  // namespace ios
