#include <CoreGraphics/CGPath.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ios {

namespace {

// The control-point distance that makes a cubic Bézier follow a quarter circle.
constexpr CGFloat kQuarterArc = 0.5522847498307936;

CGPoint lerp(CGPoint a, CGPoint b, CGFloat t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

void flattenCubic(CGPoint p0, CGPoint p1, CGPoint p2, CGPoint p3, CGFloat tolerance,
                  std::vector<CGPoint>& out) {
  // Enough segments that the chord error (bounded by the control polygon's deviation) stays under
  // the tolerance.
  const CGFloat dx = std::fabs(p0.x - 2 * p1.x + p2.x) + std::fabs(p1.x - 2 * p2.x + p3.x);
  const CGFloat dy = std::fabs(p0.y - 2 * p1.y + p2.y) + std::fabs(p1.y - 2 * p2.y + p3.y);
  const CGFloat deviation = std::sqrt(dx * dx + dy * dy);
  const int segments = std::clamp(static_cast<int>(std::ceil(std::sqrt(deviation / tolerance))), 1, 256);
  for (int i = 1; i <= segments; ++i) {
    const CGFloat t = static_cast<CGFloat>(i) / segments;
    const CGPoint a = lerp(p0, p1, t), b = lerp(p1, p2, t), c = lerp(p2, p3, t);
    out.push_back(lerp(lerp(a, b, t), lerp(b, c, t), t));
  }
}

}  // namespace

CGPath CGPath::rect(const CGRect& r) {
  CGPath path;
  path.addRect(r);
  return path;
}

CGPath CGPath::ellipse(const CGRect& r) {
  CGPath path;
  path.addEllipse(r);
  return path;
}

CGPath CGPath::roundedRect(const CGRect& r, CGFloat cornerWidth, CGFloat cornerHeight) {
  CGPath path;
  path.addRoundedRect(r, cornerWidth, cornerHeight);
  return path;
}

void CGPath::ensureSubpath() {
  if (!hasSubpath_) move(current_);
}

void CGPath::move(CGPoint to) {
  elements_.push_back({ElementType::moveToPoint, {to}});
  current_ = subpathStart_ = to;
  hasSubpath_ = true;
}

void CGPath::addLine(CGPoint to) {
  ensureSubpath();
  elements_.push_back({ElementType::addLineToPoint, {to}});
  current_ = to;
}

void CGPath::addQuadCurve(CGPoint to, CGPoint control) {
  ensureSubpath();
  elements_.push_back({ElementType::addQuadCurveToPoint, {control, to}});
  current_ = to;
}

void CGPath::addCurve(CGPoint to, CGPoint control1, CGPoint control2) {
  ensureSubpath();
  elements_.push_back({ElementType::addCurveToPoint, {control1, control2, to}});
  current_ = to;
}

void CGPath::closeSubpath() {
  if (!hasSubpath_) return;
  elements_.push_back({ElementType::closeSubpath, {}});
  current_ = subpathStart_;
  hasSubpath_ = false;
}

void CGPath::addRect(const CGRect& r) {
  const CGRect s = r.standardized();
  if (s.isNull()) return;
  move({s.minX(), s.minY()});
  addLine({s.maxX(), s.minY()});
  addLine({s.maxX(), s.maxY()});
  addLine({s.minX(), s.maxY()});
  closeSubpath();
}

void CGPath::addEllipse(const CGRect& r) {
  const CGRect s = r.standardized();
  if (s.isNull()) return;
  const CGFloat rx = s.width() / 2, ry = s.height() / 2, cx = s.midX(), cy = s.midY();
  const CGFloat kx = rx * kQuarterArc, ky = ry * kQuarterArc;
  move({cx + rx, cy});
  addCurve({cx, cy + ry}, {cx + rx, cy + ky}, {cx + kx, cy + ry});
  addCurve({cx - rx, cy}, {cx - kx, cy + ry}, {cx - rx, cy + ky});
  addCurve({cx, cy - ry}, {cx - rx, cy - ky}, {cx - kx, cy - ry});
  addCurve({cx + rx, cy}, {cx + kx, cy - ry}, {cx + rx, cy - ky});
  closeSubpath();
}

void CGPath::addRoundedRect(const CGRect& r, CGFloat cornerWidth, CGFloat cornerHeight) {
  const CGRect s = r.standardized();
  if (s.isNull()) return;
  const CGFloat rx = std::clamp(cornerWidth, CGFloat(0), s.width() / 2);
  const CGFloat ry = std::clamp(cornerHeight, CGFloat(0), s.height() / 2);
  if (rx == 0 || ry == 0) {
    addRect(s);
    return;
  }
  const CGFloat kx = rx * kQuarterArc, ky = ry * kQuarterArc;
  const CGFloat x0 = s.minX(), y0 = s.minY(), x1 = s.maxX(), y1 = s.maxY();
  move({x0 + rx, y0});
  addLine({x1 - rx, y0});
  addCurve({x1, y0 + ry}, {x1 - rx + kx, y0}, {x1, y0 + ry - ky});
  addLine({x1, y1 - ry});
  addCurve({x1 - rx, y1}, {x1, y1 - ry + ky}, {x1 - rx + kx, y1});
  addLine({x0 + rx, y1});
  addCurve({x0, y1 - ry}, {x0 + rx - kx, y1}, {x0, y1 - ry + ky});
  addLine({x0, y0 + ry});
  addCurve({x0 + rx, y0}, {x0, y0 + ry - ky}, {x0 + rx - kx, y0});
  closeSubpath();
}

void CGPath::addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise) {
  constexpr CGFloat twoPi = 2 * std::numbers::pi;
  // In CoreGraphics' own y-up terms "clockwise" runs toward decreasing angles.
  CGFloat sweep = endAngle - startAngle;
  if (clockwise) {
    if (sweep > 0) sweep = std::fmod(sweep, twoPi) - twoPi;
  } else if (sweep < 0) {
    sweep = std::fmod(sweep, twoPi) + twoPi;
  }
  sweep = std::clamp(sweep, -twoPi, twoPi);
  const CGPoint start{center.x + radius * std::cos(startAngle), center.y + radius * std::sin(startAngle)};
  if (hasSubpath_) {
    addLine(start);
  } else {
    move(start);
  }
  const int pieces =
      std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (std::numbers::pi / 2) - 1e-9)));
  const CGFloat step = sweep / pieces;
  const CGFloat k = 4.0 / 3.0 * std::tan(step / 4) * radius;
  CGFloat angle = startAngle;
  for (int i = 0; i < pieces; ++i) {
    const CGFloat next = angle + step;
    const CGPoint p0{center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)};
    const CGPoint p3{center.x + radius * std::cos(next), center.y + radius * std::sin(next)};
    const CGPoint c1{p0.x - k * std::sin(angle), p0.y + k * std::cos(angle)};
    const CGPoint c2{p3.x + k * std::sin(next), p3.y - k * std::cos(next)};
    addCurve(p3, c1, c2);
    angle = next;
  }
}

void CGPath::addPath(const CGPath& other, const CGAffineTransform& transform) {
  for (const Element& e : other.elements_) {
    switch (e.type) {
      case ElementType::moveToPoint:
        move(transform.apply(e.points[0]));
        break;
      case ElementType::addLineToPoint:
        addLine(transform.apply(e.points[0]));
        break;
      case ElementType::addQuadCurveToPoint:
        addQuadCurve(transform.apply(e.points[1]), transform.apply(e.points[0]));
        break;
      case ElementType::addCurveToPoint:
        addCurve(transform.apply(e.points[2]), transform.apply(e.points[0]), transform.apply(e.points[1]));
        break;
      case ElementType::closeSubpath:
        closeSubpath();
        break;
    }
  }
}

CGRect CGPath::boundingBox() const {
  CGRect box = CGRect::null;
  auto include = [&box](CGPoint p) { box = box.unionWith(CGRect(p.x, p.y, 0, 0)); };
  for (const Element& e : elements_) {
    const int count = e.type == ElementType::addCurveToPoint       ? 3
                      : e.type == ElementType::addQuadCurveToPoint ? 2
                      : e.type == ElementType::closeSubpath        ? 0
                                                                   : 1;
    for (int i = 0; i < count; ++i) include(e.points[i]);
  }
  return box;
}

CGRect CGPath::boundingBoxOfPath() const {
  CGRect box = CGRect::null;
  for (const auto& polygon : flattened(0.01))
    for (CGPoint p : polygon) box = box.unionWith(CGRect(p.x, p.y, 0, 0));
  return box;
}

CGPath CGPath::applying(const CGAffineTransform& transform) const {
  CGPath result;
  result.addPath(*this, transform);
  return result;
}

std::vector<std::vector<CGPoint>> CGPath::flattened(CGFloat tolerance) const {
  std::vector<std::vector<CGPoint>> polygons;
  CGPoint current;
  for (const Element& e : elements_) {
    switch (e.type) {
      case ElementType::moveToPoint:
        polygons.push_back({e.points[0]});
        current = e.points[0];
        break;
      case ElementType::addLineToPoint:
        polygons.back().push_back(e.points[0]);
        current = e.points[0];
        break;
      case ElementType::addQuadCurveToPoint: {
        // Elevate to a cubic so one flattener serves both.
        const CGPoint c1 = lerp(current, e.points[0], 2.0 / 3.0),
                      c2 = lerp(e.points[1], e.points[0], 2.0 / 3.0);
        flattenCubic(current, c1, c2, e.points[1], tolerance, polygons.back());
        current = e.points[1];
        break;
      }
      case ElementType::addCurveToPoint:
        flattenCubic(current, e.points[0], e.points[1], e.points[2], tolerance, polygons.back());
        current = e.points[2];
        break;
      case ElementType::closeSubpath:
        if (!polygons.empty() && !polygons.back().empty()) current = polygons.back().front();
        break;
    }
  }
  return polygons;
}

bool CGPath::contains(CGPoint point, bool evenOdd) const {
  int winding = 0;
  int crossings = 0;
  for (const auto& polygon : flattened()) {
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) {
      // Every subpath is filled as if closed.
      const CGPoint a = polygon[i], b = polygon[(i + 1) % n];
      if ((a.y <= point.y) != (b.y <= point.y)) {
        const CGFloat x = a.x + (point.y - a.y) * (b.x - a.x) / (b.y - a.y);
        if (x > point.x) {
          ++crossings;
          winding += b.y > a.y ? 1 : -1;
        }
      }
    }
  }
  return evenOdd ? (crossings % 2) == 1 : winding != 0;
}

bool operator==(const CGPath& a, const CGPath& b) {
  if (a.elements_.size() != b.elements_.size()) return false;
  for (size_t i = 0; i < a.elements_.size(); ++i) {
    const auto& x = a.elements_[i];
    const auto& y = b.elements_[i];
    if (x.type != y.type) return false;
    for (int k = 0; k < 3; ++k)
      if (x.points[k].x != y.points[k].x || x.points[k].y != y.points[k].y) return false;
  }
  return true;
}

}  // namespace ios
