#include <CoreGraphics/CGImage.h>
#include <Photos/PHAsset.h>
#include <Photos/PHAssetResource.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIPanGestureRecognizer.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Extensions/PHAssetMimeTypeExtension.h>
#include <Ultilities/Extensions/UIImageHelperExtension.h>
#include <Ultilities/Extensions/UIPanGestureDirectionExtension.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>
#include <support/WindowTest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGRect;
using ios::CGSize;
using ios::UIImage;

using ios::test::kRed;
constexpr std::uint32_t kClear = 0x00000000;
constexpr long long kMiB = 1024 * 1024;

using ios::test::solid;

// Opaque random pixels: JPEG cannot shrink them much, so high qualities stay large.
std::shared_ptr<UIImage> noise(int width, int height) {
  std::mt19937 random(7);
  return ios::test::painted(width, height, [&](int, int) { return 0xFF000000 | (random() & 0xFFFFFF); });
}

std::uint32_t pixel(const UIImage& image, int x, int y) {
  return image.cgImage()->pixel(x, y);
}

TEST(ImageInsets, AddsTransparentMarginsAtTheImagesScale) {
  auto image = solid(20, 40, kRed, 2);  // 10 x 20 points
  auto padded = imageWithInsets(*image, ios::UIEdgeInsets{1, 2, 3, 4});
  ASSERT_NE(padded, nullptr);
  EXPECT_EQ(padded->size(), (CGSize{16, 24}));
  EXPECT_EQ(padded->scale(), 2);
  ASSERT_NE(padded->cgImage(), nullptr);
  EXPECT_EQ(padded->cgImage()->width(), 32);
  EXPECT_EQ(padded->cgImage()->height(), 48);
  // The image starts at (left, top) = (2, 1) points, i.e. pixel (4, 2), and ends 20 x 40 pixels on.
  EXPECT_EQ(pixel(*padded, 4, 2), kRed);
  EXPECT_EQ(pixel(*padded, 23, 41), kRed);
  EXPECT_EQ(pixel(*padded, 3, 2), kClear);
  EXPECT_EQ(pixel(*padded, 4, 1), kClear);
  EXPECT_EQ(pixel(*padded, 24, 41), kClear);
  EXPECT_EQ(pixel(*padded, 23, 42), kClear);
  EXPECT_EQ(pixel(*padded, 31, 47), kClear);
}

TEST(ImageFromColor, FillsEveryPixelAtScaleOne) {
  auto image = fromColor(ios::UIColor::create(0, 0, 1, 1), CGSize{3, 2});
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->scale(), 1);
  EXPECT_EQ(image->size(), (CGSize{3, 2}));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pixel(*image, x, y), 0xFF0000FFu) << x << "," << y;

  // A translucent colour is stored premultiplied, not blended over anything.
  auto half = fromColor(ios::UIColor::create(1, 0, 0, 0.5), CGSize{1, 1});
  const std::uint32_t p = pixel(*half, 0, 0);
  EXPECT_NEAR(p >> 24, 128, 1);
  EXPECT_NEAR((p >> 16) & 0xFF, 128, 1);
  EXPECT_EQ(p & 0xFFFF, 0u);
}

TEST(ImageCompression, ASmallImageGivesTheFullQualityAndALimitOfZeroTheLowest) {
  auto image = solid(32, 32, 0xFF3366CC);
  auto data = compressTo(*image, 1);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->bytes, image->jpegData(1.0)->bytes);
  EXPECT_NE(data->bytes, image->jpegData(0.9)->bytes);
  // A JPEG stream.
  ASSERT_GE(data->count(), 2u);
  EXPECT_EQ((*data)[0], 0xFF);
  EXPECT_EQ((*data)[1], 0xD8);

  auto lowest = compressTo(*image, 0);  // nothing is below 0 bytes
  ASSERT_TRUE(lowest.has_value());
  EXPECT_EQ(lowest->bytes, image->jpegData(0.1)->bytes);
}

TEST(ImageCompression, ALargeImageEndsWithTheFirstQualityUnderTheLimit) {
  auto image = noise(1000, 1000);
  auto data = compressTo(*image, 1);
  ASSERT_TRUE(data.has_value());
  EXPECT_LT(static_cast<long long>(data->count()), kMiB);
  // Every higher quality of the sequence was too large, and this one is one of the sequence.
  bool matched = false;
  int tries = 0;
  for (double quality = 1.0; quality > 0 && !matched; quality -= 0.1, ++tries) {
    auto encoded = image->jpegData(quality);
    ASSERT_TRUE(encoded.has_value());
    matched = encoded->bytes == data->bytes;
    if (!matched) {
      EXPECT_GE(static_cast<long long>(encoded->count()), kMiB) << "quality " << quality;
    }
  }
  EXPECT_TRUE(matched);
  EXPECT_GT(tries, 1);  // the full quality did not fit
}

TEST(ImageCompression, EncoderFailuresLowerTheQualityAndTheSearchAlwaysEnds) {
  auto image = solid(32, 32, 0xFF3366CC);
  UIImage::failNextJPEGEncodings(1);
  auto afterOneFailure = compressTo(*image, 1);
  ASSERT_TRUE(afterOneFailure.has_value());
  EXPECT_EQ(afterOneFailure->bytes, image->jpegData(0.9)->bytes);

  // All eleven tries fail; the last resort at 0.1 works.
  UIImage::failNextJPEGEncodings(11);
  auto lastResort = compressTo(*image, 1);
  ASSERT_TRUE(lastResort.has_value());
  EXPECT_EQ(lastResort->bytes, image->jpegData(0.1)->bytes);

  // The last resort fails as well: nothing.
  UIImage::failNextJPEGEncodings(12);
  EXPECT_FALSE(compressTo(*image, 1).has_value());
  EXPECT_TRUE(image->jpegData(1.0).has_value());  // no failure left over

  // An image without a bitmap cannot be encoded at all.
  EXPECT_FALSE(compressTo(*UIImage::createWithoutBitmap(CGSize{10, 10}), 1).has_value());
}

TEST(ImageViewCorners, CircleFromTheFrameHeightAndFixedRadius) {
  auto round = ios::UIImageView::create(CGRect(0, 0, 40, 60));
  customBorderImageView(*round);
  EXPECT_EQ(round->layer()->cornerRadius(), 30);
  EXPECT_TRUE(round->layer()->masksToBounds());

  auto rounded = ios::UIImageView::create(CGRect(0, 0, 40, 60));
  customCornerRadius(*rounded);
  EXPECT_EQ(rounded->layer()->cornerRadius(), 8);
  EXPECT_TRUE(rounded->layer()->masksToBounds());
}

// A pan on a view inside a window, driven by a finger that is still down when the direction is read.
class PanDirectionOfDrag : public ios::test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    view = ios::UIView::create(CGRect(0, 100, 375, 500));
    window->addSubview(view);
    pan = std::make_shared<ios::UIPanGestureRecognizer>();
    view->addGestureRecognizer(pan);
  }
  std::optional<Direction> drag(ios::CGPoint from, ios::CGPoint to) {
    ios::TouchGenerator touches(window);
    touches.drag(from, to, 0.125, 8, false);
    auto result = direction(*pan);
    touches.up();
    return result;
  }
  std::shared_ptr<ios::UIView> view;
  std::shared_ptr<ios::UIPanGestureRecognizer> pan;
};

TEST_F(PanDirectionOfDrag, TheFasterAxisDecidesAndEqualSpeedsCountAsHorizontal) {
  EXPECT_EQ(drag({100, 300}, {260, 300}), Direction::Right);
  EXPECT_EQ(drag({260, 300}, {100, 300}), Direction::Left);
  EXPECT_EQ(drag({100, 400}, {100, 240}), Direction::Up);
  EXPECT_EQ(drag({100, 240}, {100, 400}), Direction::Down);
  EXPECT_EQ(drag({100, 300}, {164, 340}), Direction::Right);  // mostly horizontal
  EXPECT_EQ(drag({100, 300}, {140, 236}), Direction::Up);     // mostly vertical
  EXPECT_EQ(drag({100, 400}, {164, 336}), Direction::Right);  // equal magnitudes, (+, -)
  EXPECT_EQ(drag({164, 400}, {100, 464}), Direction::Left);   // equal magnitudes, (-, +)
}

TEST_F(PanDirectionOfDrag, APanAtRestHasNoDirection) {
  EXPECT_EQ(direction(*pan), std::nullopt);
  // A finger that stops moving: the velocity of the last stretch is zero.
  ios::TouchGenerator touches(window);
  touches.drag({100, 300}, {200, 300}, 0.1, 5, false);
  for (int i = 0; i < 3; ++i) {
    advance(0.06);
    touches.move({200, 300});
  }
  EXPECT_EQ(direction(*pan), std::nullopt);
  touches.up();
}

TEST(AssetMimeType, FirstResourceDecidesWithTheFallbackOtherwise) {
  using ios::PHAssetResource;
  using ios::PHAssetResourceType;
  auto photo = ios::PHAsset::create(
      "a", ios::PHAssetMediaType::image,
      {PHAssetResource::create(PHAssetResourceType::photo, "public.jpeg", "IMG_1.JPG"),
       PHAssetResource::create(PHAssetResourceType::video, "com.apple.quicktime-movie", "IMG_1.MOV")});
  EXPECT_EQ(utiMimeType(photo), "image/jpeg");

  auto movie = ios::PHAsset::create(
      "b", ios::PHAssetMediaType::video,
      {PHAssetResource::create(PHAssetResourceType::video, "com.apple.quicktime-movie", "IMG_2.MOV"),
       PHAssetResource::create(PHAssetResourceType::photo, "public.png", "IMG_2.PNG")});
  EXPECT_EQ(utiMimeType(movie), "video/quicktime");

  EXPECT_EQ(utiMimeType(ios::PHAsset::create("c", ios::PHAssetMediaType::image, {})), "video/mpsd");
  auto unknown = ios::PHAsset::create(
      "d", ios::PHAssetMediaType::unknown,
      {PHAssetResource::create(PHAssetResourceType::photo, "com.example.raw-photo", "X.RAW")});
  EXPECT_EQ(utiMimeType(unknown), "video/mpsd");
  EXPECT_EQ(utiMimeType(nullptr), "video/mpsd");
}

}  // namespace
}  // namespace kerbelin
