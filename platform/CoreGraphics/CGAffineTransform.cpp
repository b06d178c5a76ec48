#include <CoreGraphics/CGAffineTransform.h>

#include <algorithm>
#include <cmath>

namespace ios {

CGAffineTransform CGAffineTransform::translation(CGFloat tx, CGFloat ty) {
  return {1, 0, 0, 1, tx, ty};
}

CGAffineTransform CGAffineTransform::scale(CGFloat sx, CGFloat sy) {
  return {sx, 0, 0, sy, 0, 0};
}

CGAffineTransform CGAffineTransform::rotation(CGFloat angle) {
  const CGFloat sine = std::sin(angle), cosine = std::cos(angle);
  return {cosine, sine, -sine, cosine, 0, 0};
}

CGAffineTransform CGAffineTransform::concatenating(const CGAffineTransform& t2) const {
  return {a * t2.a + b * t2.c, a * t2.b + b * t2.d,           c * t2.a + d * t2.c,
          c * t2.b + d * t2.d, tx * t2.a + ty * t2.c + t2.tx, tx * t2.b + ty * t2.d + t2.ty};
}

CGAffineTransform CGAffineTransform::translatedBy(CGFloat x, CGFloat y) const {
  return translation(x, y).concatenating(*this);
}

CGAffineTransform CGAffineTransform::scaledBy(CGFloat sx, CGFloat sy) const {
  return scale(sx, sy).concatenating(*this);
}

CGAffineTransform CGAffineTransform::rotated(CGFloat angle) const {
  return rotation(angle).concatenating(*this);
}

CGAffineTransform CGAffineTransform::inverted() const {
  const CGFloat determinant = a * d - b * c;
  if (determinant == 0) return *this;
  const CGFloat ia = d / determinant, ib = -b / determinant, ic = -c / determinant, id = a / determinant;
  return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

CGPoint CGAffineTransform::apply(CGPoint p) const {
  return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

CGSize CGAffineTransform::apply(CGSize s) const {
  return {a * s.width + c * s.height, b * s.width + d * s.height};
}

CGRect CGAffineTransform::apply(const CGRect& rect) const {
  if (rect.isNull()) return rect;
  const CGPoint corners[] = {
      apply(CGPoint{rect.minX(), rect.minY()}), apply(CGPoint{rect.maxX(), rect.minY()}),
      apply(CGPoint{rect.minX(), rect.maxY()}), apply(CGPoint{rect.maxX(), rect.maxY()})};
  CGFloat x0 = corners[0].x, x1 = corners[0].x, y0 = corners[0].y, y1 = corners[0].y;
  for (const CGPoint& p : corners) {
    x0 = std::min(x0, p.x);
    x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
  }
  return CGRect(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace ios
