#pragma once

#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGPath.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

// The corners of a rectangle, as an option set.
enum class UIRectCorner : unsigned {
  topLeft = 1 << 0,
  topRight = 1 << 1,
  bottomLeft = 1 << 2,
  bottomRight = 1 << 3,
  allCorners = 0xF,
};
constexpr UIRectCorner operator|(UIRectCorner a, UIRectCorner b) {
  return static_cast<UIRectCorner>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool contains(UIRectCorner set, UIRectCorner corner) {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(corner)) == static_cast<unsigned>(corner);
}

// A path with its drawing attributes, drawn into the current UIKit context. Coordinates are UIKit's
// (y down); `clockwise` means clockwise on screen.
class UIBezierPath : public NSObject {
  struct Passkey {};

 public:
  static std::shared_ptr<UIBezierPath> create();
  static std::shared_ptr<UIBezierPath> create(const CGPath& path);
  static std::shared_ptr<UIBezierPath> rect(const CGRect& rect);
  static std::shared_ptr<UIBezierPath> ovalIn(const CGRect& rect);
  // Circular corners; the radius is clamped to half the shorter side.
  static std::shared_ptr<UIBezierPath> roundedRect(const CGRect& rect, CGFloat cornerRadius);
  // Only the `corners` chosen are rounded, each an ellipse quarter of radii `cornerRadii`, each radius
  // clamped to half the shorter side (so neighbouring corners never overlap).
  static std::shared_ptr<UIBezierPath> roundedRect(const CGRect& rect, UIRectCorner corners,
                                                   CGSize cornerRadii);
  // An arc from `startAngle` to `endAngle` (radians; 0 points right, positive angles turn clockwise
  // on screen), going clockwise on screen when `clockwise`.
  static std::shared_ptr<UIBezierPath> arcCenter(CGPoint center, CGFloat radius, CGFloat startAngle,
                                                 CGFloat endAngle, bool clockwise);

  void move(CGPoint to);
  void addLine(CGPoint to);
  void addCurve(CGPoint to, CGPoint controlPoint1, CGPoint controlPoint2);
  void addQuadCurve(CGPoint to, CGPoint controlPoint);
  void addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
  void close();
  void append(const UIBezierPath& other);
  void apply(const CGAffineTransform& transform);
  void removeAllPoints();

  const CGPath& cgPath() const { return path_; }
  void setCGPath(const CGPath& path) { path_ = path; }
  bool isEmpty() const { return path_.isEmpty(); }
  CGPoint currentPoint() const { return path_.currentPoint(); }
  // The box around the path itself (control points of curves are not included).
  CGRect bounds() const { return path_.boundingBoxOfPath(); }
  // Whether `point` lies inside the filled path (by `usesEvenOddFillRule`).
  bool contains(CGPoint point) const { return path_.contains(point, usesEvenOddFillRule); }

  CGFloat lineWidth = 1;
  CGLineCap lineCapStyle = CGLineCap::butt;
  CGLineJoin lineJoinStyle = CGLineJoin::miter;
  bool usesEvenOddFillRule = false;

  // Fill or stroke with the current context's fill or stroke colour; nothing without a context.
  void fill() const;
  void stroke() const;

  UIBezierPath(Passkey, CGPath path) : path_(std::move(path)) {}

 private:
  CGPath path_;
};

}  // namespace ios
