#include <ImageIO/JPEGCodec.h>
#include <ImageIO/PNGCodec.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace ios {
namespace {

const std::uint8_t* bytesOf(const Data& d) {
  return d.data();
}

// A gradient with every alpha level along x, so premultiplication is exercised at each level.
std::shared_ptr<CGImage> translucentGradient() {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 256; ++x) {
      const std::uint32_t a = static_cast<std::uint32_t>(x);
      const std::uint32_t r = a * (y + 1) / 4, g = a / 2, b = a * (3 - y) / 4;
      pixels.push_back(a << 24 | r << 16 | g << 8 | b);
    }
  return CGImage::create(256, 4, std::move(pixels));
}

std::shared_ptr<CGImage> opaqueGradient(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x * 255 / width) << 16 |
                       static_cast<std::uint32_t>(y * 255 / height) << 8 | 0x40);
  return CGImage::create(width, height, std::move(pixels));
}

int largestChannelDifference(const CGImage& a, const CGImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a.pixel(x, y) >> shift) & 0xFF) -
                                         static_cast<int>((b.pixel(x, y) >> shift) & 0xFF)));
  return worst;
}

TEST(PNGCodec, RoundTripIsExactForPremultipliedPixels) {
  for (const auto& image : {translucentGradient(), opaqueGradient(33, 17)}) {
    const auto png = PNGCodec::encode(*image);
    ASSERT_TRUE(png);
    auto decoded = PNGCodec::decode(bytesOf(*png), png->count());
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->width(), image->width());
    ASSERT_EQ(decoded->height(), image->height());
    EXPECT_EQ(largestChannelDifference(*decoded, *image), 0);
  }
}

// Cut files are checked through UIImage for every format.
TEST(PNGCodec, DamagedFilesDecodeToNothing) {
  const auto png = *PNGCodec::encode(*opaqueGradient(40, 40));
  std::string flipped = png.bytes;
  flipped[png.count() / 2] ^= 0x55;  // in the compressed data: the chunk's checksum no longer matches
  EXPECT_FALSE(PNGCodec::decode(reinterpret_cast<const std::uint8_t*>(flipped.data()), flipped.size()));

  std::string huge = png.bytes;  // IHDR claiming 60000 x 60000 pixels
  const unsigned char dims[8] = {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60};
  huge.replace(16, 8, reinterpret_cast<const char*>(dims), 8);
  EXPECT_FALSE(PNGCodec::decode(reinterpret_cast<const std::uint8_t*>(huge.data()), huge.size()));
}

TEST(JPEGCodec, RoundTripIsClose) {
  auto image = opaqueGradient(64, 48);
  const auto best = JPEGCodec::encode(*image, 100);
  ASSERT_TRUE(best);
  auto decoded = JPEGCodec::decode(bytesOf(*best), best->count());
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->width(), 64);
  ASSERT_EQ(decoded->height(), 48);
  EXPECT_LE(largestChannelDifference(*decoded, *image), 6);
  EXPECT_FALSE(decoded->hasAlpha());
}

TEST(JPEGCodec, TranslucentPixelsComeOutAsOverBlack) {
  auto halfRed = CGImage::create(8, 8, std::vector<std::uint32_t>(64, 0x80800000));
  const auto jpeg = JPEGCodec::encode(*halfRed, 100);
  ASSERT_TRUE(jpeg);
  auto decoded = JPEGCodec::decode(bytesOf(*jpeg), jpeg->count());
  ASSERT_TRUE(decoded);
  const std::uint32_t p = decoded->pixel(4, 4);
  EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 0x80, 3);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 0, 3);
}

TEST(JPEGCodec, DamagedFilesDecodeToNothing) {
  const auto jpeg = *JPEGCodec::encode(*opaqueGradient(64, 64), 90);
  std::string garbage = jpeg.bytes.substr(0, 4) + std::string(500, '\x42');
  EXPECT_FALSE(JPEGCodec::decode(reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size()));
}

TEST(JPEGCodec, EncoderFailuresAreReported) {
  // JPEG cannot describe more than 65500 pixels a side.
  auto tooWide = CGImage::create(70000, 1);
  ASSERT_TRUE(tooWide);
  EXPECT_FALSE(JPEGCodec::encode(*tooWide, 80));

  auto image = opaqueGradient(4, 4);
  JPEGCodec::failNextEncodings(2);
  EXPECT_FALSE(JPEGCodec::encode(*image, 80));
  EXPECT_FALSE(JPEGCodec::encode(*image, 80));
  EXPECT_TRUE(JPEGCodec::encode(*image, 80));
}

}  // namespace
}  // namespace ios
