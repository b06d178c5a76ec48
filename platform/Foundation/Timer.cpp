#include <Foundation/Timer.h>

#include <Foundation/Console.h>

#include <algorithm>
#include <cmath>

namespace ios {

namespace {

// Foundation raises a non-positive repeating interval to a tenth of a millisecond; so do we, which
// also keeps `advance` from spinning on a timer that is always due.
constexpr std::int64_t kMinimumRepeatInterval = 100'000;

const auto registration = ClassRegistration<Timer>("Timer");

}  // namespace

Timer::Timer(Passkey, double interval, bool repeats, std::any userInfo)
    : timeInterval(interval), repeats(repeats), userInfo(std::move(userInfo)) {
  double nanoseconds = interval > 0 ? std::min(interval * 1e9, 1e9 * 60 * 60 * 24 * 365 * 100) : 0;
  interval_ = static_cast<std::int64_t>(std::llround(nanoseconds));
  if (repeats) interval_ = std::max(interval_, kMinimumRepeatInterval);
}

std::shared_ptr<Timer> Timer::scheduledTimer(double interval, bool repeats, Block block) {
  auto timer = std::make_shared<Timer>(Passkey{}, interval, repeats, std::any());
  timer->block_ = std::move(block);
  timer->schedule(RunLoop::main().nowNanoseconds() + timer->interval_);
  return timer;
}

std::shared_ptr<Timer> Timer::scheduledTimer(double interval, std::weak_ptr<NSObject> target,
                                             Selector selector, std::any userInfo, bool repeats) {
  auto object = target.lock();
  if (object && !object->respondsTo(selector)) {
    fatalError("Timer target " + object->className() + " does not respond to selector \"" + selector + "\"");
  }
  auto timer = std::make_shared<Timer>(Passkey{}, interval, repeats, std::move(userInfo));
  timer->target_ = std::move(target);
  timer->selector_ = std::move(selector);
  timer->hasTarget_ = true;
  timer->schedule(RunLoop::main().nowNanoseconds() + timer->interval_);
  return timer;
}

void Timer::schedule(std::int64_t fireDate) {
  fireDate_ = fireDate;
  auto self = std::static_pointer_cast<Timer>(shared_from_this());
  task_ = RunLoop::main().performAtNanoseconds(fireDate, [self] { self->due(); });
}

void Timer::due() {
  if (!valid_) return;
  task_ = 0;
  if (repeats) {
    // Next grid point after now: late fires are not queued up.
    std::int64_t now = RunLoop::main().nowNanoseconds();
    std::int64_t next = fireDate_ + interval_;
    if (next <= now) next += ((now - next) / interval_ + 1) * interval_;
    schedule(next);
  }
  act();
  if (!repeats) invalidate();
}

void Timer::fire() {
  if (!valid_) return;
  act();
  if (!repeats) invalidate();
}

void Timer::act() {
  auto keepAlive = shared_from_this();
  if (hasTarget_) {
    auto target = target_.lock();
    if (!target) {
      invalidate();
      return;
    }
    target->perform(selector_, keepAlive);
  } else if (block_) {
    Block block = block_;  // the block may invalidate the timer, which releases block_
    block(*this);
  }
}

void Timer::invalidate() {
  if (!valid_) return;
  valid_ = false;
  auto keepAlive = weak_from_this().lock();
  if (task_) RunLoop::main().cancel(task_);
  task_ = 0;
  Block released = std::move(block_);
  block_ = nullptr;
  target_.reset();
}

double Timer::fireDate() const {
  return static_cast<double>(fireDate_) / 1e9;
}

}  // namespace ios
