#pragma once

// Header-only: include it from a test binary that links ios_uikit.

#include <UIKit/UIImage.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace ios::test {

// Opaque ARGB pixels, as CGImage stores them.
inline constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// An image of one colour, `width` x `height` pixels at `scale`.
inline std::shared_ptr<UIImage> solid(int width, int height, std::uint32_t color, CGFloat scale = 1) {
  return UIImage::create(
      CGImage::create(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, color)),
      scale);
}

}  // namespace ios::test
