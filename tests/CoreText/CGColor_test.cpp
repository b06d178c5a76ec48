#include <CoreGraphics/CGColor.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

TEST(CGColor, EqualityNeedsTheSameSpaceAndComponents) {
  EXPECT_NE(CGColor::grey(1), CGColor::rgb(1, 1, 1));
  EXPECT_NE(CGColor::rgb(1, 0, 0, 1), CGColor::rgb(1, 0, 0, 0.99));
  EXPECT_EQ(CGColor::white(), CGColor::grey(1, 1));
  EXPECT_EQ(CGColor::clear().alpha(), 0);
  EXPECT_EQ(CGColor::grey(0.667, 0.4).withAlpha(1), CGColor::grey(0.667, 1));  // keeps its space
}

TEST(CGColor, RGBAConversionExpandsGreyAndClamps) {
  EXPECT_EQ(CGColor::grey(0.25, 0.5).rgba(), (CGColor::RGBA{0.25, 0.25, 0.25, 0.5}));
  EXPECT_EQ(CGColor::rgb(1.5, -1, 0.5, 2).rgba(), (CGColor::RGBA{1, 0, 0.5, 1}));
  // Stored as given: out-of-range components still compare by what was stored.
  EXPECT_NE(CGColor::rgb(1.5, 0, 0), CGColor::rgb(1, 0, 0));
}

}  // namespace
}  // namespace ios
