#include <CoreImage/CIContext.h>

#include <cmath>

namespace ios {

std::shared_ptr<CIContext> CIContext::create() {
  return std::make_shared<CIContext>();
}

std::shared_ptr<CGImage> CIContext::createCGImage(const std::shared_ptr<CIImage>& image,
                                                  const CGRect& rect) const {
  if (!image || rect.isNull() || rect.isEmpty() || !std::isfinite(rect.size.width) ||
      !std::isfinite(rect.size.height)) {
    return nullptr;
  }
  const double minX = std::floor(rect.minX()), minY = std::floor(rect.minY());
  const double width = std::ceil(rect.maxX()) - minX, height = std::ceil(rect.maxY()) - minY;
  if (width > (1 << 20) || height > (1 << 20)) return nullptr;
  auto result = CGImage::create(static_cast<int>(width), static_cast<int>(height));
  if (!result) return nullptr;
  const CGImage& source = *image->bitmap();
  const CGRect extent = image->extent();
  const int w = result->width(), h = result->height();
  for (int row = 0; row < h; ++row) {
    // Row 0 of the result is the top of `rect`; convert to the source's top-down rows.
    const double top = minY + height - 1 - row;
    const long long sourceRow = static_cast<long long>(extent.maxY() - 1 - top);
    if (sourceRow < 0 || sourceRow >= source.height()) continue;
    for (int col = 0; col < w; ++col) {
      const long long sourceCol = static_cast<long long>(minX + col - extent.minX());
      if (sourceCol < 0 || sourceCol >= source.width()) continue;
      result->mutablePixels()[static_cast<std::size_t>(row) * w + col] =
          source.pixel(static_cast<int>(sourceCol), static_cast<int>(sourceRow));
    }
  }
  return result;
}

}  // namespace ios
