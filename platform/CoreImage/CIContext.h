#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>
#include <CoreImage/CIImage.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

// Core Image's rendering context. Our images are already rendered, so a context only crops.
class CIContext : public NSObject {
 public:
  // `CIContext()` / `CIContext(options: nil)`.
  static std::shared_ptr<CIContext> create();

  // `createCGImage(_:from:)`: the pixels of `image` inside `rect` (Core Image space, y up), rounded
  // out to whole pixels. Parts of `rect` outside the extent are transparent. Null for a null image
  // or an empty or infinite rectangle.
  std::shared_ptr<CGImage> createCGImage(const std::shared_ptr<CIImage>& image, const CGRect& rect) const;
};

}  // namespace ios
