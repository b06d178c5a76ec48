#include "CoreImageTestImages.h"

#include <CoreImage/BarcodeReader.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ios {
namespace {

// The writer's code, `scale` pixels a module, black on white.
std::shared_ptr<CGImage> code(ZXing::BarcodeFormat format, const std::string& text, int scale,
                              int height = 0) {
  const ZXing::BitMatrix modules = ZXing::MultiFormatWriter(format).setMargin(4).encode(text, 0, height);
  auto image = CGImage::create(modules.width() * scale, modules.height() * scale);
  for (int y = 0; y < image->height(); ++y) {
    for (int x = 0; x < image->width(); ++x)
      image->mutablePixels()[y * image->width() + x] =
          modules.get(x / scale, y / scale) ? 0xff000000u : 0xffffffffu;
  }
  return image;
}

std::shared_ptr<CGImage> photoWith(int width, int height, std::vector<std::shared_ptr<CGImage>> codes) {
  auto photo = test::photoLikeImage(width, height);
  int x = 30;
  for (const auto& stamp : codes) {
    test::paste(*photo, *stamp, x, 40);
    x += stamp->width() + 30;
  }
  return photo;
}

// `image` with its black made `ink` and its white made `paper`.
std::shared_ptr<CGImage> recoloured(std::shared_ptr<CGImage> image, std::uint32_t ink, std::uint32_t paper) {
  for (int i = 0; i < image->width() * image->height(); ++i)
    image->mutablePixels()[i] = image->mutablePixels()[i] == 0xff000000u ? ink : paper;
  return image;
}

// `image` seen slightly out of focus: each channel the mean of the 3x3 pixels around it.
std::shared_ptr<CGImage> softened(const std::shared_ptr<CGImage>& image) {
  auto soft = CGImage::create(image->width(), image->height());
  for (int y = 0; y < image->height(); ++y) {
    for (int x = 0; x < image->width(); ++x) {
      std::uint32_t sum[3] = {}, count = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int sx = std::clamp(x + dx, 0, image->width() - 1),
                    sy = std::clamp(y + dy, 0, image->height() - 1);
          for (int c = 0; c < 3; ++c) sum[c] += image->pixel(sx, sy) >> (8 * c) & 0xff;
          ++count;
        }
      }
      soft->mutablePixels()[y * image->width() + x] =
          0xff000000u | (sum[2] / count) << 16 | (sum[1] / count) << 8 | sum[0] / count;
    }
  }
  return soft;
}

std::shared_ptr<CGImage> plain(int width, int height, std::uint32_t colour) {
  return CGImage::create(width, height,
                         std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour));
}

constexpr int kFlush = -1'000'000;  // a coordinate that puts a stamp flush with the right or bottom edge

struct Placed {
  std::shared_ptr<CGImage> stamp;
  int x, y;  // may be negative: the stamp is clipped
};

std::shared_ptr<CGImage> scene(std::shared_ptr<CGImage> background, std::vector<Placed> placed) {
  for (const auto& [stamp, x, y] : placed)
    test::paste(*background, *stamp, x == kFlush ? background->width() - stamp->width() : x,
                y == kFlush ? background->height() - stamp->height() : y);
  return background;
}

// What the decoder reads from the same picture when it makes its downscaled layers itself.
std::vector<BarcodeReading> decoderReadings(const CGImage& image, bool tryHarder) {
  ZXing::DecodeHints hints;
  using Format = ZXing::BarcodeFormat;
  hints
      .setFormats(Format::QRCode | Format::Aztec | Format::DataMatrix | Format::PDF417 | Format::EAN8 |
                  Format::EAN13 | Format::UPCA | Format::UPCE | Format::Code39 | Format::Code93 |
                  Format::Code128 | Format::ITF)
      .setTryHarder(tryHarder)
      .setTryRotate(tryHarder)
      .setTryDownscale(true);
  const ZXing::ImageView view(reinterpret_cast<const std::uint8_t*>(image.pixels()), image.width(),
                              image.height(), ZXing::ImageFormat::BGRX);
  std::vector<BarcodeReading> readings;
  for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
    if (!result.isValid()) continue;
    BarcodeReading reading;
    reading.text = result.text();
    for (const auto& point : result.position())
      reading.corners.push_back({static_cast<CGFloat>(point.x), static_cast<CGFloat>(point.y)});
    readings.push_back(reading);
  }
  return readings;
}

TEST(BarcodeReaderTest, ReadsWhatTheDecoderReadsWithItsOwnLayers) {
  using Format = ZXing::BarcodeFormat;
  const std::shared_ptr<CGImage> images[] = {
      test::photoLikeImage(1280, 960),
      photoWith(1280, 960, {code(Format::QRCode, "https://example.com/pay?id=42", 6)}),
      photoWith(1280, 960, {code(Format::QRCode, "MODULES", 34)}),
      photoWith(1280, 960,
                {code(Format::DataMatrix, "DM-2026", 9), code(Format::Aztec, "AZTEC", 7),
                 code(Format::Code128, "CARD-2026", 3, 60)}),
      photoWith(1280, 960, {code(Format::QRCode, "mot", 5), code(Format::QRCode, "hai", 12)}),
      photoWith(640, 1700, {code(Format::QRCode, "cao", 16)}),
      test::noiseImage(900, 700),
      // Plain frames, light, dark and of sides off the 8-pixel block grid.
      plain(1280, 960, 0xff8a8f94u),
      plain(641, 487, 0xffd0d0d0u),
      plain(1280, 960, 0xff000000u),
      // A speck far from a plain frame's centre.
      scene(plain(1280, 960, 0xffb0b0b0u), {{plain(3, 3, 0xff101010u), 5, 900}}),
      // Low contrast, inverted, tiny modules.
      photoWith(1280, 960,
                {recoloured(code(Format::QRCode, "nhat", 6), 0xff5a5a5au, 0xff8c8c8cu),
                 recoloured(code(Format::QRCode, "dao", 6), 0xffffffffu, 0xff000000u),
                 recoloured(code(Format::Aztec, "AZ-LOW", 5), 0xff404850u, 0xff7a8088u)}),
      photoWith(1280, 960,
                {code(Format::QRCode, "nho", 2), code(Format::DataMatrix, "DM-NHO", 2),
                 code(Format::Aztec, "AZ", 2)}),
      // Codes at the right and bottom edges of a frame whose blocks overlap there: with their margin,
      // and with their modules running up to the last pixel.
      scene(test::photoLikeImage(1283, 965), {{code(Format::QRCode, "goc", 5), kFlush, kFlush},
                                              {code(Format::DataMatrix, "DM-EDGE", 6), 0, kFlush}}),
      scene(test::photoLikeImage(1283, 965),
            {{code(Format::QRCode, "sat", 5), 1283 - 145 + 20, 965 - 145 + 20},
             {softened(code(Format::QRCode, "dinh", 5)), -20, -20},
             {softened(recoloured(code(Format::QRCode, "mo", 4), 0xff505050u, 0xff909090u)), 600, -16}}),
      // Linear and matrix codes above and below each other, for the order of what is found.
      scene(plain(1280, 960, 0xfff4f4f4u), {{code(Format::QRCode, "tren", 5), 700, 40},
                                            {code(Format::Code128, "GIUA", 2, 30), 30, 300},
                                            {code(Format::PDF417, "PDF-417", 2), 30, 600},
                                            {code(Format::QRCode, "duoi", 5), 700, 500}}),
      // Too low for the block rule.
      scene(plain(420, 38, 0xffffffffu),
            {{code(Format::Code128, "THAP", 2, 30), 10, 4}, {code(Format::QRCode, "q", 1), 380, 4}}),
      scene(plain(420, 38, 0xffd0d0d0u),
            {{plain(210, 38, 0xff303030u), 0, 0},
             {recoloured(code(Format::QRCode, "toi", 1), 0xff000000u, 0xff505050u), 90, 4}}),
  };
  BarcodeReader::Options options;
  options.symbologies = ~0u;
  for (bool tryHarder : {false, true}) {
    options.tryHarder = tryHarder;
    for (const auto& image : images) {
      const auto expected = decoderReadings(*image, tryHarder);
      const auto readings = BarcodeReader::read(*image, options);
      ASSERT_EQ(readings.size(), expected.size())
          << image->width() << "x" << image->height() << " " << tryHarder;
      for (std::size_t i = 0; i < readings.size(); ++i) {
        EXPECT_EQ(readings[i].text, expected[i].text);
        EXPECT_EQ(readings[i].corners, expected[i].corners) << *readings[i].text;
      }
    }
  }
}

// A linear code large enough to be read in the full frame and again in the third-size layer is one
// reading, in full-frame coordinates.
TEST(BarcodeReaderTest, ReadsALinearCodeFoundInBothLayersOnce) {
  using Format = ZXing::BarcodeFormat;
  const struct {
    std::shared_ptr<CGImage> frame;
    BarcodeSymbology symbology;
    std::string text;
    CGFloat pastedAt;  // the code's bars start within its margin, 5 modules, of this
  } cases[] = {
      {scene(plain(1280, 960, 0xfff4f4f4u), {{code(Format::Code128, "LINE-1", 6, 90), 60, 300}}),
       BarcodeSymbology::code128, "LINE-1", 60},
      {scene(test::photoLikeImage(1280, 960), {{code(Format::EAN13, "8934567890120", 6, 90), 200, 500}}),
       BarcodeSymbology::ean13, "8934567890120", 200},
  };
  BarcodeReader::Options options;
  options.symbologies = ~0u;
  for (bool tryHarder : {false, true}) {
    options.tryHarder = tryHarder;
    for (const auto& [frame, symbology, text, pastedAt] : cases) {
      const auto readings = BarcodeReader::read(*frame, options);
      ASSERT_EQ(readings.size(), 1u) << text << " " << tryHarder;
      EXPECT_EQ(readings[0].symbology, symbology);
      EXPECT_EQ(readings[0].text, text);
      EXPECT_GE(readings[0].bounds.origin.x, pastedAt) << text;
      EXPECT_LE(readings[0].bounds.origin.x, pastedAt + 5 * 6) << text;
    }
  }
}

}  // namespace
}  // namespace ios
