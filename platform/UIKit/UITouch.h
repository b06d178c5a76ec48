#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <vector>

namespace ios {

class UIView;
class UIWindow;
class UIGestureRecognizer;

// One finger on the screen, from touch-down to lift-off. Locations are kept in window coordinates
// and converted on request.
class UITouch : public NSObject {
 public:
  enum class Phase { began, moved, stationary, ended, cancelled };

  Phase phase = Phase::began;
  double timestamp = 0;
  int tapCount = 1;

  std::shared_ptr<UIView> view() const { return view_.lock(); }
  std::shared_ptr<UIWindow> window() const { return window_.lock(); }
  // The location in `view`'s coordinates; null means the window's.
  CGPoint location(const UIView* view) const;
  CGPoint previousLocation(const UIView* view) const;
  // The recognizers that receive this touch, decided when it began.
  const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const { return recognizers_; }

  // Used by the window and the touch generator.
  CGPoint locationInWindow;
  CGPoint previousLocationInWindow;
  void setView(const std::shared_ptr<UIView>& view) { view_ = view; }
  void setWindow(const std::shared_ptr<UIWindow>& window) { window_ = window; }
  void setGestureRecognizers(std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers) {
    recognizers_ = std::move(recognizers);
  }
  // Whether the view has been sent `touchesBegan` for this touch (and so is owed an end or cancel).
  bool deliveredToView = false;

 private:
  std::weak_ptr<UIView> view_;
  std::weak_ptr<UIWindow> window_;
  std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers_;
};

// The touches of one moment: the ones that changed and every touch on the screen.
class UIEvent {
 public:
  double timestamp = 0;
  std::vector<std::shared_ptr<UITouch>> allTouches;
};

}  // namespace ios
