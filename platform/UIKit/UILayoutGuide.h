#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>
#include <UIKit/NSLayoutAnchor.h>

#include <memory>
#include <string>

namespace ios {

class UIView;

// A rectangle that takes part in Auto Layout without being a view: spacers, and the safe area and
// layout margins of a view. Its coordinates are its owning view's bounds coordinates. Guides made by a
// view (`safeAreaLayoutGuide`, `layoutMarginsGuide`) follow the view's insets; guides added with
// `UIView::addLayoutGuide` are placed by constraints alone.
class UILayoutGuide : public NSObject {
 public:
  enum class Kind { custom, safeArea, layoutMargins };

  static std::shared_ptr<UILayoutGuide> create();
  explicit UILayoutGuide(Kind kind = Kind::custom) : kind_(kind) {}

  std::shared_ptr<UIView> owningView() const { return owningView_.lock(); }
  // Where the last layout pass put the guide, in the owning view's coordinates.
  CGRect layoutFrame() const { return layoutFrame_; }
  Kind kind() const { return kind_; }
  std::string identifier;

  NSLayoutXAxisAnchor leadingAnchor() const { return x(NSLayoutAttribute::leading); }
  NSLayoutXAxisAnchor trailingAnchor() const { return x(NSLayoutAttribute::trailing); }
  NSLayoutXAxisAnchor leftAnchor() const { return x(NSLayoutAttribute::left); }
  NSLayoutXAxisAnchor rightAnchor() const { return x(NSLayoutAttribute::right); }
  NSLayoutXAxisAnchor centerXAnchor() const { return x(NSLayoutAttribute::centerX); }
  NSLayoutYAxisAnchor topAnchor() const { return y(NSLayoutAttribute::top); }
  NSLayoutYAxisAnchor bottomAnchor() const { return y(NSLayoutAttribute::bottom); }
  NSLayoutYAxisAnchor centerYAnchor() const { return y(NSLayoutAttribute::centerY); }
  NSLayoutDimension widthAnchor() const { return {self(), NSLayoutAttribute::width}; }
  NSLayoutDimension heightAnchor() const { return {self(), NSLayoutAttribute::height}; }

 private:
  friend class UIView;
  friend class LayoutEngine;
  std::weak_ptr<NSObject> self() const { return std::const_pointer_cast<NSObject>(shared_from_this()); }
  NSLayoutXAxisAnchor x(NSLayoutAttribute attribute) const { return {self(), attribute}; }
  NSLayoutYAxisAnchor y(NSLayoutAttribute attribute) const { return {self(), attribute}; }

  Kind kind_;
  std::weak_ptr<UIView> owningView_;
  CGRect layoutFrame_;
};

}  // namespace ios
