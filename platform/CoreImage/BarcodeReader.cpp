#include <CoreImage/BarcodeReader.h>

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <utility>

namespace ios {
namespace {

constexpr std::pair<BarcodeSymbology, ZXing::BarcodeFormat> kFormats[] = {
    {BarcodeSymbology::qr, ZXing::BarcodeFormat::QRCode},
    {BarcodeSymbology::aztec, ZXing::BarcodeFormat::Aztec},
    {BarcodeSymbology::dataMatrix, ZXing::BarcodeFormat::DataMatrix},
    {BarcodeSymbology::pdf417, ZXing::BarcodeFormat::PDF417},
    {BarcodeSymbology::ean8, ZXing::BarcodeFormat::EAN8},
    {BarcodeSymbology::ean13, ZXing::BarcodeFormat::EAN13},
    {BarcodeSymbology::upcA, ZXing::BarcodeFormat::UPCA},
    {BarcodeSymbology::upcE, ZXing::BarcodeFormat::UPCE},
    {BarcodeSymbology::code39, ZXing::BarcodeFormat::Code39},
    {BarcodeSymbology::code93, ZXing::BarcodeFormat::Code93},
    {BarcodeSymbology::code128, ZXing::BarcodeFormat::Code128},
    {BarcodeSymbology::itf, ZXing::BarcodeFormat::ITF},
};

ZXing::BarcodeFormats formatsFor(BarcodeSymbologies symbologies) {
  ZXing::BarcodeFormats formats;
  for (const auto& [symbology, format] : kFormats) {
    if (symbologies & static_cast<BarcodeSymbologies>(symbology)) formats |= format;
  }
  return formats;
}

std::optional<BarcodeSymbology> symbologyOf(ZXing::BarcodeFormat format) {
  for (const auto& [symbology, candidate] : kFormats) {
    if (candidate == format) return symbology;
  }
  return std::nullopt;
}

// Written so that the compiler vectorises it: the output cannot alias the pixels.
void convertToLuminance(const std::uint32_t* __restrict pixels, std::uint8_t* __restrict lum, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t word = pixels[i];
    const std::uint32_t white = 255u - (word >> 24);
    lum[i] =
        ZXing::RGBToLum(((word >> 16) & 0xff) + white, ((word >> 8) & 0xff) + white, (word & 0xff) + white);
  }
}

// Luminance of each pixel composited over white; premultiplied words make that an addition. The
// buffer is kept per thread: a camera frame is 1.2 MB of fresh pages otherwise.
const std::uint8_t* luminance(const CGImage& image) {
  thread_local std::vector<std::uint8_t> lum;
  const std::size_t count = static_cast<std::size_t>(image.width()) * image.height();
  if (lum.size() < count) lum.resize(count);
  convertToLuminance(image.pixels(), lum.data(), count);
  return lum.data();
}

BarcodeReading readingOf(const ZXing::Result& result, BarcodeSymbology symbology) {
  BarcodeReading reading;
  reading.symbology = symbology;
  if (result.contentType() != ZXing::ContentType::Binary) reading.text = result.text();
  const auto& position = result.position();
  double minX = position[0].x, maxX = minX, minY = position[0].y, maxY = minY;
  for (const auto& point : position) {
    reading.corners.push_back({static_cast<CGFloat>(point.x), static_cast<CGFloat>(point.y)});
    minX = std::min<double>(minX, point.x);
    maxX = std::max<double>(maxX, point.x);
    minY = std::min<double>(minY, point.y);
    maxY = std::max<double>(maxY, point.y);
  }
  reading.bounds = CGRect(minX, minY, maxX - minX, maxY - minY);
  return reading;
}

}  // namespace

std::vector<BarcodeReading> BarcodeReader::read(const CGImage& image, const Options& options) {
  std::vector<BarcodeReading> readings;
  if (options.symbologies == 0 || image.width() <= 0 || image.height() <= 0) return readings;
  try {
    const ZXing::ImageView view(luminance(image), image.width(), image.height(), ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(formatsFor(options.symbologies))
        .setTryHarder(options.tryHarder)
        .setTryRotate(options.tryHarder)
        .setTryDownscale(true);
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
      const auto symbology = symbologyOf(result.format());
      if (result.isValid() && symbology) readings.push_back(readingOf(result, *symbology));
    }
  } catch (...) {
    // The decoder has no business failing on pixels; if it does, the image simply holds no code.
    readings.clear();
  }
  return readings;
}

}  // namespace ios
