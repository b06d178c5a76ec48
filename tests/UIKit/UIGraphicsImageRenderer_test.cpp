#include <UIKit/UIGraphicsImageRenderer.h>

#include <UIKit/UIBezierPath.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIScreen.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>

namespace ios {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;

TEST(UIGraphicsImageRenderer, DefaultFormatIsTheScreensScaleAndTranslucent) {
  auto image = UIGraphicsImageRenderer::create(CGSize{5, 3})->image(nullptr);
  ASSERT_TRUE(image && image->cgImage());
  EXPECT_EQ(image->size(), (CGSize{5, 3}));
  EXPECT_EQ(image->cgImage()->width(), static_cast<int>(5 * UIScreen::main()->scale()));
  EXPECT_EQ(image->cgImage()->pixel(0, 0), 0u);
}

TEST(UIGraphicsImageRenderer, ActionsDrawIntoTheCurrentContextInBoundsCoordinates) {
  auto renderer =
      UIGraphicsImageRenderer::create(CGRect(10, 20, 4, 4), UIGraphicsImageRendererFormat{1, false});
  CGContext* seen = nullptr;
  std::shared_ptr<UIImage> halfway;
  auto image = renderer->image([&](UIGraphicsImageRendererContext& context) {
    seen = UIGraphicsGetCurrentContext();
    context.cgContext().setFillColor(CGColor::rgb(1, 0, 0));
    UIBezierPath::rect(CGRect(10, 20, 2, 2))->fill();  // the bounds' origin is the image's corner
    halfway = context.currentImage();
    context.cgContext().setFillColor(CGColor::rgb(0, 0, 1));
    context.fill(CGRect(12, 22, 2, 2));
  });
  ASSERT_TRUE(seen);
  EXPECT_FALSE(UIGraphicsGetCurrentContext());  // popped again
  const CGImage& px = *image->cgImage();
  EXPECT_EQ(px.width(), 4);
  EXPECT_EQ(px.pixel(0, 0), kRed);
  EXPECT_EQ(px.pixel(1, 1), kRed);
  EXPECT_EQ(px.pixel(2, 0), 0u);
  EXPECT_EQ(px.pixel(3, 3), kBlue);
  ASSERT_TRUE(halfway);
  EXPECT_EQ(halfway->cgImage()->pixel(0, 0), kRed);
  EXPECT_EQ(halfway->cgImage()->pixel(3, 3), 0u);
}

TEST(UIGraphicsImageRenderer, OwnScaleOpacityAndEncodings) {
  auto renderer = UIGraphicsImageRenderer::create(CGSize{2, 2}, UIGraphicsImageRendererFormat{3, true});
  auto image = renderer->image(nullptr);
  EXPECT_EQ(image->cgImage()->width(), 6);
  EXPECT_EQ(image->cgImage()->pixel(5, 5), 0xFF000000u);  // opaque starts black

  auto draw = [](UIGraphicsImageRendererContext& context) {
    context.cgContext().setFillColor(CGColor::rgb(0, 0, 1));
    context.fill(CGRect(0, 0, 2, 2));
  };
  const auto png = renderer->pngData(draw);
  ASSERT_TRUE(png);
  auto decoded = UIImage::fromData(*png);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->cgImage()->pixel(3, 3), kBlue);
  EXPECT_TRUE(renderer->jpegData(0.8, draw));
}

TEST(UIGraphicsImageRenderer, AnEmptySizeStillGivesAnImage) {
  auto image =
      UIGraphicsImageRenderer::create(CGSize{0, 10})->image([](auto&) { FAIL() << "nothing to draw into"; });
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->cgImage());
  EXPECT_EQ(image->size(), CGSize::zero);
}

}  // namespace
}  // namespace ios
