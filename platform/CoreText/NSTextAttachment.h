#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

// An inline object in text, drawn by whoever draws the text (see TextRendering.h). The image is an
// opaque handle here: UIKit stores its UIImage in it. Layout reserves `bounds.size`; a positive
// `bounds.origin.y` raises the object above the baseline.
class NSTextAttachment : public NSObject {
 public:
  static std::shared_ptr<NSTextAttachment> create() { return std::make_shared<NSTextAttachment>(); }

  std::shared_ptr<NSObject> image;
  CGRect bounds{};
};

}  // namespace ios
