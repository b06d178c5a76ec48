#include <Accelerate/RoundedDivider.h>
#include <Accelerate/vImageConvolution.h>
#include <Accelerate/vImageTransform.h>
#include <CoreGraphics/CGImage.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace ios {
namespace {

// A byte image with padded rows, so row bytes are honoured rather than assumed.
struct Image {
  int width, height;
  std::size_t rowBytes;
  std::vector<std::uint8_t> bytes;

  Image(int w, int h, std::size_t padding = 8)
      : width(w), height(h), rowBytes(static_cast<std::size_t>(w) * 4 + padding), bytes(rowBytes * h, 0xEE) {}
  std::uint8_t* at(int x, int y) { return &bytes[static_cast<std::size_t>(y) * rowBytes + x * 4]; }
  vImage_Buffer buffer() {
    return {bytes.data(), static_cast<vImagePixelCount>(height), static_cast<vImagePixelCount>(width),
            rowBytes};
  }
};

Image randomImage(int w, int h, unsigned seed) {
  Image image(w, h);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 4; ++c) image.at(x, y)[c] = static_cast<std::uint8_t>(random());
  return image;
}

// The definition, one window at a time: mean over the window with edge pixels repeated, rounded to
// nearest.
std::uint8_t referenceBox(Image& src, int cx, int cy, int c, int kw, int kh) {
  long long sum = 0;
  for (int dy = -kh / 2; dy <= kh / 2; ++dy)
    for (int dx = -kw / 2; dx <= kw / 2; ++dx)
      sum += src.at(std::clamp(cx + dx, 0, src.width - 1), std::clamp(cy + dy, 0, src.height - 1))[c];
  const long long n = static_cast<long long>(kw) * kh;
  return static_cast<std::uint8_t>((sum + n / 2) / n);
}

void expectMatchesReference(Image& src, Image& dest, int kw, int kh) {
  for (int y = 0; y < dest.height; ++y)
    for (int x = 0; x < dest.width; ++x)
      for (int c = 0; c < 4; ++c)
        ASSERT_EQ(dest.at(x, y)[c], referenceBox(src, x, y, c, kw, kh))
            << "pixel " << x << "," << y << " channel " << c << " kernel " << kw << "x" << kh;
}

// Powers of two take the shift, the rest the corrected reciprocal; both must round halves up exactly
// over the sums the image filters divide (far below 2^53).
TEST(RoundedDivider, RoundsToNearestWithHalvesUp) {
  const std::uint64_t big = std::uint64_t{1} << 40;
  const std::uint64_t divisors[] = {1, 2, 3, 7, 9, 255, 256, 1u << 20, 1000003};
  const std::uint64_t values[] = {0, 1, 2, 3, 127, 128, 129, 255 * 256 + 127, 255 * 256 + 128, big + 1, big + 3};
  for (std::uint64_t d : divisors) {
    const RoundedDivider divide(d);
    for (std::uint64_t v : values) EXPECT_EQ(divide(v), (v + d / 2) / d) << v << " / " << d;
  }
}

TEST(vImageBoxConvolve, MatchesTheDefinitionWithEdgeExtension) {
  struct Case {
    int w, h, kw, kh;
  };
  for (const Case& k : {Case{9, 7, 3, 3}, Case{9, 7, 5, 1}, Case{6, 11, 1, 7}, Case{5, 4, 13, 9},
                        Case{1, 1, 3, 3}, Case{20, 3, 39, 39}}) {
    Image src = randomImage(k.w, k.h, static_cast<unsigned>(k.w * 31 + k.kw));
    Image dest(k.w, k.h, 4);
    auto s = src.buffer(), d = dest.buffer();
    ASSERT_EQ(vImageBoxConvolve_ARGB8888(&s, &d, nullptr, 0, 0, k.kh, k.kw, nullptr, kvImageEdgeExtend),
              kvImageNoError);
    expectMatchesReference(src, dest, k.kw, k.kh);
  }
}

TEST(vImageBoxConvolve, PassesCanPingPongAndWorkInPlace) {
  Image a = randomImage(12, 9, 3), b(12, 9);
  Image original = a;
  auto ab = a.buffer(), bb = b.buffer();
  ASSERT_EQ(vImageBoxConvolve_ARGB8888(&ab, &bb, nullptr, 0, 0, 5, 5, nullptr, kvImageEdgeExtend),
            kvImageNoError);
  ASSERT_EQ(vImageBoxConvolve_ARGB8888(&ab, &ab, nullptr, 0, 0, 5, 5, nullptr, kvImageEdgeExtend),
            kvImageNoError);
  EXPECT_EQ(a.bytes, b.bytes);  // row padding included: neither pass writes past the pixels
  expectMatchesReference(original, b, 5, 5);
  // A uniform image stays itself under any kernel.
  Image flat(7, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) std::fill_n(flat.at(x, y), 4, 77);
  auto fb = flat.buffer();
  ASSERT_EQ(vImageBoxConvolve_ARGB8888(&fb, &fb, nullptr, 0, 0, 113, 113, nullptr, kvImageEdgeExtend),
            kvImageNoError);
  EXPECT_EQ(flat.at(3, 3)[0], 77);
  EXPECT_EQ(flat.at(0, 6)[3], 77);
}

TEST(vImageBoxConvolve, RefusesBadArguments) {
  Image src(4, 4), dest(4, 4);
  auto s = src.buffer(), d = dest.buffer();
  EXPECT_EQ(vImageBoxConvolve_ARGB8888(&s, &d, nullptr, 0, 0, 4, 3, nullptr, kvImageEdgeExtend),
            kvImageInvalidKernelSize);
  EXPECT_EQ(vImageBoxConvolve_ARGB8888(&s, &d, nullptr, 0, 0, 3, 0, nullptr, kvImageEdgeExtend),
            kvImageInvalidKernelSize);
  EXPECT_EQ(vImageBoxConvolve_ARGB8888(&s, &d, nullptr, 0, 0, 3, 3, nullptr, kvImageNoFlags),
            kvImageInvalidEdgeStyle);
  EXPECT_EQ(vImageBoxConvolve_ARGB8888(&s, &d, nullptr, 0, 0, 3, 3, nullptr,
                                       kvImageEdgeExtend | kvImageTruncateKernel),
            kvImageInvalidEdgeStyle);
  EXPECT_EQ(vImageBoxConvolve_ARGB8888(nullptr, &d, nullptr, 0, 0, 3, 3, nullptr, kvImageEdgeExtend),
            kvImageNullPointerArgument);
  EXPECT_EQ(vImageBoxConvolve_ARGB8888(&s, &d, nullptr, 0, 0, 3, 3, nullptr, kvImageEdgeExtend | (1u << 20)),
            kvImageUnknownFlagsBit);
  EXPECT_EQ(vImageBoxConvolve_ARGB8888(&s, &d, nullptr, 0, 0, 3, 3, nullptr, kvImageGetTempBufferSize), 0);
}

// Rec. 709 luma weights, rows and columns in our memory order B, G, R, A, scaled by 256: a
// saturation factor s keeps s of the colour and adds (1 - s) of the grey.
std::vector<std::int16_t> saturationMatrix(double s) {
  const double m[16] = {0.0722 + 0.9278 * s,
                        0.0722 - 0.0722 * s,
                        0.0722 - 0.0722 * s,
                        0,
                        0.7152 - 0.7152 * s,
                        0.7152 + 0.2848 * s,
                        0.7152 - 0.7152 * s,
                        0,
                        0.2126 - 0.2126 * s,
                        0.2126 - 0.2126 * s,
                        0.2126 + 0.7873 * s,
                        0,
                        0,
                        0,
                        0,
                        1};
  std::vector<std::int16_t> out;
  for (double v : m) out.push_back(static_cast<std::int16_t>(std::round(v * 256)));
  return out;
}

TEST(vImageMatrixMultiply, SaturatingClampsAndBadArgumentsAreRefused) {
  auto image = CGImage::create(2, 1, {0xFFFF0000, 0x80404020});
  auto out = CGImage::create(2, 1);
  vImage_Buffer src{image->mutablePixels(), 1, 2, image->bytesPerRow()};
  vImage_Buffer dest{out->mutablePixels(), 1, 2, out->bytesPerRow()};
  const auto vivid = saturationMatrix(1.8);
  // Its first row: 446, -15, -15, 0.
  ASSERT_EQ(vImageMatrixMultiply_ARGB8888(&src, &dest, vivid.data(), 256, nullptr, nullptr, 0),
            kvImageNoError);
  EXPECT_EQ(out->pixel(0, 0), 0xFFFF0000u);  // 415 clamps to 255, -44 to 0
  // Blue 32: (32*446 + 64*(-146) + 64*(-44)) / 256 = 8.25 -> 8; green: (32*-15 + 64*314 + 64*-44)/256 = 65.6
  // -> 66; red: (32*-15 + 64*-146 + 64*417)/256 = 65.9 -> 66.
  EXPECT_EQ(out->pixel(1, 0), 0x80424208u);

  const std::int16_t identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  EXPECT_EQ(vImageMatrixMultiply_ARGB8888(&src, &dest, identity, 0, nullptr, nullptr, 0),
            kvImageInvalidParameter);
  EXPECT_EQ(vImageMatrixMultiply_ARGB8888(&src, &dest, nullptr, 1, nullptr, nullptr, 0),
            kvImageNullPointerArgument);
  EXPECT_EQ(vImageMatrixMultiply_ARGB8888(&src, &dest, identity, 1, nullptr, nullptr, kvImageEdgeExtend),
            kvImageUnknownFlagsBit);
}

}  // namespace
}  // namespace ios
