#pragma once

#include <CoreGraphics/CGGeometry.h>

#include <array>
#include <cstddef>
#include <vector>

namespace ios {

// The two colour spaces the toolkit uses: device RGB (red, green, blue, alpha) and device grey
// (white, alpha).
enum class CGColorSpaceModel { monochrome, rgb };

// A colour value. Components are stored as given (no clamping), so a colour made from 255-based
// numbers divided by 255 compares equal to itself however it was built; conversions clamp to 0...1.
struct CGColor {
  CGColorSpaceModel model = CGColorSpaceModel::rgb;
  // rgb: r, g, b, a. monochrome: white, a, (unused), (unused).
  std::array<CGFloat, 4> values{0, 0, 0, 0};

  static CGColor rgb(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha = 1.0);
  static CGColor grey(CGFloat white, CGFloat alpha = 1.0);
  static CGColor black() { return grey(0, 1); }
  static CGColor white() { return grey(1, 1); }
  static CGColor clear() { return grey(0, 0); }

  // 4 for RGB, 2 for grey, as `CGColor.numberOfComponents`.
  std::size_t numberOfComponents() const;
  // `CGColor.components`: the colour's own components, alpha last.
  std::vector<CGFloat> components() const;
  CGFloat alpha() const;
  // The same colour with another alpha (`copy(alpha:)`).
  CGColor withAlpha(CGFloat alpha) const;

  // Red, green, blue, alpha clamped to 0...1; a grey colour gives white, white, white, alpha.
  struct RGBA {
    CGFloat red, green, blue, alpha;
    friend bool operator==(const RGBA&, const RGBA&) = default;
  };
  RGBA rgba() const;

  // Equal when the colour space and every component are equal (`CGColorEqualToColor`): grey 1 and
  // RGB (1, 1, 1) are different colours, as on the platform.
  friend bool operator==(const CGColor& a, const CGColor& b);
};

}  // namespace ios
