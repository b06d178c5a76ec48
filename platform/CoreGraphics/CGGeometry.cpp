#include <CoreGraphics/CGGeometry.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace ios {

CGFloat CGRect::minX() const {
  return size.width < 0 ? origin.x + size.width : origin.x;
}
CGFloat CGRect::maxX() const {
  return size.width < 0 ? origin.x : origin.x + size.width;
}
CGFloat CGRect::midX() const {
  return origin.x + size.width / 2;
}
CGFloat CGRect::minY() const {
  return size.height < 0 ? origin.y + size.height : origin.y;
}
CGFloat CGRect::maxY() const {
  return size.height < 0 ? origin.y : origin.y + size.height;
}
CGFloat CGRect::midY() const {
  return origin.y + size.height / 2;
}

CGFloat CGRect::width() const {
  return isNull() ? 0 : std::fabs(size.width);
}
CGFloat CGRect::height() const {
  return isNull() ? 0 : std::fabs(size.height);
}

bool CGRect::isNull() const {
  return (std::isinf(origin.x) && origin.x > 0) || (std::isinf(origin.y) && origin.y > 0);
}

bool CGRect::isInfinite() const {
  return origin == infinite.origin && size == infinite.size;
}

bool CGRect::isEmpty() const {
  return isNull() || size.width == 0 || size.height == 0;
}

CGRect CGRect::standardized() const {
  if (isNull()) return null;
  return CGRect(minX(), minY(), std::fabs(size.width), std::fabs(size.height));
}

CGRect CGRect::insetBy(CGFloat dx, CGFloat dy) const {
  if (isNull()) return null;
  CGRect r = standardized();
  r.origin.x += dx;
  r.origin.y += dy;
  r.size.width -= 2 * dx;
  r.size.height -= 2 * dy;
  return r.size.width < 0 || r.size.height < 0 ? null : r;
}

CGRect CGRect::offsetBy(CGFloat dx, CGFloat dy) const {
  if (isNull()) return null;
  return CGRect(origin.x + dx, origin.y + dy, size.width, size.height);
}

CGRect CGRect::unionWith(const CGRect& other) const {
  if (isNull()) return other.standardized();
  if (other.isNull()) return standardized();
  const CGFloat x0 = std::min(minX(), other.minX()), y0 = std::min(minY(), other.minY());
  return CGRect(x0, y0, std::max(maxX(), other.maxX()) - x0, std::max(maxY(), other.maxY()) - y0);
}

CGRect CGRect::intersection(const CGRect& other) const {
  if (isNull() || other.isNull()) return null;
  const CGFloat x0 = std::max(minX(), other.minX()), x1 = std::min(maxX(), other.maxX());
  const CGFloat y0 = std::max(minY(), other.minY()), y1 = std::min(maxY(), other.maxY());
  if (x1 < x0 || y1 < y0) return null;
  return CGRect(x0, y0, x1 - x0, y1 - y0);
}

bool CGRect::intersects(const CGRect& other) const {
  return !intersection(other).isEmpty();
}

bool CGRect::contains(CGPoint point) const {
  if (isEmpty()) return false;
  return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
}

bool CGRect::contains(const CGRect& other) const {
  if (isNull() || other.isNull()) return false;
  return other.minX() >= minX() && other.maxX() <= maxX() && other.minY() >= minY() && other.maxY() <= maxY();
}

bool operator==(const CGRect& a, const CGRect& b) {
  if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
  const CGRect sa = a.standardized(), sb = b.standardized();
  return sa.origin == sb.origin && sa.size == sb.size;
}

std::ostream& operator<<(std::ostream& out, const CGPoint& point) {
  return out << "(" << point.x << ", " << point.y << ")";
}

std::ostream& operator<<(std::ostream& out, const CGSize& size) {
  return out << "(" << size.width << ", " << size.height << ")";
}

std::ostream& operator<<(std::ostream& out, const CGRect& rect) {
  return out << "(" << rect.origin.x << ", " << rect.origin.y << ", " << rect.size.width << ", "
             << rect.size.height << ")";
}

}  // namespace ios
