#include <ImageIO/CGImageSource.h>

#include <ImageIO/GifTestWriter.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ios {
namespace {

using testing::GifColor;
using testing::GifFrame;
using testing::GifTestWriter;

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                        kClear = 0;
const std::vector<GifColor> kPalette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

GifFrame solid(int left, int top, int width, int height, std::uint8_t index) {
  GifFrame f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.indices.assign(static_cast<std::size_t>(width * height), index);
  return f;
}

// Rows of pixels, top to bottom, for readable expectations.
std::vector<std::vector<std::uint32_t>> rows(const CGImage& image) {
  std::vector<std::vector<std::uint32_t>> out(static_cast<std::size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) out[y].push_back(image.pixel(x, y));
  return out;
}

std::shared_ptr<CGImageSource> source(const std::string& bytes) {
  return CGImageSource::create(Data(bytes));
}

// Four frames on a 4 x 4 screen that exercise every disposal method and transparency:
//  0: all red, kept (disposal 1)
//  1: green 2 x 2 at (1, 1), cleared to transparent afterwards (disposal 2)
//  2: blue 2 x 2 at (2, 2) with one transparent pixel, restored to what was before (disposal 3)
//  3: one white pixel at (0, 0) from its own colour table (disposal 0)
std::string disposalGif() {
  GifFrame f0 = solid(0, 0, 4, 4, 0);
  f0.disposal = 1;
  GifFrame f1 = solid(1, 1, 2, 2, 1);
  f1.disposal = 2;
  GifFrame f2 = solid(2, 2, 2, 2, 2);
  f2.indices = {2, 3, 2, 2};
  f2.transparentIndex = 3;
  f2.disposal = 3;
  GifFrame f3 = solid(0, 0, 1, 1, 0);
  f3.localColors = {{255, 255, 255}};
  return GifTestWriter::write(4, 4, kPalette, {f0, f1, f2, f3});
}

using Rows = std::vector<std::vector<std::uint32_t>>;
const Rows kFrame0 = {
    {kRed, kRed, kRed, kRed}, {kRed, kRed, kRed, kRed}, {kRed, kRed, kRed, kRed}, {kRed, kRed, kRed, kRed}};
const Rows kFrame1 = {{kRed, kRed, kRed, kRed},
                      {kRed, kGreen, kGreen, kRed},
                      {kRed, kGreen, kGreen, kRed},
                      {kRed, kRed, kRed, kRed}};
const Rows kFrame2 = {{kRed, kRed, kRed, kRed},
                      {kRed, kClear, kClear, kRed},
                      {kRed, kClear, kBlue, kRed},
                      {kRed, kRed, kBlue, kBlue}};
const Rows kFrame3 = {{kWhite, kRed, kRed, kRed},
                      {kRed, kClear, kClear, kRed},
                      {kRed, kClear, kClear, kRed},
                      {kRed, kRed, kRed, kRed}};

TEST(CGImageSourceGIF, CompositesEveryDisposalMethodAndTransparency) {
  auto gif = source(disposalGif());
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->type(), "com.compuserve.gif");
  ASSERT_EQ(gif->count(), 4u);
  const Rows expected[] = {kFrame0, kFrame1, kFrame2, kFrame3};
  for (std::size_t i = 0; i < 4; ++i) {
    auto image = gif->createImage(i);
    ASSERT_TRUE(image) << i;
    EXPECT_EQ(rows(*image), expected[i]) << "frame " << i;
  }
  EXPECT_FALSE(gif->createImage(4));
}

TEST(CGImageSourceGIF, AFrameThatCannotBeDecodedFailsAlone) {
  GifFrame f0 = solid(0, 0, 2, 2, 0);
  GifFrame broken = solid(0, 0, 2, 2, 1);
  broken.endAfterPixels = 2;  // the data stops half way
  GifFrame f2 = solid(1, 1, 1, 1, 2);
  auto gif = source(GifTestWriter::write(2, 2, kPalette, {f0, broken, f2}));
  ASSERT_TRUE(gif);
  ASSERT_EQ(gif->count(), 3u);
  EXPECT_TRUE(gif->createImage(0));
  EXPECT_FALSE(gif->createImage(1));
  auto last = gif->createImage(2);
  ASSERT_TRUE(last);
  // The broken frame left nothing behind: frame 2 lies on frame 0.
  EXPECT_EQ(rows(*last), (Rows{{kRed, kRed}, {kRed, kBlue}}));
  EXPECT_TRUE(gif->properties(1));  // its delay is still readable
}

TEST(CGImageSourceGIF, TruncatedFilesKeepTheFramesBeforeTheCut) {
  const std::string whole =
      GifTestWriter::write(4, 4, kPalette, {solid(0, 0, 4, 4, 0), solid(0, 0, 4, 4, 1)});
  // The second frame starts where a one-frame file puts its trailer: 8 bytes of control block, 10 of
  // descriptor, the code size, then pixel data.
  const std::size_t secondFrame = GifTestWriter::write(4, 4, kPalette, {solid(0, 0, 4, 4, 0)}).size() - 1;
  auto cut = source(whole.substr(0, secondFrame + 8 + 10 + 1 + 4));
  ASSERT_TRUE(cut);
  ASSERT_EQ(cut->count(), 2u);
  EXPECT_EQ(rows(*cut->createImage(0)), kFrame0);
  EXPECT_FALSE(cut->createImage(1));

  // Every shorter prefix either makes no source or a source whose frames are whole or null.
  for (std::size_t n = 0; n < whole.size(); ++n) {
    auto partial = source(whole.substr(0, n));
    if (!partial) continue;
    for (std::size_t i = 0; i < partial->count(); ++i) {
      auto image = partial->createImage(i);
      if (image) {
        EXPECT_EQ(image->width(), 4) << n;
      }
    }
  }
  EXPECT_FALSE(source(whole.substr(0, 12)));
}

TEST(CGImageSourceGIF, HostileGeometryIsRefusedOrClipped) {
  EXPECT_FALSE(source(GifTestWriter::write(65535, 65535, kPalette, {solid(0, 0, 1, 1, 0)})));

  // A frame hanging over the screen's edge is clipped; pixels past the colour table are not drawn.
  GifFrame over = solid(1, 1, 3, 3, 1);
  over.indices[0] = 200;
  auto clipped = source(GifTestWriter::write(2, 2, kPalette, {solid(0, 0, 2, 2, 0), over}));
  ASSERT_TRUE(clipped);
  EXPECT_EQ(rows(*clipped->createImage(1)), (Rows{{kRed, kRed}, {kRed, kRed}}));

  GifFrame outside = solid(500, 500, 2, 2, 1);
  auto away = source(GifTestWriter::write(2, 2, kPalette, {outside}));
  ASSERT_TRUE(away);
  EXPECT_EQ(rows(*away->createImage(0)), (Rows{{kClear, kClear}, {kClear, kClear}}));

  // Beside the screen (no column on it) yet level with it, restoring what was before: nothing changes.
  GifFrame beside = solid(5, 0, 2, 2, 1);
  beside.disposal = 3;
  auto sideways =
      source(GifTestWriter::write(2, 2, kPalette, {solid(0, 0, 2, 2, 0), beside, solid(0, 0, 1, 1, 2)}));
  ASSERT_TRUE(sideways);
  EXPECT_EQ(rows(*sideways->createImage(1)), (Rows{{kRed, kRed}, {kRed, kRed}}));
  EXPECT_EQ(rows(*sideways->createImage(2)), (Rows{{kBlue, kRed}, {kRed, kRed}}));

  // No colour table anywhere: that frame cannot be shown.
  auto colourless = source(GifTestWriter::write(1, 1, {}, {solid(0, 0, 1, 1, 0)}));
  ASSERT_TRUE(colourless);
  EXPECT_FALSE(colourless->createImage(0));
}

TEST(CGImageSourceGIF, ScreenSizeZeroTakesTheFramesExtent) {
  auto gif = source(GifTestWriter::write(0, 0, kPalette, {solid(1, 0, 2, 3, 2)}));
  ASSERT_TRUE(gif);
  auto image = gif->createImage(0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width(), 3);
  EXPECT_EQ(image->height(), 3);
  EXPECT_EQ(image->pixel(0, 0), kClear);
  EXPECT_EQ(image->pixel(2, 2), kBlue);
}

TEST(CGImageSourceGIF, InterlacedRowsLandInPlace) {
  GifFrame f = solid(0, 0, 1, 10, 0);
  for (int y = 0; y < 10; ++y) f.indices[y] = static_cast<std::uint8_t>(y % 4);
  f.interlaced = true;
  auto gif = source(GifTestWriter::write(1, 10, kPalette, {f}));
  ASSERT_TRUE(gif);
  auto image = gif->createImage(0);
  ASSERT_TRUE(image);
  const std::uint32_t byIndex[] = {kRed, kGreen, kBlue, kWhite};
  for (int y = 0; y < 10; ++y) EXPECT_EQ(image->pixel(0, y), byIndex[y % 4]) << y;
}

}  // namespace
}  // namespace ios
