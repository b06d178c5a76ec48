#pragma once

// Small animation helpers on views: a spring with fixed tuning (0.3 s, damping 0.5, initial velocity
// 0.2), moves of the frame's origin on that spring, a fade, a scale with a slight perspective and a
// "bubble" pop. Each free function stands for the view member of the same name.

#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIView.h>

#include <functional>
#include <memory>

namespace kerbelin {

// The platform's spring animation of views with the bubble tuning, no delay and no options.
void spring(const std::function<void()>& animations, std::function<void(bool)> completion);

// Spring the frame's origin; the kept coordinate, width and height are read at the call, not at the
// end of an animation already running.
void moveX(const std::shared_ptr<ios::UIView>& view, ios::CGFloat x);
void moveY(const std::shared_ptr<ios::UIView>& view, ios::CGFloat y);
void movePoint(const std::shared_ptr<ios::UIView>& view, ios::CGFloat x, ios::CGFloat y);
void movePoint(const std::shared_ptr<ios::UIView>& view, ios::CGPoint point);

// At once (no animation of its own): the layer's transform becomes the identity with perspective
// m34 = -0.001, scaled by `x` along all three axes.
void setScale(ios::UIView& view, ios::CGFloat x);
void scaleBigger(ios::UIView& view);  // scale 1.3
void scaleNormal(ios::UIView& view);  // scale 1.0

// Animates `alpha` to `value` over 0.3 s; the view stays in the tree and keeps its `isHidden`.
void alphaTo(const std::shared_ptr<ios::UIView>& view, ios::CGFloat value);

// Jumps to scale 1.2 at once, then springs back to scale 1.0 (keeping the perspective).
void bubble(const std::shared_ptr<ios::UIView>& view);

}  // namespace kerbelin
