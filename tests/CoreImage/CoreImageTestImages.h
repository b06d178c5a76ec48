#pragma once

#include <CoreGraphics/CGImage.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace ios::test {

// A camera-like picture: a smooth gradient with deterministic grain, opaque.
inline std::shared_ptr<CGImage> photoLikeImage(int width, int height, std::uint32_t seed = 7) {
  auto image = CGImage::create(width, height);
  std::uint32_t state = seed;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      const int grain = static_cast<int>(state >> 28) - 8;
      auto channel = [&](int base) { return static_cast<std::uint32_t>(std::clamp(base + grain, 0, 255)); };
      const std::uint32_t r = channel(90 + 100 * x / width), g = channel(120 + 60 * y / height),
                          b = channel(140);
      image->mutablePixels()[static_cast<std::size_t>(y) * width + x] = 0xff000000u | r << 16 | g << 8 | b;
    }
  }
  return image;
}

// Pure random black and white dots (no structure a decoder could lock on to).
inline std::shared_ptr<CGImage> noiseImage(int width, int height, std::uint32_t seed = 99) {
  auto image = CGImage::create(width, height);
  std::uint32_t state = seed;
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
    state = state * 1664525u + 1013904223u;
    image->mutablePixels()[i] = (state >> 31) ? 0xffffffffu : 0xff000000u;
  }
  return image;
}

// Copies `stamp` onto `canvas` with its top-left corner at (x, y), clipped.
inline void paste(CGImage& canvas, const CGImage& stamp, int x, int y) {
  for (int row = 0; row < stamp.height(); ++row) {
    for (int col = 0; col < stamp.width(); ++col) {
      const int cx = x + col, cy = y + row;
      if (cx < 0 || cy < 0 || cx >= canvas.width() || cy >= canvas.height()) continue;
      canvas.mutablePixels()[static_cast<std::size_t>(cy) * canvas.width() + cx] = stamp.pixel(col, row);
    }
  }
}

}  // namespace ios::test
