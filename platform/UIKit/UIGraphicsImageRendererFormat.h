#pragma once

#include <CoreGraphics/CGGeometry.h>

namespace ios {

// How a `UIGraphicsImageRenderer` makes its bitmaps. The default format has the main screen's scale
// and is not opaque.
struct UIGraphicsImageRendererFormat {
  CGFloat scale = 0;  // 0 or less: the main screen's scale
  bool opaque = false;

  static UIGraphicsImageRendererFormat defaultFormat() { return {}; }
};

}  // namespace ios
