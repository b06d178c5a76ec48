#pragma once

#include <CoreGraphics/CGImage.h>
#include <Foundation/Data.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace ios {

// JPEG to and from CGImage (libjpeg). Greyscale, YCbCr and (Adobe) CMYK files are read as opaque
// RGB. Writing drops alpha the way premultiplied pixels imply: translucent areas come out as if laid
// over black.
class JPEGCodec {
 public:
  static bool hasSignature(const std::uint8_t* bytes, std::size_t count);
  // Null for anything that is not a valid JPEG, for a file that ends before its last scan, and for
  // images larger than the decoding cap.
  static std::shared_ptr<CGImage> decode(const std::uint8_t* bytes, std::size_t count);
  // `quality` is libjpeg's 1...100 (values outside are clamped). Nullopt when the encoder fails, as
  // it does for images wider or taller than 65500 pixels.
  static std::optional<Data> encode(const CGImage& image, int quality);

  // Test hook: the next `count` calls of `encode` fail as a real encoder failure would, so that callers'
  // failure paths can be exercised. Process-wide; 0 turns it off.
  static void failNextEncodings(int count);
};

}  // namespace ios
