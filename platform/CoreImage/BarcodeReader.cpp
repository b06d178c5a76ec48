#include <CoreImage/BarcodeReader.h>
#include <CoreImage/LocalThreshold.h>
#include <CoreImage/WideVectors.h>

#include <ZXing/ReadBarcode.h>
#include <ZXing/ZXAlgorithms.h>

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
KERBELIN_WIDE_VECTORS void convertToLuminance(const std::uint32_t* __restrict pixels,
                                              std::uint8_t* __restrict lum, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t word = pixels[i];
    const std::uint32_t white = 255u - (word >> 24);
    lum[i] =
        ZXing::RGBToLum(((word >> 16) & 0xff) + white, ((word >> 8) & 0xff) + white, (word & 0xff) + white);
  }
}

// A frame-sized buffer kept per thread: a camera frame is 1.2 MB of fresh pages otherwise.
template <int Purpose>
std::uint8_t* frameBuffer(std::size_t count) {
  thread_local std::vector<std::uint8_t> buffer;
  if (buffer.size() < count) buffer.resize(count);
  return buffer.data();
}

// Luminance of each pixel composited over white; premultiplied words make that an addition.
const std::uint8_t* luminance(const CGImage& image) {
  const std::size_t count = static_cast<std::size_t>(image.width()) * image.height();
  std::uint8_t* lum = frameBuffer<0>(count);
  convertToLuminance(image.pixels(), lum, count);
  return lum;
}

KERBELIN_WIDE_VECTORS void sumColumns(const std::uint8_t* __restrict a, const std::uint8_t* __restrict b,
                                      const std::uint8_t* __restrict c, std::uint16_t* __restrict sums,
                                      std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) sums[i] = static_cast<std::uint16_t>(a[i] + b[i] + c[i]);
}

// A layer a third the size of `source`: each pixel the mean of a 3x3 block, rounded as the decoder
// rounds it. Columns of three are summed first, which vectorises.
std::vector<std::uint8_t> downscaledByThree(const std::uint8_t* source, int width, int height) {
  const int w = width / 3, h = height / 3;
  std::vector<std::uint8_t> layer(static_cast<std::size_t>(w) * h);
  std::vector<std::uint16_t> columns(static_cast<std::size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* top = source + static_cast<std::size_t>(3 * y) * width;
    sumColumns(top, top + width, top + 2 * width, columns.data(), columns.size());
    std::uint8_t* out = layer.data() + static_cast<std::size_t>(y) * w;
    for (int x = 0; x < w; ++x)
      out[x] = static_cast<std::uint8_t>((4u + columns[3 * x] + columns[3 * x + 1] + columns[3 * x + 2]) / 9);
  }
  return layer;
}

// The matrix codes of one layer. The decoder's local-average binariser is the costliest loop of a
// frame, so the same matrix is made here and handed over already binary. A matrix without a single
// dark pixel holds no code; on such a plain frame the readers would still walk every pixel several
// times, so they are not run.
ZXing::Results readMatrixCodes(const std::uint8_t* lum, int width, int height, ZXing::DecodeHints hints) {
  std::uint8_t* binary = frameBuffer<1>(static_cast<std::size_t>(width) * height);
  if (!barcode::thresholdLocally(lum, width, height, binary)) return {};
  hints.setBinarizer(ZXing::Binarizer::BoolCast);
  return ZXing::ReadBarcodes(ZXing::ImageView(binary, width, height, ZXing::ImageFormat::Lum), hints);
}

// `formats` is either all linear or all matrix codes.
ZXing::Results readFormats(const std::uint8_t* lum, int width, int height, ZXing::DecodeHints hints,
                           ZXing::BarcodeFormats formats, int limit) {
  if (formats.empty() || limit <= 0) return {};
  hints.setFormats(formats).setMaxNumberOfSymbols(static_cast<std::uint8_t>(limit));
  if (formats.testFlags(ZXing::BarcodeFormat::LinearCodes))
    return ZXing::ReadBarcodes(ZXing::ImageView(lum, width, height, ZXing::ImageFormat::Lum), hints);
  return readMatrixCodes(lum, width, height, hints);
}

// One layer read as the decoder reads it in a single pass, in two: linear codes come from rows the
// decoder thresholds on their own histogram and never see the matrix. Its readers run linear codes
// first (last when trying harder), each with what is left of the limit, and it sorts what they find
// by the top-left corner, top to bottom, then left to right; a stable sort of the two lists in
// reader order gives that order again.
ZXing::Results readLayer(const std::uint8_t* lum, int width, int height, const ZXing::DecodeHints& hints) {
  const ZXing::BarcodeFormats linear = hints.formats() & ZXing::BarcodeFormat::LinearCodes;
  const ZXing::BarcodeFormats matrix = hints.formats() & ZXing::BarcodeFormat::MatrixCodes;
  if (hints.formats().empty() || matrix.empty() ||
      std::min(width, height) < barcode::kLocalThresholdMinimumSide)
    return ZXing::ReadBarcodes(ZXing::ImageView(lum, width, height, ZXing::ImageFormat::Lum), hints);
  const auto [first, second] = hints.tryHarder() ? std::pair(matrix, linear) : std::pair(linear, matrix);
  ZXing::Results results = readFormats(lum, width, height, hints, first, hints.maxNumberOfSymbols());
  ZXing::Results more = readFormats(lum, width, height, hints, second,
                                    hints.maxNumberOfSymbols() - static_cast<int>(results.size()));
  results.insert(results.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  std::stable_sort(results.begin(), results.end(), [](const ZXing::Result& a, const ZXing::Result& b) {
    const auto p = a.position().topLeft(), q = b.position().topLeft();
    return p.y < q.y || (p.y == q.y && p.x < q.x);
  });
  return results;
}

// Whether `found` is a code already in `results`, by the decoder's measure. For two linear readings
// of the same content the decoder's own comparison asserts that the earlier one came from a single
// scan line, and a reading confirmed on several lines never does: a linear code readable in two
// layers would abort the process. Those pairs are measured here the same way without the check: the
// same code when the later reading starts within half the earlier one's length of its start or end.
bool alreadyFound(const ZXing::Results& results, const ZXing::Result& found) {
  const bool linear = ZXing::BarcodeFormats(ZXing::BarcodeFormat::LinearCodes).testFlag(found.format());
  return std::any_of(results.begin(), results.end(), [&](const ZXing::Result& earlier) {
    if (!linear || earlier.format() != found.format() || earlier.lineCount() == 1) return earlier == found;
    if (earlier.bytes() != found.bytes() && earlier.isValid() && found.isValid()) return false;
    const auto& at = earlier.position();
    const auto& other = found.position();
    const int start = ZXing::maxAbsComponent(other.topLeft() - at.topLeft());
    const int end = ZXing::maxAbsComponent(other.bottomLeft() - at.topLeft());
    return std::min(start, end) < ZXing::maxAbsComponent(at.topLeft() - at.bottomRight()) / 2;
  });
}

// The decoder's downscaled passes, made here. It reads the full image and then layers a third the
// size of the last, while the last one's longer side is over its threshold, keeping the codes it
// has not found yet; its own layering is a generic loop that costs a camera frame as much as the
// luminance pass.
ZXing::Results readLayers(const std::uint8_t* lum, int width, int height, ZXing::DecodeHints hints) {
  const int threshold = hints.tryDownscale() ? hints.downscaleThreshold() : 0;
  hints.setTryDownscale(false);
  ZXing::Results results;
  int remaining = hints.maxNumberOfSymbols();
  std::vector<std::uint8_t> layer;
  const std::uint8_t* pixels = lum;
  for (int w = width, h = height;; w /= 3, h /= 3) {
    for (ZXing::Result& result : readLayer(pixels, w, h, hints)) {
      if (w != width) result.setPosition(ZXing::Scale(result.position(), width / w));
      if (alreadyFound(results, result)) continue;
      results.push_back(std::move(result));
      hints.setMaxNumberOfSymbols(static_cast<std::uint8_t>(--remaining));
    }
    if (remaining <= 0 || threshold <= 0 || std::max(w, h) <= threshold) return results;
    layer = downscaledByThree(pixels, w, h);
    pixels = layer.data();
  }
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
    ZXing::DecodeHints hints;
    hints.setFormats(formatsFor(options.symbologies))
        .setTryHarder(options.tryHarder)
        .setTryRotate(options.tryHarder)
        .setTryDownscale(true);
    for (const ZXing::Result& result : readLayers(luminance(image), image.width(), image.height(), hints)) {
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
