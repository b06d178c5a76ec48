#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

class UIView;
class UILayoutGuide;

// Raw values as UIKit's. Left and leading are the same edge (layout is left-to-right only); the
// baselines of views without text are their bottom and top edges. The margin variants are the
// matching attributes of the view's `layoutMarginsGuide`.
enum class NSLayoutAttribute {
  notAnAttribute = 0,
  left = 1,
  right = 2,
  top = 3,
  bottom = 4,
  leading = 5,
  trailing = 6,
  width = 7,
  height = 8,
  centerX = 9,
  centerY = 10,
  lastBaseline = 11,
  firstBaseline = 12,
  leftMargin = 13,
  rightMargin = 14,
  topMargin = 15,
  bottomMargin = 16,
  leadingMargin = 17,
  trailingMargin = 18,
  centerXWithinMargins = 19,
  centerYWithinMargins = 20,
};

enum class NSLayoutRelation { lessThanOrEqual = -1, equal = 0, greaterThanOrEqual = 1 };

int rawValue(NSLayoutAttribute attribute);
int rawValue(NSLayoutRelation relation);
template <class E>
std::optional<E> fromRawValue(int raw);
template <>
std::optional<NSLayoutAttribute> fromRawValue<NSLayoutAttribute>(int raw);
template <>
std::optional<NSLayoutRelation> fromRawValue<NSLayoutRelation>(int raw);

// The axis a content priority applies to; raw values as UIKit's.
enum class UILayoutConstraintAxis { horizontal = 0, vertical = 1 };

// Layout priorities, 1...1000; 1000 is required.
using UILayoutPriority = float;
inline constexpr UILayoutPriority UILayoutPriorityRequired = 1000;
inline constexpr UILayoutPriority UILayoutPriorityDefaultHigh = 750;
inline constexpr UILayoutPriority UILayoutPriorityDefaultLow = 250;
inline constexpr UILayoutPriority UILayoutPriorityFittingSizeLevel = 50;

// Targets of `UIView::systemLayoutSizeFitting`: the smallest and the largest size the constraints allow.
inline constexpr CGSize UILayoutFittingCompressedSize{0, 0};
inline constexpr CGSize UILayoutFittingExpandedSize{10000, 10000};

// `firstItem.firstAttribute <relation> secondItem.secondAttribute * multiplier + constant`.
//
// Items are views or layout guides, held weakly: a constraint never keeps a view alive. An active
// constraint is held by one view (the closest common ancestor of its items when activated, or the view
// it was added to) and lives in the layout engine of that view's tree; changing `constant` there is
// cheap and takes effect at the next layout pass (or `layoutIfNeeded`).
//
// Positions are compared in the coordinates of the holding view, so a multiplier on a position
// attribute scales distances from that view's top-left corner.
//
// Priorities follow UIKit: on an active constraint a change between required (1000) and optional is
// refused (logged, the priority stays), since the engine treats the two kinds differently; change it
// before activating instead. A required constraint that cannot hold with the others is logged once and
// left out of the solution; it stays active.
class NSLayoutConstraint : public NSObject {
 public:
  // `item2` may be null with `attribute2` notAnAttribute (a fixed width or height).
  static std::shared_ptr<NSLayoutConstraint> create(const std::shared_ptr<NSObject>& item1,
                                                    NSLayoutAttribute attribute1, NSLayoutRelation relation,
                                                    const std::shared_ptr<NSObject>& item2,
                                                    NSLayoutAttribute attribute2, CGFloat multiplier = 1,
                                                    CGFloat constant = 0);
  NSLayoutConstraint(const std::shared_ptr<NSObject>& item1, NSLayoutAttribute attribute1,
                     NSLayoutRelation relation, const std::shared_ptr<NSObject>& item2,
                     NSLayoutAttribute attribute2, CGFloat multiplier, CGFloat constant);
  ~NSLayoutConstraint() override;

  std::shared_ptr<NSObject> firstItem() const { return firstItem_.lock(); }
  std::shared_ptr<NSObject> secondItem() const { return secondItem_.lock(); }
  NSLayoutAttribute firstAttribute() const { return firstAttribute_; }
  NSLayoutAttribute secondAttribute() const { return secondAttribute_; }
  NSLayoutRelation relation() const { return relation_; }
  CGFloat multiplier() const { return multiplier_; }

  CGFloat constant() const { return constant_; }
  void setConstant(CGFloat constant);
  UILayoutPriority priority() const { return priority_; }
  void setPriority(UILayoutPriority priority);

  // Active means held by a view. Activating finds the closest common ancestor of the items; items in
  // different trees are logged and the constraint stays inactive.
  bool isActive() const;
  void setActive(bool active);
  static void activate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
  static void deactivate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);

  // The view holding this constraint while it is active.
  std::shared_ptr<UIView> holder() const { return holder_.lock(); }

  std::string identifier;

  // "UILabel(title).height == UIView.height * 0.5 + 8 @750": for messages and debugging.
  std::string description() const override;

 private:
  friend class UIView;
  friend class LayoutEngine;

  std::weak_ptr<NSObject> firstItem_;
  std::weak_ptr<NSObject> secondItem_;
  NSLayoutAttribute firstAttribute_;
  NSLayoutAttribute secondAttribute_;
  NSLayoutRelation relation_;
  CGFloat multiplier_;
  CGFloat constant_;
  UILayoutPriority priority_ = UILayoutPriorityRequired;
  std::weak_ptr<UIView> holder_;
  bool reportedUnsatisfiable_ = false;
};

}  // namespace ios
