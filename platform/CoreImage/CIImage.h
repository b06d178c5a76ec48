#pragma once

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>
#include <Foundation/Dictionary.h>
#include <Foundation/NSObject.h>
#include <UIKit/UIImage.h>

#include <memory>

namespace ios {

// Core Image's image: a bitmap placed in Core Image's working space, where y grows upwards and
// `extent` is the rectangle the pixels cover. Ours is always rendered (no lazy filter graph): every
// operation makes a new bitmap, which for the small images the system transforms is cheaper than a
// graph would be.
class CIImage : public NSObject {
  struct Passkey {};

 public:
  // `CIImage(cgImage:)`; null for a null bitmap. The extent is (0, 0, width, height).
  static std::shared_ptr<CIImage> create(std::shared_ptr<const CGImage> cgImage);
  // `CIImage(image:)`: the image's bitmap, with its orientation in `properties`. Null when there
  // is no image or it has no bitmap behind it.
  static std::shared_ptr<CIImage> create(const std::shared_ptr<UIImage>& image);

  CGRect extent() const { return extent_; }
  // Metadata of the source: `kCGImagePropertyOrientation` (1...8) when made from a UIImage whose
  // orientation is not `up`; empty otherwise.
  const Dictionary& properties() const { return properties_; }

  // `transformed(by:)`. A transform that only scales by whole numbers (and may translate) copies
  // each pixel into a block, nearest neighbour, so generated codes stay sharp; any other transform
  // samples bilinearly. Null when the result would be empty or larger than a bitmap may be.
  std::shared_ptr<CIImage> transformed(const CGAffineTransform& transform) const;

  // The pixels, top row first, covering `extent`.
  const std::shared_ptr<const CGImage>& bitmap() const { return bitmap_; }

  CIImage(Passkey, std::shared_ptr<const CGImage> bitmap, CGPoint origin, Dictionary properties);

 private:
  std::shared_ptr<const CGImage> bitmap_;
  CGRect extent_;
  Dictionary properties_;
};

// The orientation key of `CIImage::properties`, as ImageIO names it.
inline constexpr const char* kCGImagePropertyOrientation = "Orientation";

// `UIImage(ciImage:scale:orientation:)`: an image showing the CIImage's pixels. Null for a null
// CIImage. (Here the pixels are rendered at once; the platform defers it to drawing time.)
std::shared_ptr<UIImage> UIImageWithCIImage(const std::shared_ptr<CIImage>& ciImage, CGFloat scale = 1,
                                            UIImageOrientation orientation = UIImageOrientation::up);

}  // namespace ios
