#include "CoreImageTestImages.h"

#include <CoreImage/BarcodeReader.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ios
