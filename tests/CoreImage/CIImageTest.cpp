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

}  // namespace
}  // namespace ios
