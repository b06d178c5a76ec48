#pragma once

#include <Foundation/NSObject.h>
#include <Foundation/RunLoop.h>

#include <any>
#include <cstdint>
#include <functional>
#include <memory>

namespace ios {

// Foundation's timer, always on the main run loop (its clock, real or virtual).
//
// A scheduled timer is kept alive by the run loop until it is invalidated, so dropping every other
// reference does not stop it. Repeating timers keep the grid of their first fire date (start +
// k * interval, no drift); a fire that comes late runs once and the missed grid points are skipped, as
// Foundation does. A one-shot timer invalidates itself after its fire.
//
// The target/selector form holds its target weakly (unlike iOS, which would keep a screen alive
// through its countdown): when the target is gone at a fire date the timer invalidates itself and
// calls nothing. The method is called with the timer as sender.
//
// Timers are main-thread objects: schedule, fire and invalidate them on the main thread.
class Timer : public NSObject {
  struct Passkey {};

 public:
  using Block = std::function<void(Timer&)>;

  static std::shared_ptr<Timer> scheduledTimer(double interval, bool repeats, Block block);
  static std::shared_ptr<Timer> scheduledTimer(double interval, std::weak_ptr<NSObject> target,
                                               Selector selector, std::any userInfo, bool repeats);

  // Stops the timer for good and releases its block and target. Safe inside the timer's own action.
  void invalidate();
  bool isValid() const { return valid_; }
  // Runs the action now without moving the schedule; a one-shot timer is then invalidated.
  // Does nothing on an invalid timer.
  void fire();
  // The next scheduled fire date on the run loop's clock.
  double fireDate() const;

  const double timeInterval;
  const bool repeats;
  const std::any userInfo;

  Timer(Passkey, double interval, bool repeats, std::any userInfo);

 private:
  void schedule(std::int64_t fireDate);
  void due();
  void act();

  bool valid_ = true;
  std::int64_t interval_;  // nanoseconds, at least 0.1 ms for repeating timers
  std::int64_t fireDate_ = 0;
  RunLoop::TaskId task_ = 0;
  Block block_;
  std::weak_ptr<NSObject> target_;
  Selector selector_;
  bool hasTarget_ = false;
};

}  // namespace ios
