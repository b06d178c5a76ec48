#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <UIKit/NSLayoutConstraint.h>

#include <memory>
#include <type_traits>

namespace ios {

namespace detail {
struct XAxis {};
struct YAxis {};
struct Dimension {};

// Makes an inactive constraint between two anchors; activate it (or add it to a view) to use it.
std::shared_ptr<NSLayoutConstraint> makeAnchorConstraint(
    const std::weak_ptr<NSObject>& item1, NSLayoutAttribute attribute1, NSLayoutRelation relation,
    const std::weak_ptr<NSObject>& item2, NSLayoutAttribute attribute2, CGFloat multiplier, CGFloat constant);
}  // namespace detail

// One attribute of a view or layout guide. Anchors are small values; they make constraints only with
// anchors of the same axis (an x edge with an x edge, a size with a size), which the types enforce.
// The constraints they return are inactive, as UIKit's are.
template <class Axis>
class NSLayoutAnchor {
 public:
  NSLayoutAnchor(std::weak_ptr<NSObject> item, NSLayoutAttribute attribute)
      : item_(std::move(item)), attribute_(attribute) {}

  std::shared_ptr<NSObject> item() const { return item_.lock(); }
  NSLayoutAttribute attribute() const { return attribute_; }

  std::shared_ptr<NSLayoutConstraint> constraintEqualTo(const NSLayoutAnchor& other,
                                                        CGFloat constant = 0) const {
    return make(NSLayoutRelation::equal, other, 1, constant);
  }
  std::shared_ptr<NSLayoutConstraint> constraintGreaterThanOrEqualTo(const NSLayoutAnchor& other,
                                                                     CGFloat constant = 0) const {
    return make(NSLayoutRelation::greaterThanOrEqual, other, 1, constant);
  }
  std::shared_ptr<NSLayoutConstraint> constraintLessThanOrEqualTo(const NSLayoutAnchor& other,
                                                                  CGFloat constant = 0) const {
    return make(NSLayoutRelation::lessThanOrEqual, other, 1, constant);
  }

  // Sizes only: a fixed size, and a size proportional to another (`multiplier` then `constant`).
  std::shared_ptr<NSLayoutConstraint> constraintEqualToConstant(
      CGFloat constant) const requires std::is_same_v<Axis, detail::Dimension> {
    return fixed(NSLayoutRelation::equal, constant);
  }
  std::shared_ptr<NSLayoutConstraint> constraintGreaterThanOrEqualToConstant(
      CGFloat constant) const requires std::is_same_v<Axis, detail::Dimension> {
    return fixed(NSLayoutRelation::greaterThanOrEqual, constant);
  }
  std::shared_ptr<NSLayoutConstraint> constraintLessThanOrEqualToConstant(
      CGFloat constant) const requires std::is_same_v<Axis, detail::Dimension> {
    return fixed(NSLayoutRelation::lessThanOrEqual, constant);
  }
  std::shared_ptr<NSLayoutConstraint> constraintEqualTo(
      const NSLayoutAnchor& other, CGFloat multiplier,
      CGFloat constant) const requires std::is_same_v<Axis, detail::Dimension> {
    return make(NSLayoutRelation::equal, other, multiplier, constant);
  }
  std::shared_ptr<NSLayoutConstraint> constraintGreaterThanOrEqualTo(
      const NSLayoutAnchor& other, CGFloat multiplier,
      CGFloat constant) const requires std::is_same_v<Axis, detail::Dimension> {
    return make(NSLayoutRelation::greaterThanOrEqual, other, multiplier, constant);
  }
  std::shared_ptr<NSLayoutConstraint> constraintLessThanOrEqualTo(
      const NSLayoutAnchor& other, CGFloat multiplier,
      CGFloat constant) const requires std::is_same_v<Axis, detail::Dimension> {
    return make(NSLayoutRelation::lessThanOrEqual, other, multiplier, constant);
  }

 private:
  std::shared_ptr<NSLayoutConstraint> make(NSLayoutRelation relation, const NSLayoutAnchor& other,
                                           CGFloat multiplier, CGFloat constant) const {
    return detail::makeAnchorConstraint(item_, attribute_, relation, other.item_, other.attribute_,
                                        multiplier, constant);
  }
  std::shared_ptr<NSLayoutConstraint> fixed(NSLayoutRelation relation, CGFloat constant) const {
    return detail::makeAnchorConstraint(item_, attribute_, relation, {}, NSLayoutAttribute::notAnAttribute, 1,
                                        constant);
  }

  std::weak_ptr<NSObject> item_;
  NSLayoutAttribute attribute_;
};

using NSLayoutXAxisAnchor = NSLayoutAnchor<detail::XAxis>;
using NSLayoutYAxisAnchor = NSLayoutAnchor<detail::YAxis>;
using NSLayoutDimension = NSLayoutAnchor<detail::Dimension>;

}  // namespace ios
