#pragma once

#include <UIKit/UIWindow.h>

#include <memory>
#include <string>

namespace ios {

// Brings a window to rest, for a host or a script that wants the screen settled before it looks or
// taps: runs what is ready, waits in real time while requests are out (they count themselves as the
// run loop's external work), and waits out running layer animations and views that move by
// themselves (scroll decelerations, animated scrolls, sliding sheets). On the virtual clock the wait
// for motion moves the clock; on the real one it turns the main loop. Timers not due yet (a
// countdown, a spinner) do not keep it waiting.
class IdleWaiter {
 public:
  explicit IdleWaiter(std::shared_ptr<UIWindow> window) : window_(std::move(window)) {}

  // True once nothing is left; false with the reason when `realTimeoutSeconds` of real time pass
  // first or virtual time would have to run on for more than `virtualLimitSeconds`.
  bool waitUntilIdle(double realTimeoutSeconds, std::string& reason, double virtualLimitSeconds = 120) const;

  // Whether some layer in the window animates or some view in it moves by itself.
  bool hasMotion() const;

 private:
  std::shared_ptr<UIWindow> window_;
};

}  // namespace ios
