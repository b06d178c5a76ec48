#pragma once

#include <CoreGraphics/CGImage.h>
#include <Foundation/Data.h>
#include <Foundation/Dictionary.h>
#include <Foundation/NSObject.h>
#include <ImageIO/CGImageProperties.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace ios {

class GIFDecoder;

// ImageIO's image source: the frames of encoded image data. GIF (any number of frames), PNG and
// JPEG (one frame each) are understood.
//
// GIF frames come out fully composited on the logical screen, as a player shows them; a frame that
// cannot be decoded fails on its own (null for that index) while the others still decode. PNG and
// JPEG data is decoded when the source is made, so a corrupt or truncated file gives no source.
// Anything larger than the decoding cap (2^26 pixels; 2^24 for a GIF's screen) is refused.
class CGImageSource : public NSObject {
  struct Passkey {};

 public:
  // Null for data of no known format, or data that holds no decodable image (a GIF without one
  // readable frame header counts as none).
  static std::shared_ptr<CGImageSource> create(const Data& data);

  // The uniform type identifier: "com.compuserve.gif", "public.png" or "public.jpeg".
  const std::string& type() const { return type_; }
  std::size_t count() const;
  // Null for an index out of range or a frame that cannot be decoded. Each call returns an image
  // of its own (asking twice for the same frame may share one; images are immutable).
  std::shared_ptr<CGImage> createImage(std::size_t index) const;
  // PixelWidth and PixelHeight (of the whole image, or the GIF's screen) and, for GIF frames, the
  // {GIF} dictionary with the delays (see CGImageProperties.h). Nullopt for an index out of range.
  std::optional<Dictionary> properties(std::size_t index) const;

  CGImageSource(Passkey, std::string type, std::shared_ptr<CGImage> single, std::unique_ptr<GIFDecoder> gif);
  ~CGImageSource() override;

 private:
  std::string type_;
  std::shared_ptr<CGImage> single_;
  std::unique_ptr<GIFDecoder> gif_;
};

// The platform's function names, for code written against them.
inline std::shared_ptr<CGImageSource> CGImageSourceCreateWithData(const Data& data) {
  return CGImageSource::create(data);
}
inline std::size_t CGImageSourceGetCount(const std::shared_ptr<CGImageSource>& source) {
  return source ? source->count() : 0;
}
inline std::shared_ptr<CGImage> CGImageSourceCreateImageAtIndex(const std::shared_ptr<CGImageSource>& source,
                                                                std::size_t index) {
  return source ? source->createImage(index) : nullptr;
}
inline std::optional<Dictionary> CGImageSourceCopyPropertiesAtIndex(
    const std::shared_ptr<CGImageSource>& source, std::size_t index) {
  return source ? source->properties(index) : std::nullopt;
}

}  // namespace ios
