#include <CoreGraphics/CGColor.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

TEST(CGColor, ComponentsFollowTheColourSpace) {
  auto red = CGColor::rgb(1, 0, 0, 0.5);
  EXPECT_EQ(red.numberOfComponents(), 4u);
  EXPECT_EQ(red.components(), (std::vector<CGFloat>{1, 0, 0, 0.5}));
  EXPECT_EQ(red.alpha(), 0.5);

  auto grey = CGColor::grey(0.667, 0.4);
  EXPECT_EQ(grey.numberOfComponents(), 2u);
  EXPECT_EQ(grey.components(), (std::vector<CGFloat>{0.667, 0.4}));
  EXPECT_EQ(grey.alpha(), 0.4);
  EXPECT_EQ(grey.withAlpha(1).alpha(), 1);
  EXPECT_EQ(grey.withAlpha(1).components()[0], 0.667);
}

TEST(CGColor, EqualityNeedsTheSameSpaceAndComponents) {
  EXPECT_EQ(CGColor::rgb(243 / 255.0, 243 / 255.0, 249 / 255.0),
            CGColor::rgb(243 / 255.0, 243 / 255.0, 249 / 255.0));
  EXPECT_NE(CGColor::grey(1), CGColor::rgb(1, 1, 1));
  EXPECT_NE(CGColor::rgb(1, 0, 0, 1), CGColor::rgb(1, 0, 0, 0.99));
  EXPECT_EQ(CGColor::white(), CGColor::grey(1, 1));
  EXPECT_EQ(CGColor::clear().alpha(), 0);
}

TEST(CGColor, RGBAConversionExpandsGreyAndClamps) {
  EXPECT_EQ(CGColor::grey(0.25, 0.5).rgba(), (CGColor::RGBA{0.25, 0.25, 0.25, 0.5}));
  EXPECT_EQ(CGColor::rgb(1.5, -1, 0.5, 2).rgba(), (CGColor::RGBA{1, 0, 0.5, 1}));
  // Stored as given: out-of-range components still compare by what was stored.
  EXPECT_NE(CGColor::rgb(1.5, 0, 0), CGColor::rgb(1, 0, 0));
}

}  // namespace
}  // namespace ios
