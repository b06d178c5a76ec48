#include <Foundation/Console.h>
#include <UIKit/UIScreen.h>
#include <Ultilities/Extensions/UIImageEffectsExtension.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGSize;
using ios::UIImage;

using ios::test::channel;
using ios::test::painted;

std::shared_ptr<UIImage> solid(std::uint32_t color, int size = 8) {
  return ios::test::solid(size, size, color);
}

int red(std::uint32_t pixel) {
  return channel(pixel, 16);
}

void expectNear(std::uint32_t pixel, int r, int g, int b, int tolerance = 2) {
  const int expected[] = {r, g, b};
  for (int i = 0; i < 3; ++i)
    EXPECT_LE(std::abs(channel(pixel, 16 - 8 * i) - expected[i]), tolerance) << std::hex << pixel;
}

TEST(ImageEffects, RefusesImagesItCannotWorkOnWithOneLine) {
  {
    auto tiny = UIImage::createWithoutBitmap(CGSize{0.5, 10});
    ios::ConsoleCapture capture;
    EXPECT_EQ(applyBlurWithRadius(*tiny, 5, nullptr, 1.0), nullptr);
    EXPECT_EQ(capture.output(), "*** error: invalid size: 0.5 x 10.0. Both dimensions must be >= 1: " +
                                    tiny->description() + "\n");
  }
  {
    auto hollow = UIImage::createWithoutBitmap(CGSize{10, 10});
    ios::ConsoleCapture capture;
    EXPECT_EQ(applyDarkEffect(*hollow), nullptr);
    EXPECT_EQ(capture.output(),
              "*** error: image must be backed by a CGImage: " + hollow->description() + "\n");
  }
  {
    auto fine = solid(0xFFFF0000);
    auto hollowMask = UIImage::createWithoutBitmap(CGSize{8, 8});
    ios::ConsoleCapture capture;
    EXPECT_EQ(applyBlurWithRadius(*fine, 5, nullptr, 1.0, hollowMask), nullptr);
    EXPECT_EQ(capture.output(),
              "*** error: maskImage must be backed by a CGImage: " + hollowMask->description() + "\n");
  }
}

TEST(ImageEffects, BoxSizesAndTheSaturationMatrixMatchTheWorkedValues) {
  EXPECT_EQ(blurBoxSize(30 * 2), 113u);
  EXPECT_EQ(blurBoxSize(20 * 2), 75u);
  EXPECT_EQ(blurBoxSize(10 * 2), 39u);  // 38 made odd
  EXPECT_EQ(blurBoxSize(30), 57u);
  EXPECT_EQ(blurBoxSize(20), 39u);
  EXPECT_EQ(blurBoxSize(10), 19u);
  EXPECT_EQ(blurBoxSize(0), 1u);
  EXPECT_FALSE(blurBoxSize(1e12));

  using Matrix = std::array<std::int16_t, 16>;
  EXPECT_EQ(saturationMatrix(1.8),
            (Matrix{446, -15, -15, 0, -146, 314, -146, 0, -44, -44, 417, 0, 0, 0, 0, 256}));
  EXPECT_EQ(saturationMatrix(-1.0),
            (Matrix{-219, 37, 37, 0, 366, 110, 366, 0, 109, 109, -147, 0, 0, 0, 0, 256}));
  EXPECT_FALSE(saturationMatrix(200));
}

TEST(ImageEffects, NoEffectRedrawsTheReceiverAtTheScreenScale) {
  ASSERT_EQ(ios::UIScreen::main()->scale(), 2);
  auto source = solid(0xFF3366CC, 4);
  auto result = applyBlurWithRadius(*source, 0, nullptr, 1.0);
  ASSERT_TRUE(result && result->cgImage());
  EXPECT_EQ(result->scale(), 2);
  EXPECT_EQ(result->size(), (CGSize{4, 4}));
  EXPECT_EQ(result->cgImage()->width(), 8);
  EXPECT_EQ(result->cgImage()->pixel(3, 5), 0xFF3366CCu);
  EXPECT_NE(result, source);

  // With a tint only: the tint laid over the whole rectangle.
  auto tinted = applyBlurWithRadius(*solid(0xFFFF0000, 4), 0, ios::UIColor::create(1, 0.5), 1.0);
  ASSERT_TRUE(tinted);
  expectNear(tinted->cgImage()->pixel(0, 0), 255, 128, 128);
  expectNear(tinted->cgImage()->pixel(7, 7), 255, 128, 128);
}

TEST(ImageEffects, SaturationZeroGivesTheGreyVersion) {
  auto result = applyBlurWithRadius(*solid(0xFFFF0000), 0, nullptr, 0.0);
  ASSERT_TRUE(result);
  // Red's luma weight 0.2126, as 54/256.
  expectNear(result->cgImage()->pixel(4, 4), 54, 54, 54, 1);
  auto saturated = applyBlurWithRadius(*solid(0xFF808080), 0, nullptr, 1.8);
  expectNear(saturated->cgImage()->pixel(4, 4), 128, 128, 128, 1);  // greys stay grey
}

TEST(ImageEffects, BlurSpreadsAnEdgeAndExtendsTheBorders) {
  // 40 x 8 points, black on the left half, white on the right; at scale 2, radius 5 gives boxes of 19.
  auto halves = painted(40, 8, [](int x, int) { return x < 20 ? 0xFF000000u : 0xFFFFFFFFu; });
  auto blurred = applyBlurWithRadius(*halves, 5, nullptr, 1.0);
  ASSERT_TRUE(blurred && blurred->cgImage());
  const auto& pixels = *blurred->cgImage();
  ASSERT_EQ(pixels.width(), 80);
  EXPECT_EQ(red(pixels.pixel(0, 8)), 0);
  EXPECT_EQ(red(pixels.pixel(79, 8)), 255);
  EXPECT_GT(red(pixels.pixel(40, 8)), 90);
  EXPECT_LT(red(pixels.pixel(40, 8)), 165);
  for (int x = 20; x < 60; ++x) EXPECT_LE(red(pixels.pixel(x, 8)), red(pixels.pixel(x + 1, 8)));
  EXPECT_GT(red(pixels.pixel(30, 8)), 0);
  EXPECT_LT(red(pixels.pixel(50, 8)), 255);
}

TEST(ImageEffects, TheMaskLimitsTheEffectButNotTheTint) {
  auto mask = painted(8, 8, [](int x, int) { return x < 4 ? 0xFFFFFFFFu : 0x00000000u; });
  auto result = applyBlurWithRadius(*solid(0xFFFF0000), 0, nullptr, 0.0, mask);
  ASSERT_TRUE(result);
  expectNear(result->cgImage()->pixel(2, 8), 54, 54, 54, 1);  // effect shows
  expectNear(result->cgImage()->pixel(13, 8), 255, 0, 0, 0);  // the receiver as it was

  auto tinted = applyBlurWithRadius(*solid(0xFFFF0000), 0, ios::UIColor::create(0, 1), 0.0, mask);
  ASSERT_TRUE(tinted);
  expectNear(tinted->cgImage()->pixel(13, 8), 0, 0, 0, 0);
  expectNear(tinted->cgImage()->pixel(2, 8), 0, 0, 0, 0);

  // An opaque mask lets through by its grey level.
  auto greyMask = painted(8, 8, [](int x, int) { return x < 4 ? 0xFFFFFFFFu : 0xFF000000u; });
  auto byLevel = applyBlurWithRadius(*solid(0xFFFF0000), 0, nullptr, 0.0, greyMask);
  expectNear(byLevel->cgImage()->pixel(2, 8), 54, 54, 54, 1);
  expectNear(byLevel->cgImage()->pixel(13, 8), 255, 0, 0, 0);
}

// Each preset's own tint is the blur pictures' test; here, the tint preset's handling of a grey and of
// no colour.
TEST(ImageEffects, TheTintPresetKeepsAGreysHueAndLaysNoTintWithoutAColour) {
  // A white image is left as it is by blur and saturation, so only the tint shows, at alpha 0.6.
  auto white = solid(0xFFFFFFFF);
  expectNear(applyTintEffectWithColor(*white, ios::UIColor::create(0.5, 1))->cgImage()->pixel(4, 4), 178, 178,
             178);
  // Without a colour no tint is laid.
  expectNear(applyTintEffectWithColor(*white, nullptr)->cgImage()->pixel(4, 4), 255, 255, 255);
}

}  // namespace
}  // namespace kerbelin
