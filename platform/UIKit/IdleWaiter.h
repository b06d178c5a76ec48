#pragma once

#include <UIKit/UIWindow.h>

#include <memory>
#include <string>

namespace kerbelin::sim {

// Brings a window on the virtual clock to rest: runs what is ready, waits in real time while requests
// are out (they count themselves as the run loop's external work), and moves the virtual clock
// through running layer animations, scroll decelerations and animated scrolls. Timers not due yet (a
// countdown, a spinner) do not keep it waiting.
class IdleWaiter {
 public:
  explicit IdleWaiter(std::shared_ptr<ios::UIWindow> window) : window_(std::move(window)) {}

  // True once nothing is left; false with the reason when `realTimeoutSeconds` of real time pass
  // first or virtual time would have to run on for more than `virtualLimitSeconds`.
  bool waitUntilIdle(double realTimeoutSeconds, std::string& reason, double virtualLimitSeconds = 120) const;

  // Whether some layer in the window animates or some scroll view is moving by itself.
  bool hasMotion() const;

 private:
  std::shared_ptr<ios::UIWindow> window_;
};

}  // namespace kerbelin::sim
