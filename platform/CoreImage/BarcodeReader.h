#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ios {

// The symbologies the platform can read, as bit flags so a caller can ask for several at once.
enum class BarcodeSymbology : std::uint32_t {
  qr = 1u << 0,
  aztec = 1u << 1,
  dataMatrix = 1u << 2,
  pdf417 = 1u << 3,
  ean8 = 1u << 4,
  ean13 = 1u << 5,
  upcA = 1u << 6,
  upcE = 1u << 7,
  code39 = 1u << 8,
  code93 = 1u << 9,
  code128 = 1u << 10,
  itf = 1u << 11,
};
using BarcodeSymbologies = std::uint32_t;
constexpr BarcodeSymbologies operator|(BarcodeSymbology a, BarcodeSymbology b) {
  return static_cast<BarcodeSymbologies>(a) | static_cast<BarcodeSymbologies>(b);
}
constexpr BarcodeSymbologies operator|(BarcodeSymbologies a, BarcodeSymbology b) {
  return a | static_cast<BarcodeSymbologies>(b);
}

// One code found in an image.
struct BarcodeReading {
  BarcodeSymbology symbology = BarcodeSymbology::qr;
  // The payload as text; nullopt when the payload is binary and has no text reading.
  std::optional<std::string> text;
  // Corners in image pixels (origin top-left, y down): top-left, top-right, bottom-right, bottom-left
  // of the symbol as it is printed.
  std::vector<CGPoint> corners;
  // The bounding box of the corners.
  CGRect bounds;
};

// The code reader under CIDetector and AVCaptureMetadataOutput. Wraps the decoder so no other
// framework sees its headers. Never throws; an image it cannot read gives an empty list.
class BarcodeReader {
 public:
  struct Options {
    BarcodeSymbologies symbologies = static_cast<BarcodeSymbologies>(BarcodeSymbology::qr);
    // Look harder (more scan lines, rotations, downscaled passes): slower, finds more.
    bool tryHarder = true;
  };

  // Every code of the asked symbologies in `image`, in the decoder's order. Transparent pixels
  // read as if the image lay on white paper.
  static std::vector<BarcodeReading> read(const CGImage& image, const Options& options);
};

}  // namespace ios
