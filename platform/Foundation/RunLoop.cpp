#include <Foundation/RunLoop.h>

#include <Foundation/Console.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace ios {

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t toNanoseconds(double seconds) {
  if (!(seconds > 0)) return 0;                             // negative and NaN delays mean "now"
  constexpr double limit = 1e9 * 60 * 60 * 24 * 365 * 100;  // a century: far enough to mean "never"
  return static_cast<std::int64_t>(std::llround(std::min(seconds * 1e9, limit)));
}

double toSeconds(std::int64_t nanoseconds) {
  return static_cast<double>(nanoseconds) / 1e9;
}

// Threads are named by their system ids, as in NSLog's prefix. A host that never declared a main
// thread still has one, the first to use the run loop; the message then points at the missing
// declaration rather than at the call.
std::string offMainThreadMessage(std::string_view call, long mainThread, bool declared) {
  return std::string(call) + " called on thread " + std::to_string(gettid()) + ", off the main thread " +
         std::to_string(mainThread) +
         (declared ? " (the one that called ios::RunLoop::main().declareMainThread())"
                   : " (the first thread that used the run loop, as no thread called "
                     "ios::RunLoop::main().declareMainThread())") +
         ". The SDK runs only on the main thread: call it there, or post the call to it with "
         "ios::DispatchQueue::main().async.";
}

}  // namespace

RunLoop::RunLoop()
    : base_(Clock::now()), mainThread_(std::this_thread::get_id()), mainThreadSystemId_(gettid()) {}

RunLoop& RunLoop::main() {
  // Never destroyed: worker threads and late destructors may still post while the process exits.
  static RunLoop* loop = new RunLoop;
  return *loop;
}

bool RunLoop::isMainThread() {
  return main().mainThread_.load() == std::this_thread::get_id();
}

void RunLoop::declareMainThread() {
  mainThreadSystemId_ = gettid();
  mainThread_ = std::this_thread::get_id();
  mainThreadDeclared_ = true;
}

void RunLoop::requireMainThread(std::string_view call) {
  if (isMainThread()) return;
  const RunLoop& loop = main();
  fatalError(offMainThreadMessage(call, loop.mainThreadSystemId_, loop.mainThreadDeclared_));
}

// Clock ------------------------------------------------------------------------------------------------

std::int64_t RunLoop::nowLocked() const {
  if (virtualClock_) return virtualNow_;
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - base_).count();
}

std::int64_t RunLoop::nowNanoseconds() const {
  std::lock_guard lock(mutex_);
  return nowLocked();
}

double RunLoop::now() const {
  return toSeconds(nowNanoseconds());
}

void RunLoop::useVirtualClock() {
  std::lock_guard lock(mutex_);
  if (virtualClock_) return;
  virtualNow_ = nowLocked();  // time continues from where the real clock was
  virtualClock_ = true;
}

void RunLoop::useSystemClock() {
  std::lock_guard lock(mutex_);
  if (!virtualClock_) return;
  base_ = Clock::now() - std::chrono::nanoseconds(virtualNow_);
  virtualClock_ = false;
  wake_.notify_all();
}

bool RunLoop::usesVirtualClock() const {
  std::lock_guard lock(mutex_);
  return virtualClock_;
}

Clock::time_point RunLoop::realTimeOf(std::int64_t deadline) const {
  return base_ + std::chrono::nanoseconds(deadline);
}

// Posting ----------------------------------------------------------------------------------------------

void RunLoop::perform(Block block) {
  std::lock_guard lock(mutex_);
  posted_.push_back(std::move(block));
  ++nextSequence_;
  ++wakeCount_;
  wake_.notify_all();
}

RunLoop::TaskId RunLoop::performAfter(double seconds, Block block) {
  std::int64_t delay = toNanoseconds(seconds);
  std::lock_guard lock(mutex_);
  std::int64_t now = nowLocked();
  return scheduleLocked(now > std::numeric_limits<std::int64_t>::max() - delay ? now : now + delay,
                        std::move(block));
}

RunLoop::TaskId RunLoop::performAtNanoseconds(std::int64_t deadline, Block block) {
  std::lock_guard lock(mutex_);
  return scheduleLocked(deadline, std::move(block));
}

RunLoop::TaskId RunLoop::scheduleLocked(std::int64_t deadline, Block block) {
  TaskId id = nextSequence_++;
  scheduled_.emplace(Key{deadline, id}, std::move(block));
  deadlines_.emplace(id, deadline);
  ++wakeCount_;
  wake_.notify_all();
  return id;
}

bool RunLoop::cancel(TaskId task) {
  Block dropped;  // destroyed after the lock is released: it may own objects whose destructors post
  std::lock_guard lock(mutex_);
  auto found = deadlines_.find(task);
  if (found == deadlines_.end()) return false;
  auto item = scheduled_.find(Key{found->second, task});
  if (item != scheduled_.end()) {
    dropped = std::move(item->second);
    scheduled_.erase(item);
  }
  deadlines_.erase(found);
  return true;
}

// Turns ------------------------------------------------------------------------------------------------

RunLoop::Block RunLoop::takeDueBlock(std::uint64_t sequenceLimit) {
  std::lock_guard lock(mutex_);
  std::int64_t now = nowLocked();
  for (auto it = scheduled_.begin(); it != scheduled_.end() && it->first.first <= now; ++it) {
    if (it->first.second >= sequenceLimit) continue;  // scheduled during this turn: next turn
    Block block = std::move(it->second);
    deadlines_.erase(it->first.second);
    scheduled_.erase(it);
    return block;
  }
  return nullptr;
}

bool RunLoop::runOnce() {
  std::deque<Block> blocks;
  std::uint64_t sequenceLimit;
  std::vector<Observer> observers;
  {
    std::lock_guard lock(mutex_);
    blocks.swap(posted_);
    sequenceLimit = nextSequence_;
  }
  bool ran = !blocks.empty();
  while (!blocks.empty()) {
    Block block = std::move(blocks.front());
    blocks.pop_front();
    block();
  }
  while (Block block = takeDueBlock(sequenceLimit)) {
    ran = true;
    block();
  }
  {
    std::lock_guard lock(mutex_);
    observers = observers_;
  }
  for (const Observer& observer : observers) {
    bool registered;
    {
      std::lock_guard lock(mutex_);
      registered = std::any_of(observers_.begin(), observers_.end(),
                               [&](const Observer& o) { return o.id == observer.id; });
    }
    if (registered) (*observer.block)();
  }
  return ran;
}

bool RunLoop::hasReadyWorkLocked() const {
  return !posted_.empty() || (!scheduled_.empty() && scheduled_.begin()->first.first <= nowLocked());
}

void RunLoop::runUntilIdle() {
  for (int turn = 0; turn < kMaxIdleTurns; ++turn) {
    runOnce();
    if (!hasPendingWork()) return;
  }
  throw std::runtime_error("RunLoop::runUntilIdle: work is still ready after " +
                           std::to_string(kMaxIdleTurns) +
                           " turns; a block or timer keeps re-posting itself at the current time");
}

void RunLoop::advance(double seconds) {
  std::int64_t target;
  {
    std::lock_guard lock(mutex_);
    if (!virtualClock_) throw std::logic_error("RunLoop::advance needs the virtual clock (useVirtualClock)");
    target = virtualNow_ + toNanoseconds(seconds);
  }
  runUntilIdle();
  while (true) {
    {
      std::lock_guard lock(mutex_);
      if (scheduled_.empty() || scheduled_.begin()->first.first > target) break;
      virtualNow_ = std::max(virtualNow_, scheduled_.begin()->first.first);
    }
    runUntilIdle();
  }
  {
    std::lock_guard lock(mutex_);
    virtualNow_ = std::max(virtualNow_, target);
  }
  runUntilIdle();
}

void RunLoop::stall(double seconds) {
  std::lock_guard lock(mutex_);
  if (!virtualClock_) throw std::logic_error("RunLoop::stall needs the virtual clock (useVirtualClock)");
  virtualNow_ += toNanoseconds(seconds);
}

void RunLoop::run() {
  while (true) {
    runOnce();
    std::unique_lock lock(mutex_);
    if (stopRequested_) {
      stopRequested_ = false;
      return;
    }
    if (hasReadyWorkLocked()) continue;
    std::uint64_t seen = wakeCount_;
    auto woken = [&] { return stopRequested_ || wakeCount_ != seen || hasReadyWorkLocked(); };
    if (!virtualClock_ && !scheduled_.empty()) {
      wake_.wait_until(lock, realTimeOf(scheduled_.begin()->first.first), woken);
    } else {
      wake_.wait(lock, woken);
    }
  }
}

void RunLoop::stop() {
  std::lock_guard lock(mutex_);
  stopRequested_ = true;
  wake_.notify_all();
}

bool RunLoop::runUntil(const std::function<bool()>& done, double realTimeoutSeconds) {
  auto giveUp = Clock::now() + std::chrono::nanoseconds(toNanoseconds(realTimeoutSeconds));
  while (true) {
    runUntilIdle();
    if (done()) return true;
    std::unique_lock lock(mutex_);
    if (Clock::now() >= giveUp) return false;
    std::uint64_t seen = wakeCount_;
    auto wakeAt = giveUp;
    if (!virtualClock_ && !scheduled_.empty())
      wakeAt = std::min(wakeAt, realTimeOf(scheduled_.begin()->first.first));
    wake_.wait_until(lock, wakeAt, [&] { return wakeCount_ != seen || hasReadyWorkLocked(); });
  }
}

// Observers --------------------------------------------------------------------------------------------

RunLoop::TurnObserverId RunLoop::addTurnObserver(int order, Block observer) {
  std::lock_guard lock(mutex_);
  TurnObserverId id = nextSequence_++;
  auto position = std::upper_bound(observers_.begin(), observers_.end(), order,
                                   [](int value, const Observer& o) { return value < o.order; });
  observers_.insert(position, Observer{id, order, std::make_shared<Block>(std::move(observer))});
  return id;
}

void RunLoop::removeTurnObserver(TurnObserverId id) {
  std::vector<Observer> removed;
  std::lock_guard lock(mutex_);
  for (auto it = observers_.begin(); it != observers_.end();) {
    if (it->id == id) {
      removed.push_back(std::move(*it));
      it = observers_.erase(it);
    } else {
      ++it;
    }
  }
}

// Queries ----------------------------------------------------------------------------------------------

bool RunLoop::hasPendingWork() const {
  std::lock_guard lock(mutex_);
  return hasReadyWorkLocked();
}

std::optional<double> RunLoop::nextDeadline() const {
  std::lock_guard lock(mutex_);
  if (scheduled_.empty()) return std::nullopt;
  return toSeconds(scheduled_.begin()->first.first);
}

std::size_t RunLoop::pendingCount() const {
  std::lock_guard lock(mutex_);
  return posted_.size() + scheduled_.size();
}

void RunLoop::beginExternalWork() {
  std::lock_guard lock(mutex_);
  ++externalWork_;
}

void RunLoop::endExternalWork() {
  std::lock_guard lock(mutex_);
  if (externalWork_ > 0) --externalWork_;
  ++wakeCount_;
  wake_.notify_all();
}

int RunLoop::externalWorkCount() const {
  std::lock_guard lock(mutex_);
  return externalWork_;
}

void RunLoop::resetForTesting() {
  // Destroying dropped blocks may post new work (a destructor that dispatches), so drain until empty.
  for (int round = 0; round < 100; ++round) {
    std::deque<Block> posted;
    std::map<Key, Block> scheduled;
    {
      std::lock_guard lock(mutex_);
      if (posted_.empty() && scheduled_.empty()) break;
      posted.swap(posted_);
      scheduled.swap(scheduled_);
      deadlines_.clear();
    }
  }
  std::lock_guard lock(mutex_);
  virtualClock_ = true;
  virtualNow_ = 0;
  externalWork_ = 0;
  stopRequested_ = false;
  declareMainThread();
}

}  // namespace ios
