#pragma once

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGGeometry.h>

namespace ios {

// A 4x4 homogeneous transform applied to row vectors, as Core Animation stores it:
//   [x y z w] * M. Translation lives in m41..m43; m34 is the perspective term.
// Layers in this platform are flat (z = 0), so drawing and hit testing use `affineProjection()`; the
// full matrix is kept because callers read and write every element (m34 above all).
struct CATransform3D {
  CGFloat m11 = 1, m12 = 0, m13 = 0, m14 = 0;
  CGFloat m21 = 0, m22 = 1, m23 = 0, m24 = 0;
  CGFloat m31 = 0, m32 = 0, m33 = 1, m34 = 0;
  CGFloat m41 = 0, m42 = 0, m43 = 0, m44 = 1;

  static const CATransform3D identity;

  bool isIdentity() const { return *this == identity; }
  // True when the matrix has no z, perspective or projective part, so it equals its affine form.
  bool isAffine() const;

  friend constexpr bool operator==(const CATransform3D&, const CATransform3D&) = default;
};

inline constexpr CATransform3D CATransform3D::identity{};
inline constexpr CATransform3D CATransform3DIdentity{};

CATransform3D CATransform3DMakeTranslation(CGFloat tx, CGFloat ty, CGFloat tz);
CATransform3D CATransform3DMakeScale(CGFloat sx, CGFloat sy, CGFloat sz);
// Rotation by `angle` radians about the axis (x, y, z); a zero axis gives the identity.
CATransform3D CATransform3DMakeRotation(CGFloat angle, CGFloat x, CGFloat y, CGFloat z);
// `a` first, then `b` (the product a * b).
CATransform3D CATransform3DConcat(const CATransform3D& a, const CATransform3D& b);
// These apply the new operation before `t`, as Core Animation does: Scale(t, ...) = MakeScale * t.
CATransform3D CATransform3DTranslate(const CATransform3D& t, CGFloat tx, CGFloat ty, CGFloat tz);
CATransform3D CATransform3DScale(const CATransform3D& t, CGFloat sx, CGFloat sy, CGFloat sz);
CATransform3D CATransform3DRotate(const CATransform3D& t, CGFloat angle, CGFloat x, CGFloat y, CGFloat z);
// The inverse; a singular matrix is returned unchanged.
CATransform3D CATransform3DInvert(const CATransform3D& t);
bool CATransform3DIsIdentity(const CATransform3D& t);
bool CATransform3DIsAffine(const CATransform3D& t);
CATransform3D CATransform3DMakeAffineTransform(const CGAffineTransform& t);
// The affine part (a, b, c, d, tx, ty) read straight from the matrix, as Core Animation does.
CGAffineTransform CATransform3DGetAffineTransform(const CATransform3D& t);

// The 2-D transform that the matrix applies to points of the plane z = 0, after the perspective
// divide. Exact when m14 and m24 are 0, the divisor then being m44 everywhere (perspective m34 with
// scales and translations, the only 3-D use here); the projective terms m14 and m24 are ignored.
CGAffineTransform affineProjection(const CATransform3D& t);

}  // namespace ios
