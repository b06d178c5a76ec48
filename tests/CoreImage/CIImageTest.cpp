#include <CoreImage/CIContext.h>
#include <CoreImage/CIImage.h>
#include <gtest/gtest.h>

namespace ios {
namespace {

std::shared_ptr<CGImage> twoByTwo() {
  // red green / blue white, top row first
  return CGImage::create(2, 2, {0xffff0000u, 0xff00ff00u, 0xff0000ffu, 0xffffffffu});
}

TEST(CIImageTest, WholeNumberScalesCopyPixelsIntoBlocks) {
  auto image = CIImage::create(twoByTwo())->transformed(CGAffineTransform::scale(3, 2));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->extent(), CGRect(0, 0, 6, 4));
  const CGImage& bitmap = *image->bitmap();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(bitmap.pixel(x, y), twoByTwo()->pixel(x / 3, y / 2)) << x << "," << y;
  }
}

TEST(CIImageTest, TranslationMovesTheExtentAndOtherTransformsResample) {
  auto base = CIImage::create(twoByTwo());
  EXPECT_EQ(base->transformed(CGAffineTransform::translation(5, -3))->extent(), CGRect(5, -3, 2, 2));
  // Half size: one pixel, the average of the four.
  auto half = base->transformed(CGAffineTransform::scale(0.5, 0.5));
  ASSERT_NE(half, nullptr);
  EXPECT_EQ(half->extent(), CGRect(0, 0, 1, 1));
  EXPECT_EQ(half->bitmap()->pixel(0, 0), 0xff808080u);
  // A quarter turn (counter-clockwise in y-up space) moves the top-left red pixel to bottom-left.
  auto turned = base->transformed(CGAffineTransform::rotation(M_PI / 2));
  ASSERT_NE(turned, nullptr);
  EXPECT_EQ(turned->extent().size, (CGSize{2, 2}));
  EXPECT_EQ(turned->bitmap()->pixel(0, 1), 0xffff0000u);
  EXPECT_EQ(turned->bitmap()->pixel(1, 0), 0xffffffffu);
  EXPECT_EQ(base->transformed(CGAffineTransform::scale(0, 0)), nullptr);
  EXPECT_EQ(base->transformed(CGAffineTransform::scale(1e7, 1e7)), nullptr);
}

TEST(CIImageTest, ComesFromUIImagesWithBitmapsAndGoesBack) {
  EXPECT_EQ(CIImage::create(std::shared_ptr<UIImage>()), nullptr);
  EXPECT_EQ(CIImage::create(UIImage::createWithoutBitmap({10, 10})), nullptr);
  EXPECT_EQ(CIImage::create(std::shared_ptr<const CGImage>()), nullptr);
  auto image = CIImage::create(UIImage::create(twoByTwo(), 1, UIImageOrientation::right));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->properties().value(kCGImagePropertyOrientation, 0), 6);
  EXPECT_FALSE(
      CIImage::create(UIImage::create(twoByTwo()))->properties().contains(kCGImagePropertyOrientation));
  auto back = UIImageWithCIImage(image->transformed(CGAffineTransform::scale(3, 3)), 2);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->size(), (CGSize{3, 3}));
  EXPECT_EQ(UIImageWithCIImage(nullptr), nullptr);
}

TEST(CIImageTest, ContextCropsInYUpSpace) {
  auto context = CIContext::create();
  auto image = CIImage::create(twoByTwo());
  auto all = context->createCGImage(image, image->extent());
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->pixel(0, 0), 0xffff0000u);
  // The bottom row sits at y 0..1 in Core Image space.
  auto bottom = context->createCGImage(image, CGRect(0, 0, 2, 1));
  ASSERT_NE(bottom, nullptr);
  EXPECT_EQ(bottom->height(), 1);
  EXPECT_EQ(bottom->pixel(0, 0), 0xff0000ffu);
  auto outside = context->createCGImage(image, CGRect(1, 1, 2, 2));
  // x 1..3, y 1..3: only the image's top-right pixel (green) lies inside, at the bottom-left.
  EXPECT_EQ(outside->pixel(0, 1), 0xff00ff00u);
  EXPECT_EQ(outside->pixel(0, 0), 0u);
  EXPECT_EQ(outside->pixel(1, 1), 0u);
  EXPECT_EQ(context->createCGImage(nullptr, CGRect(0, 0, 1, 1)), nullptr);
  EXPECT_EQ(context->createCGImage(image, CGRect::null), nullptr);
}

}  // namespace
}  // namespace ios
