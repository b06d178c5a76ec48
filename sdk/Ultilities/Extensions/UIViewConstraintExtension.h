#pragma once

// Finding and changing the layout constraint that fixes one attribute of a view, collapsing a view
// to zero height or width and bringing it back, and sizing a view to its content. Each free function
// stands for the view member of the same name.
//
// Only constraints held by the view's superview are searched, and only those whose first item is the
// view itself: a height the view holds on itself, or one that names the view as its second item, is
// not found.

#include <CoreGraphics/CGGeometry.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIView.h>

#include <memory>

namespace kerbelin {

// The first constraint of the superview whose first item is `view` and whose first attribute is
// `attribute`; null when there is none (or no superview).
std::shared_ptr<ios::NSLayoutConstraint> constraintForAttribute(const ios::UIView& view,
                                                                ios::NSLayoutAttribute attribute);
// That constraint's constant, or NaN when there is none.
double constraintConstantforAttribute(const ios::UIView& view, ios::NSLayoutAttribute attribute);
// Sets the constant of that constraint and returns true. Without one, adds to the superview a new
// constraint `view.attribute == constant` (no second item, multiplier 1) and returns false; without a
// superview nothing is added.
bool setConstraintConstant(ios::UIView& view, double constant, ios::NSLayoutAttribute attribute);

// Collapse (`hidden` true) or restore the view along height or width.
void hideByHeight(ios::UIView& view, bool hidden);
void hideByWidth(ios::UIView& view, bool hidden);
// Collapsing remembers the size to come back to in the view's `alpha` (the constraint's constant, or
// the measured size when there was no constraint), sets the constant to 0 and hides the view.
// Restoring sets the remembered constant back, shows the view and sets `alpha` to 1; it does nothing
// when the superview holds no such constraint. A request for the state the view is already in does
// nothing.
void hideView(ios::UIView& view, bool hidden, ios::NSLayoutAttribute attribute);

// Lays the view out (`updateSizes`) and gives its bounds' size.
ios::CGSize getSize(ios::UIView& view);
// `setNeedsLayout` then `layoutIfNeeded`.
void updateSizes(ios::UIView& view);
// Lays the view out, then gives it the frame (0, 0, 320, h) where h is the smallest height its
// constraints allow.
void sizeToSubviews(ios::UIView& view);

}  // namespace kerbelin
