#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace ios {

// A decoded bitmap: 32-bit pixels, premultiplied alpha, stored as native-endian 0xAARRGGBB words
// (Cairo's ARGB32 layout, so the renderer draws it without conversion). Immutable once shared:
// effects and decoders build a new image rather than touch one that a layer may be showing.
class CGImage {
 public:
  // A transparent image; null for a non-positive or absurd size (more than 2^28 pixels).
  static std::shared_ptr<CGImage> create(int width, int height);
  // Takes `pixels` as they are (premultiplied ARGB32, `width * height` words, rows top to bottom).
  static std::shared_ptr<CGImage> create(int width, int height, std::vector<std::uint32_t> pixels);

  int width() const { return width_; }
  int height() const { return height_; }
  std::size_t bytesPerRow() const { return static_cast<std::size_t>(width_) * 4; }
  const std::uint32_t* pixels() const { return pixels_.data(); }
  // Write through it before the image is shown: the image takes a new identity.
  std::uint32_t* mutablePixels();
  // These pixels, unique to the process: copies made from them (a picture scaled to the size it is
  // shown at) are kept under it, so no other image and no later state of this one shares it.
  std::uint64_t identity() const { return identity_; }
  std::uint32_t pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  // Whether any pixel is less than fully opaque.
  bool hasAlpha() const;

 private:
  CGImage(int width, int height, std::vector<std::uint32_t> pixels);

  int width_;
  int height_;
  std::uint64_t identity_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace ios
