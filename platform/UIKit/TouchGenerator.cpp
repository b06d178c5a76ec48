#include <UIKit/TouchGenerator.h>

#include <Foundation/RunLoop.h>

namespace ios {
namespace {

// Lets `seconds` pass on the main loop's clock, running what falls due meanwhile: the virtual clock
// moves at once, the real one is waited out with the loop turning (a host's pointer).
void pass(double seconds) {
  auto& loop = RunLoop::main();
  if (loop.usesVirtualClock())
    loop.advance(seconds);
  else
    loop.runUntil([] { return false; }, seconds);
}

}  // namespace

void TouchGenerator::send(UITouch::Phase phase, CGPoint point) {
  if (!touch_) return;
  touch_->previousLocationInWindow = phase == UITouch::Phase::began ? point : touch_->locationInWindow;
  touch_->locationInWindow = point;
  touch_->phase = phase;
  window_->sendEvent({touch_});
}

void TouchGenerator::down(CGPoint point) {
  if (touch_) up();
  touch_ = std::make_shared<UITouch>();
  send(UITouch::Phase::began, point);
}

void TouchGenerator::move(CGPoint point) { send(UITouch::Phase::moved, point); }

void TouchGenerator::up() {
  if (!touch_) return;
  send(UITouch::Phase::ended, touch_->locationInWindow);
  touch_.reset();
}

void TouchGenerator::cancel() {
  if (!touch_) return;
  send(UITouch::Phase::cancelled, touch_->locationInWindow);
  touch_.reset();
}

void TouchGenerator::tap(CGPoint point, double holdSeconds) {
  down(point);
  pass(holdSeconds);
  up();
}

void TouchGenerator::drag(CGPoint from, CGPoint to, double seconds, int steps, bool lift) {
  if (steps < 1) steps = 1;
  down(from);
  const double dt = seconds / steps;
  for (int i = 1; i <= steps; ++i) {
    pass(dt);
    const double f = static_cast<double>(i) / steps;
    move({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
  }
  if (lift) up();
}

}  // namespace ios
