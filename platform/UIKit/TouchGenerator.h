#pragma once

#include <UIKit/UITouch.h>
#include <UIKit/UIWindow.h>

#include <memory>

namespace ios {

// Makes one finger's touches and sends them through a window, exactly as the host turns pointer
// events into touches, so tests and scripts exercise hit testing, recognizers and controls. Points
// are in window coordinates. `tap` and `drag` let time pass between events and run what falls due:
// on the virtual clock they move it at once, on the real clock (a host's pointer) they run the main
// loop through the hold and the moves. `down`, `move` and `up` send at the current time.
class TouchGenerator {
 public:
  explicit TouchGenerator(std::shared_ptr<UIWindow> window) : window_(std::move(window)) {}

  void down(CGPoint point);
  void move(CGPoint point);
  void up();
  void cancel();
  bool isDown() const { return touch_ != nullptr; }

  // Down and up at one point, held for `holdSeconds`.
  void tap(CGPoint point, double holdSeconds = 0.05);
  // Down at `from`, `steps` moves evenly to `to` over `seconds`, then up unless `lift` is false.
  void drag(CGPoint from, CGPoint to, double seconds, int steps = 10, bool lift = true);

 private:
  void send(UITouch::Phase phase, CGPoint point);

  std::shared_ptr<UIWindow> window_;
  std::shared_ptr<UITouch> touch_;
};

}  // namespace ios
