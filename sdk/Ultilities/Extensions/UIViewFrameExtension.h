#pragma once

// Geometry helpers on views: short names for the parts of a frame, edge positions with an offset,
// pinning a subview with constraints, emptying a stack view, a safe-area test, the distance between
// two views and whether a tap fell on a range of a label's text. Each free function stands for the
// view member of the same name; a property `p` is `p(view)` and `setP(view, value)`.
//
// Every setter builds the whole frame from the current values of the other parts and assigns it
// once.

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSString.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIStackView.h>
#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UIView.h>

#include <memory>

namespace kerbelin {

ios::CGFloat x(const ios::UIView& view);
void setX(ios::UIView& view, ios::CGFloat value);
ios::CGFloat y(const ios::UIView& view);
void setY(ios::UIView& view, ios::CGFloat value);
ios::CGFloat w(const ios::UIView& view);
void setW(ios::UIView& view, ios::CGFloat value);
ios::CGFloat h(const ios::UIView& view);
void setH(ios::UIView& view, ios::CGFloat value);
ios::CGPoint position(const ios::UIView& view);
void setPosition(ios::UIView& view, ios::CGPoint value);
ios::CGSize size(const ios::UIView& view);
void setSize(ios::UIView& view, ios::CGSize value);

// `left` and `top` are `x` and `y`; `right` and `bottom` the far edges, whose setters move the view
// (the size is kept).
ios::CGFloat left(const ios::UIView& view);
void setLeft(ios::UIView& view, ios::CGFloat value);
ios::CGFloat right(const ios::UIView& view);
void setRight(ios::UIView& view, ios::CGFloat value);
ios::CGFloat top(const ios::UIView& view);
void setTop(ios::UIView& view, ios::CGFloat value);
ios::CGFloat bottom(const ios::UIView& view);
void setBottom(ios::UIView& view, ios::CGFloat value);

// `left` - offset, `right` + offset, `top` - offset, `bottom` + offset (the last name has three t).
ios::CGFloat leftWithOffset(const ios::UIView& view, ios::CGFloat offset);
ios::CGFloat rightWithOffset(const ios::UIView& view, ios::CGFloat offset);
ios::CGFloat topWithOffset(const ios::UIView& view, ios::CGFloat offset);
ios::CGFloat botttomWithOffset(const ios::UIView& view, ios::CGFloat offset);

// Pins `subview`, already a subview of `container`, to the container's centre with fixed constants
// for its current width and height (centre X, centre Y, height, width, in that order); the size
// does not follow later frame changes.
void constrainCentered(ios::UIView& container, const std::shared_ptr<ios::UIView>& subview);
// Pins the top, bottom, leading and trailing edges of `subview` to the container's.
void constrainToEdges(ios::UIView& container, const std::shared_ptr<ios::UIView>& subview);

// Takes every arranged subview out of the stack, deactivates the constraints those views hold
// themselves and removes them from the stack view.
void removeAllArrangedSubviews(ios::UIStackView& stackView);

// True when any edge of the view's safe-area insets is not zero.
bool hasSafeAreaInsets(const ios::UIView& view);

// The application's delegate, taken once on first use and kept. Its window is the reference space of
// `distance`; a host whose delegate is of another class, or that has none, gets the top of each
// view's own tree instead.
const std::shared_ptr<ios::UIApplicationDelegate>& APPDELEGATE();

// The straight-line distance between the centres of `view` and `other` in the coordinates of the
// delegate's window; also printed with a line end. A view without a superview counts with its centre
// as it stands.
ios::CGFloat distance(const ios::UIView& view, const ios::UIView& other);

// Whether the character under the recogniser's location in `label` lies in `inRange`; false for a
// label without attributed text. The text is taken as centred in the label.
bool didTapAttributedTextInLabel(const ios::UITapGestureRecognizer& recognizer, const ios::UILabel& label,
                                 ios::NSRange inRange);

}  // namespace kerbelin
