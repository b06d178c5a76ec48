#pragma once

#include <CoreGraphics/CGGeometry.h>

namespace ios {

// Distances inward from each edge of a rectangle (UIKit's y-down convention: top is the min-Y edge).
struct UIEdgeInsets {
  CGFloat top = 0;
  CGFloat left = 0;
  CGFloat bottom = 0;
  CGFloat right = 0;

  static const UIEdgeInsets zero;
  friend constexpr bool operator==(const UIEdgeInsets&, const UIEdgeInsets&) = default;
};
inline constexpr UIEdgeInsets UIEdgeInsets::zero{};

// `rect.inset(by: insets)`: moves each edge inward by its inset, without standardizing; the size
// may become negative.
inline CGRect inset(const CGRect& rect, const UIEdgeInsets& insets) {
  return CGRect(rect.origin.x + insets.left, rect.origin.y + insets.top,
                rect.size.width - (insets.left + insets.right),
                rect.size.height - (insets.top + insets.bottom));
}

}  // namespace ios
