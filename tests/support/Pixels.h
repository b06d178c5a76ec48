#pragma once

// Header-only: include it from a test binary that links ios_uikit.

#include <UIKit/UIImage.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ios::test {

// Opaque ARGB pixels, as CGImage stores them.
inline constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// An image of one colour, `width` x `height` pixels at `scale`.
inline std::shared_ptr<UIImage> solid(int width, int height, std::uint32_t color, CGFloat scale = 1) {
  return UIImage::create(
      CGImage::create(width, height,
                      std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, color)),
      scale);
}

// An image at `scale` whose pixel (x, y) is `color(x, y)`.
inline std::shared_ptr<UIImage> painted(int width, int height,
                                        const std::function<std::uint32_t(int, int)>& color,
                                        CGFloat scale = 1) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(color(x, y));
  }
  return UIImage::create(CGImage::create(width, height, std::move(pixels)), scale);
}

// One 8-bit channel of an ARGB pixel: `shift` 16 for red, 8 for green, 0 for blue, 24 for alpha.
inline int channel(std::uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFF);
}

// The rows and columns holding visible ink (alpha above 64): first and last of each, all -1 when none.
struct InkBox {
  int top = -1, bottom = -1, left = -1, right = -1;
};
inline InkBox inkBox(const CGImage& image) {
  InkBox box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) >> 24) <= 64) continue;
      if (box.top < 0) box.top = y;
      box.bottom = y;
      box.left = box.left < 0 ? x : std::min(box.left, x);
      box.right = std::max(box.right, x);
    }
  return box;
}

}  // namespace ios::test
