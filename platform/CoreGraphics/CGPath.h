#pragma once

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGGeometry.h>

#include <vector>

namespace ios {

// A resolution-independent outline: a list of subpaths made of lines and Bézier curves. A value type
// (CGPath and CGMutablePath in one); arcs, ellipses and rounded rectangles are stored as the curves
// that draw them, so a renderer or hit test only ever sees the five element kinds.
class CGPath {
 public:
  enum class ElementType { moveToPoint, addLineToPoint, addQuadCurveToPoint, addCurveToPoint, closeSubpath };
  struct Element {
    ElementType type;
    CGPoint points[3];  // 1 for move and line, 2 for a quadratic curve, 3 for a cubic one, 0 for close
  };

  CGPath() = default;
  static CGPath rect(const CGRect& rect);
  static CGPath ellipse(const CGRect& rect);
  // A rectangle with elliptical corners; the radii are clamped to half the width and height.
  static CGPath roundedRect(const CGRect& rect, CGFloat cornerWidth, CGFloat cornerHeight);

  void move(CGPoint to);
  // Lines and curves start a subpath at their start point when none is open.
  void addLine(CGPoint to);
  void addQuadCurve(CGPoint to, CGPoint control);
  void addCurve(CGPoint to, CGPoint control1, CGPoint control2);
  void closeSubpath();
  void addRect(const CGRect& rect);
  void addEllipse(const CGRect& rect);
  void addRoundedRect(const CGRect& rect, CGFloat cornerWidth, CGFloat cornerHeight);
  // An arc of a circle from `startAngle` to `endAngle` (radians, y-down screen: positive angles turn
  // clockwise on screen). `clockwise` follows CoreGraphics' meaning in a y-down space, where UIKit's
  // `UIBezierPath(arcCenter:...clockwise: true)` passes false. Joined to the current point by a line.
  void addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
  void addPath(const CGPath& other, const CGAffineTransform& transform = CGAffineTransform::identity);

  const std::vector<Element>& elements() const { return elements_; }
  bool isEmpty() const { return elements_.empty(); }
  // The end point of the last element; zero for an empty path.
  CGPoint currentPoint() const { return current_; }
  // The smallest rectangle holding every point, control points included; null when empty.
  CGRect boundingBox() const;
  // The same, tight around the curves themselves (curves are flattened to find it).
  CGRect boundingBoxOfPath() const;
  CGPath applying(const CGAffineTransform& transform) const;
  // Whether a point is inside the filled path (non-zero winding, or even-odd).
  bool contains(CGPoint point, bool evenOdd = false) const;
  // The outline as polygons, curves split into segments no further than `tolerance` from the curve.
  std::vector<std::vector<CGPoint>> flattened(CGFloat tolerance = 0.1) const;

  friend bool operator==(const CGPath& a, const CGPath& b);

 private:
  void ensureSubpath();

  std::vector<Element> elements_;
  CGPoint current_;
  CGPoint subpathStart_;
  bool hasSubpath_ = false;
};

}  // namespace ios
