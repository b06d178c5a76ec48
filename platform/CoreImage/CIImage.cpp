#include <CoreImage/CIImage.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace ios {
namespace {

int exifOrientation(UIImageOrientation orientation) {
  switch (orientation) {
    case UIImageOrientation::up:
      return 1;
    case UIImageOrientation::upMirrored:
      return 2;
    case UIImageOrientation::down:
      return 3;
    case UIImageOrientation::downMirrored:
      return 4;
    case UIImageOrientation::leftMirrored:
      return 5;
    case UIImageOrientation::right:
      return 6;
    case UIImageOrientation::rightMirrored:
      return 7;
    case UIImageOrientation::left:
      return 8;
  }
  return 1;
}

bool isWholeNumber(CGFloat value) {
  return std::abs(value - std::round(value)) < 1e-9;
}

bool isWholeNumberScale(const CGAffineTransform& t) {
  return t.b == 0 && t.c == 0 && t.a >= 1 && t.d >= 1 && isWholeNumber(t.a) && isWholeNumber(t.d) &&
         isWholeNumber(t.tx) && isWholeNumber(t.ty);
}

std::shared_ptr<CGImage> scaleNearest(const CGImage& source, int sx, int sy) {
  const long long width = static_cast<long long>(source.width()) * sx;
  const long long height = static_cast<long long>(source.height()) * sy;
  if (width > (1 << 20) || height > (1 << 20)) return nullptr;
  auto result = CGImage::create(static_cast<int>(width), static_cast<int>(height));
  if (!result) return nullptr;
  std::uint32_t* out = result->mutablePixels();
  for (int y = 0; y < source.height(); ++y) {
    std::uint32_t* row = out + static_cast<std::size_t>(y) * sy * width;
    for (int x = 0; x < source.width(); ++x)
      std::fill_n(row + static_cast<std::size_t>(x) * sx, sx, source.pixel(x, y));
    for (int copy = 1; copy < sy; ++copy) std::copy_n(row, width, row + copy * width);
  }
  return result;
}

// Bilinear sample of premultiplied pixels at a position in pixel-centre coordinates; outside the
// bitmap is transparent.
std::uint32_t sampleBilinear(const CGImage& image, double px, double py) {
  const int x0 = static_cast<int>(std::floor(px)), y0 = static_cast<int>(std::floor(py));
  const double fx = px - x0, fy = py - y0;
  double channels[4] = {0, 0, 0, 0};
  for (int dy = 0; dy <= 1; ++dy) {
    for (int dx = 0; dx <= 1; ++dx) {
      const int x = x0 + dx, y = y0 + dy;
      const double weight = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy);
      if (weight == 0 || x < 0 || y < 0 || x >= image.width() || y >= image.height()) continue;
      const std::uint32_t word = image.pixel(x, y);
      for (int c = 0; c < 4; ++c) channels[c] += weight * ((word >> (24 - 8 * c)) & 0xff);
    }
  }
  std::uint32_t word = 0;
  for (int c = 0; c < 4; ++c) word |= static_cast<std::uint32_t>(std::lround(channels[c])) << (24 - 8 * c);
  return word;
}

}  // namespace

CIImage::CIImage(Passkey, std::shared_ptr<const CGImage> bitmap, CGPoint origin, Dictionary properties)
    : bitmap_(std::move(bitmap)),
      extent_(origin.x, origin.y, bitmap_->width(), bitmap_->height()),
      properties_(std::move(properties)) {}

std::shared_ptr<CIImage> CIImage::create(std::shared_ptr<const CGImage> cgImage) {
  if (!cgImage) return nullptr;
  return std::make_shared<CIImage>(Passkey{}, std::move(cgImage), CGPoint{}, Dictionary::object());
}

std::shared_ptr<CIImage> CIImage::create(const std::shared_ptr<UIImage>& image) {
  if (!image || !image->cgImage()) return nullptr;
  Dictionary properties = Dictionary::object();
  if (image->imageOrientation() != UIImageOrientation::up) {
    properties[kCGImagePropertyOrientation] = exifOrientation(image->imageOrientation());
  }
  return std::make_shared<CIImage>(Passkey{}, image->cgImage(), CGPoint{}, std::move(properties));
}

std::shared_ptr<CIImage> CIImage::transformed(const CGAffineTransform& t) const {
  if (isWholeNumberScale(t)) {
    const int sx = static_cast<int>(std::lround(t.a)), sy = static_cast<int>(std::lround(t.d));
    std::shared_ptr<const CGImage> scaled = (sx == 1 && sy == 1) ? bitmap_ : scaleNearest(*bitmap_, sx, sy);
    if (!scaled) return nullptr;
    const CGPoint origin{extent_.origin.x * sx + t.tx, extent_.origin.y * sy + t.ty};
    return std::make_shared<CIImage>(Passkey{}, std::move(scaled), origin, properties_);
  }
  const CGRect target = t.apply(extent_);
  const double minX = std::floor(target.minX() + 1e-9), minY = std::floor(target.minY() + 1e-9);
  const double width = std::ceil(target.maxX() - 1e-9) - minX,
               height = std::ceil(target.maxY() - 1e-9) - minY;
  if (!(width >= 1 && height >= 1) || width > (1 << 20) || height > (1 << 20)) return nullptr;
  auto result = CGImage::create(static_cast<int>(width), static_cast<int>(height));
  if (!result) return nullptr;
  const CGAffineTransform inverse = t.inverted();
  const int w = result->width(), h = result->height();
  std::uint32_t* out = result->mutablePixels();
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      // Core Image space is y-up: the top row of a bitmap sits at the top of its extent.
      const CGPoint source = inverse.apply(CGPoint{minX + col + 0.5, minY + (h - 1 - row) + 0.5});
      const double px = source.x - extent_.origin.x - 0.5;
      const double py = (bitmap_->height() - 1) - (source.y - extent_.origin.y - 0.5);
      out[static_cast<std::size_t>(row) * w + col] = sampleBilinear(*bitmap_, px, py);
    }
  }
  return std::make_shared<CIImage>(Passkey{}, std::move(result), CGPoint{minX, minY}, properties_);
}

std::shared_ptr<UIImage> UIImageWithCIImage(const std::shared_ptr<CIImage>& ciImage, CGFloat scale,
                                            UIImageOrientation orientation) {
  return ciImage ? UIImage::create(ciImage->bitmap(), scale, orientation) : nullptr;
}

}  // namespace ios
