#pragma once

#include <Toast/ToastManager.h>
#include <Toast/ToastPosition.h>
#include <Toast/ToastView.h>
#include <UIKit/UIView.h>

#include <cstddef>
#include <memory>
#include <string>

namespace ios {

// The library's view category, as free functions on the view: `window.makeToast(message,
// duration: 2.0, position: CSToastPositionCenter)` is `makeToast(*window, message, 2.0,
// CSToastPositionCenter)`.
//
// A toast is a ToastView added on top of `view`'s subviews, sized to its wrapped message (at most
// `maxWidthPercentage` of the view's width), centred horizontally at `position`. It fades in over
// the style's fade duration; `duration` seconds after it appeared (on the run loop's clock) it
// fades out, and it is removed when the fade ends. While a toast shows, a new one waits and shows
// once the current one is removed. A tap dismisses a toast early. Main thread only.
void makeToast(UIView& view, const std::string& message, double duration, ToastPosition position);
// With the ToastManager's duration and position.
void makeToast(UIView& view, const std::string& message);

// The toast showing on `view` (the oldest one when several do), or null.
std::shared_ptr<ToastView> activeToast(const UIView& view);
// Toasts made on `view` that wait for their turn.
std::size_t queuedToastCount(const UIView& view);

}  // namespace ios
