#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreText/NSParagraphStyle.h>
#include <Foundation/NSObject.h>

#include <cstddef>
#include <memory>

namespace ios {

// The region text is laid out in (TextKit). A width of 0 or infinity means lines never wrap; the
// height is kept for callers but does not cut lines (use `maximumNumberOfLines`).
class NSTextContainer : public NSObject {
 public:
  static std::shared_ptr<NSTextContainer> create(CGSize size = CGSize::zero) {
    auto container = std::make_shared<NSTextContainer>();
    container->size = size;
    return container;
  }

  CGSize size;
  // Inset on both sides of every line; TextKit's default is 5.
  CGFloat lineFragmentPadding = 5;
  NSLineBreakMode lineBreakMode = NSLineBreakMode::byWordWrapping;
  std::size_t maximumNumberOfLines = 0;  // 0 = no limit
};

}  // namespace ios
