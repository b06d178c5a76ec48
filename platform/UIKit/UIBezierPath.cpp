#include <UIKit/UIBezierPath.h>

#include <UIKit/UIGraphics.h>

#include <algorithm>
#include <numbers>

namespace ios {

namespace {

const auto registration =
    ClassRegistration<UIBezierPath>("UIBezierPath").factory([] { return UIBezierPath::create(); });

// Control-point distance for a quarter ellipse drawn with one cubic curve.
constexpr CGFloat kKappa = 0.5522847498307936;

// A quarter ellipse from `from` to `to` bending around `corner`.
void addCorner(CGPath& path, CGPoint from, CGPoint corner, CGPoint to) {
  path.addCurve(to, CGPoint{from.x + (corner.x - from.x) * kKappa, from.y + (corner.y - from.y) * kKappa},
                CGPoint{to.x + (corner.x - to.x) * kKappa, to.y + (corner.y - to.y) * kKappa});
}

}  // namespace

std::shared_ptr<UIBezierPath> UIBezierPath::create() {
  return create(CGPath());
}

std::shared_ptr<UIBezierPath> UIBezierPath::create(const CGPath& path) {
  return std::make_shared<UIBezierPath>(Passkey{}, path);
}

std::shared_ptr<UIBezierPath> UIBezierPath::rect(const CGRect& rect) {
  return create(CGPath::rect(rect));
}

std::shared_ptr<UIBezierPath> UIBezierPath::ovalIn(const CGRect& rect) {
  return create(CGPath::ellipse(rect));
}

std::shared_ptr<UIBezierPath> UIBezierPath::roundedRect(const CGRect& rect, CGFloat cornerRadius) {
  return roundedRect(rect, UIRectCorner::allCorners, CGSize{cornerRadius, cornerRadius});
}

std::shared_ptr<UIBezierPath> UIBezierPath::roundedRect(const CGRect& rect, UIRectCorner corners,
                                                        CGSize radii) {
  const CGRect r = rect.standardized();
  if (r.isNull()) return create();
  const CGFloat limit = std::min(r.width(), r.height()) / 2;
  const CGFloat rx = std::clamp<CGFloat>(radii.width, 0, limit),
                ry = std::clamp<CGFloat>(radii.height, 0, limit);
  const bool round = rx > 0 && ry > 0;
  auto rounded = [&](UIRectCorner corner) { return round && ios::contains(corners, corner); };
  const CGFloat x0 = r.minX(), y0 = r.minY(), x1 = r.maxX(), y1 = r.maxY();

  CGPath path;
  // Clockwise on screen from the top edge, as the platform draws it.
  path.move(CGPoint{rounded(UIRectCorner::topLeft) ? x0 + rx : x0, y0});
  if (rounded(UIRectCorner::topRight)) {
    path.addLine(CGPoint{x1 - rx, y0});
    addCorner(path, CGPoint{x1 - rx, y0}, CGPoint{x1, y0}, CGPoint{x1, y0 + ry});
  } else {
    path.addLine(CGPoint{x1, y0});
  }
  if (rounded(UIRectCorner::bottomRight)) {
    path.addLine(CGPoint{x1, y1 - ry});
    addCorner(path, CGPoint{x1, y1 - ry}, CGPoint{x1, y1}, CGPoint{x1 - rx, y1});
  } else {
    path.addLine(CGPoint{x1, y1});
  }
  if (rounded(UIRectCorner::bottomLeft)) {
    path.addLine(CGPoint{x0 + rx, y1});
    addCorner(path, CGPoint{x0 + rx, y1}, CGPoint{x0, y1}, CGPoint{x0, y1 - ry});
  } else {
    path.addLine(CGPoint{x0, y1});
  }
  if (rounded(UIRectCorner::topLeft)) {
    path.addLine(CGPoint{x0, y0 + ry});
    addCorner(path, CGPoint{x0, y0 + ry}, CGPoint{x0, y0}, CGPoint{x0 + rx, y0});
  } else {
    path.addLine(CGPoint{x0, y0});
  }
  path.closeSubpath();
  return create(path);
}

std::shared_ptr<UIBezierPath> UIBezierPath::arcCenter(CGPoint center, CGFloat radius, CGFloat startAngle,
                                                      CGFloat endAngle, bool clockwise) {
  auto path = create();
  path->addArc(center, radius, startAngle, endAngle, clockwise);
  return path;
}

void UIBezierPath::move(CGPoint to) {
  path_.move(to);
}
void UIBezierPath::addLine(CGPoint to) {
  path_.addLine(to);
}
void UIBezierPath::addCurve(CGPoint to, CGPoint c1, CGPoint c2) {
  path_.addCurve(to, c1, c2);
}
void UIBezierPath::addQuadCurve(CGPoint to, CGPoint c) {
  path_.addQuadCurve(to, c);
}

void UIBezierPath::addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                          bool clockwise) {
  // CGPath speaks CoreGraphics' y-up sense of "clockwise"; on a y-down screen it is the opposite.
  path_.addArc(center, radius, startAngle, endAngle, !clockwise);
}

void UIBezierPath::close() {
  path_.closeSubpath();
}
void UIBezierPath::append(const UIBezierPath& other) {
  path_.addPath(other.path_);
}
void UIBezierPath::apply(const CGAffineTransform& transform) {
  path_ = path_.applying(transform);
}
void UIBezierPath::removeAllPoints() {
  path_ = CGPath();
}

void UIBezierPath::fill() const {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return;
  context->saveGState();
  context->beginPath();
  context->addPath(path_);
  context->fillPath(usesEvenOddFillRule);
  context->restoreGState();
}

void UIBezierPath::stroke() const {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return;
  context->saveGState();
  context->setLineWidth(lineWidth);
  context->setLineCap(lineCapStyle);
  context->setLineJoin(lineJoinStyle);
  context->beginPath();
  context->addPath(path_);
  context->strokePath();
  context->restoreGState();
}

}  // namespace ios
