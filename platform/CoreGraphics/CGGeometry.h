#pragma once

#include <iosfwd>
#include <limits>

namespace ios {

using CGFloat = double;

struct CGPoint {
  CGFloat x = 0;
  CGFloat y = 0;
  static const CGPoint zero;
  friend constexpr bool operator==(const CGPoint&, const CGPoint&) = default;
};
inline constexpr CGPoint CGPoint::zero{};

struct CGSize {
  CGFloat width = 0;
  CGFloat height = 0;
  static const CGSize zero;
  friend constexpr bool operator==(const CGSize&, const CGSize&) = default;
};
inline constexpr CGSize CGSize::zero{};

struct CGVector {
  CGFloat dx = 0;
  CGFloat dy = 0;
  static const CGVector zero;
  friend constexpr bool operator==(const CGVector&, const CGVector&) = default;
};
inline constexpr CGVector CGVector::zero{};

// A rectangle with CoreGraphics semantics. The size may be negative: the geometric accessors
// (`minX`, `width`, ...) and every operation work on the standardized rectangle, while `origin` and
// `size` keep what was stored. The null rectangle (origin at +infinity) is "no rectangle", what a
// disjoint intersection returns; it is empty and absorbs nothing in a union.
struct CGRect {
  CGPoint origin;
  CGSize size;

  static const CGRect zero;
  static const CGRect null;
  static const CGRect infinite;

  constexpr CGRect() = default;
  constexpr CGRect(CGPoint origin, CGSize size) : origin(origin), size(size) {}
  constexpr CGRect(CGFloat x, CGFloat y, CGFloat width, CGFloat height) : origin{x, y}, size{width, height} {}

  CGFloat minX() const;
  CGFloat midX() const;
  CGFloat maxX() const;
  CGFloat minY() const;
  CGFloat midY() const;
  CGFloat maxY() const;
  // Absolute values: the standardized size. 0 for the null rectangle.
  CGFloat width() const;
  CGFloat height() const;

  bool isNull() const;
  bool isInfinite() const;
  // Null, or zero width or height.
  bool isEmpty() const;

  // Same area with a non-negative size; null stays null.
  CGRect standardized() const;
  // Standardizes, then moves each edge inward by dx (left and right) and dy (top and bottom);
  // negative values grow it. Null when the result has a negative size or the input is null.
  CGRect insetBy(CGFloat dx, CGFloat dy) const;
  // Moves the origin; null stays null.
  CGRect offsetBy(CGFloat dx, CGFloat dy) const;
  // The smallest rectangle containing both (standardized); a null operand is ignored. Spelled
  // `unionWith` because `union` is a C++ keyword.
  CGRect unionWith(const CGRect& other) const;
  // The shared area, standardized; null when either is null or they are disjoint. Rectangles that
  // only touch share a zero-width (or zero-height) rectangle on that edge.
  CGRect intersection(const CGRect& other) const;
  // True when they share an area of non-zero size; touching edges do not count.
  bool intersects(const CGRect& other) const;
  // Half-open: a point on the max-X or max-Y edge is outside, so adjacent rectangles never both
  // contain a point. Empty rectangles contain nothing.
  bool contains(CGPoint point) const;
  // True when `other` (standardized, possibly empty) lies within this rectangle, edges included.
  // False when either is null.
  bool contains(const CGRect& other) const;

  // As CGRectEqualToRect: compares the standardized rectangles; two null rectangles are equal.
  friend bool operator==(const CGRect& a, const CGRect& b);
};

inline constexpr CGRect CGRect::zero{};
inline constexpr CGRect CGRect::null{std::numeric_limits<CGFloat>::infinity(),
                                     std::numeric_limits<CGFloat>::infinity(), 0, 0};
inline constexpr CGRect CGRect::infinite{
    -std::numeric_limits<CGFloat>::max() / 2, -std::numeric_limits<CGFloat>::max() / 2,
    std::numeric_limits<CGFloat>::max(), std::numeric_limits<CGFloat>::max()};

// Readable output for test failures and logs: "(x, y)", "(w, h)", "(x, y, w, h)".
std::ostream& operator<<(std::ostream& out, const CGPoint& point);
std::ostream& operator<<(std::ostream& out, const CGSize& size);
std::ostream& operator<<(std::ostream& out, const CGRect& rect);

}  // namespace ios
