#pragma once

#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGGeometry.h>

#include <memory>

namespace ios {

class UIImage;

// What a `UIGraphicsImageRenderer` hands to its drawing actions. Valid only during the call.
class UIGraphicsImageRendererContext {
 public:
  explicit UIGraphicsImageRendererContext(CGContext& context) : context_(context) {}

  CGContext& cgContext() const { return context_; }
  // The pixels drawn so far, at the renderer's scale.
  std::shared_ptr<UIImage> currentImage() const;
  // Fills `rect` with the context's current fill colour.
  void fill(const CGRect& rect) const { context_.fill(rect); }

 private:
  CGContext& context_;
};

}  // namespace ios
