#pragma once

#include <CoreGraphics/CGGeometry.h>

namespace ios {

// The 2-D affine matrix
//   | a  b  0 |
//   | c  d  0 |
//   | tx ty 1 |
// applied to row vectors: x' = a*x + c*y + tx, y' = b*x + d*y + ty. Unlike Swift's
// `CGAffineTransform()`, a default-constructed value is the identity.
struct CGAffineTransform {
  CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  static const CGAffineTransform identity;

  // `CGAffineTransform(translationX:y:)`, `(scaleX:y:)`, `(rotationAngle:)`. A positive angle turns
  // +x toward +y, which on UIKit's y-down screen is clockwise.
  static CGAffineTransform translation(CGFloat tx, CGFloat ty);
  static CGAffineTransform scale(CGFloat sx, CGFloat sy);
  static CGAffineTransform rotation(CGFloat angle);

  // `t1.concatenating(t2)`: t1 first, then t2 (the matrix product t1 * t2).
  CGAffineTransform concatenating(const CGAffineTransform& t2) const;
  // These apply the new operation *before* this transform, as UIKit does: `t.translatedBy(x, y)`
  // is `translation(x, y).concatenating(t)`, so the translation is in the transformed space.
  CGAffineTransform translatedBy(CGFloat tx, CGFloat ty) const;
  CGAffineTransform scaledBy(CGFloat sx, CGFloat sy) const;
  CGAffineTransform rotated(CGFloat angle) const;
  // The inverse; a singular transform (determinant 0) is returned unchanged.
  CGAffineTransform inverted() const;
  bool isIdentity() const { return *this == identity; }

  CGPoint apply(CGPoint point) const;
  // Sizes are vectors: no translation.
  CGSize apply(CGSize size) const;
  // The bounding box of the four transformed corners; null stays null.
  CGRect apply(const CGRect& rect) const;

  friend constexpr bool operator==(const CGAffineTransform&, const CGAffineTransform&) = default;
};

inline constexpr CGAffineTransform CGAffineTransform::identity{};

// Swift's `point.applying(t)`, `size.applying(t)`, `rect.applying(t)`.
inline CGPoint applying(CGPoint point, const CGAffineTransform& t) {
  return t.apply(point);
}
inline CGSize applying(CGSize size, const CGAffineTransform& t) {
  return t.apply(size);
}
inline CGRect applying(const CGRect& rect, const CGAffineTransform& t) {
  return t.apply(rect);
}

}  // namespace ios
