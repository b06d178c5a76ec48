#pragma once

#include <CoreGraphics/CGImage.h>
#include <Foundation/Data.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace ios {

// PNG to and from CGImage (libpng). Every colour type and bit depth is read into 8-bit premultiplied
// pixels; images are written as 8-bit RGBA, or RGB when no pixel is translucent.
class PNGCodec {
 public:
  static bool hasSignature(const std::uint8_t* bytes, std::size_t count);
  // Null for anything that is not a whole, valid PNG, or that is larger than the decoding cap.
  static std::shared_ptr<CGImage> decode(const std::uint8_t* bytes, std::size_t count);
  static std::optional<Data> encode(const CGImage& image);
};

}  // namespace ios
