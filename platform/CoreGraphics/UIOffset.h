#pragma once

#include <CoreGraphics/CGGeometry.h>

namespace ios {

// An offset in points, used by UIKit for positioning adjustments.
struct UIOffset {
  CGFloat horizontal = 0;
  CGFloat vertical = 0;

  static const UIOffset zero;
  friend constexpr bool operator==(const UIOffset&, const UIOffset&) = default;
};
inline constexpr UIOffset UIOffset::zero{};

}  // namespace ios
