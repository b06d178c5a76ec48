#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace ios {

// The main thread's run loop: one serial queue of work, a clock, and the passes that end each turn.
//
// A turn runs, in this order: the blocks posted before the turn began (FIFO); then the timers and
// delayed blocks that are due, in deadline order with ties in scheduling order; then the turn
// observers by ascending order (Auto Layout's constraint, layout and display passes). Work posted or
// scheduled during a turn runs in a later turn, never inside the call that posted it.
//
// The clock is real (seconds since the loop was made) unless `useVirtualClock()` is called; then time
// stands still until `advance()` moves it. Tests use the virtual clock (tests/support/VirtualTime.h);
// a host app works with the real one without any setup. Times are kept in whole nanoseconds, so
// `advance(0.1)` three times reaches exactly the deadline of `performAfter(0.3, ...)`.
//
// `perform`, `performAfter`, `cancel`, `stop` and the external-work counter may be used from any
// thread; the turn functions run on the main thread.
class RunLoop {
 public:
  using Block = std::function<void()>;
  using TaskId = std::uint64_t;
  using TurnObserverId = std::uint64_t;

  // Suggested orders for the end-of-turn passes.
  struct TurnOrder {
    static constexpr int constraints = 100;
    static constexpr int layout = 200;
    static constexpr int display = 300;
  };

  // The most turns `runUntilIdle` runs before deciding that work keeps re-posting itself.
  static constexpr int kMaxIdleTurns = 100000;

  static RunLoop& main();
  // Whether the caller is on the main thread: the thread that first touched `main()`, unless a host
  // or test fixture declared another one.
  static bool isMainThread();
  void declareMainThread();
  // Stops the program with a message when the caller is not on the main thread, as a programmer error
  // (fatalError). `call` names what was called; the message names both threads by their system ids,
  // as NSLog's prefix does, and tells the host which thread the SDK expects.
  static void requireMainThread(std::string_view call);

  // Posts `block` to the next turn (FIFO).
  void perform(Block block);
  // Schedules `block` for now() + seconds (negative counts as 0). The id can cancel it.
  TaskId performAfter(double seconds, Block block);
  // Removes a scheduled block that has not started; false when it already ran or was cancelled.
  bool cancel(TaskId task);

  // One turn. Returns whether any block or timer ran (observers alone do not count).
  bool runOnce();
  // Turns until nothing is ready at the current time. Never advances virtual time. Throws
  // std::runtime_error when work is still ready after kMaxIdleTurns turns (something keeps
  // re-posting itself at the current time).
  void runUntilIdle();
  // Virtual clock only: moves time forward to each due item in deadline order, running the turns at
  // each step, then to now() + seconds and runs what is ready there. Throws std::logic_error on the
  // real clock.
  void advance(double seconds);
  // Virtual clock only: moves time forward without running anything, as if the main thread had been
  // busy that long; the next turn finds everything that fell due meanwhile. Throws std::logic_error on
  // the real clock.
  void stall(double seconds);

  // The real-time loop of a host app: runs turns and sleeps until the next deadline or posted block,
  // until `stop()`.
  void run();
  void stop();
  // Runs work as it arrives from other threads, waiting in real time (the virtual clock does not
  // move), until done() is true or realTimeoutSeconds have passed. Returns done().
  bool runUntil(const std::function<bool()>& done, double realTimeoutSeconds);

  double now() const;
  void useVirtualClock();
  void useSystemClock();
  bool usesVirtualClock() const;

  // Runs `observer` at the end of every turn. Observers with equal order run in registration order.
  TurnObserverId addTurnObserver(int order, Block observer);
  void removeTurnObserver(TurnObserverId id);

  // Whether the next turn has something to run: a posted block or an item due at the current time.
  bool hasPendingWork() const;
  // The earliest deadline of any scheduled item, due or not.
  std::optional<double> nextDeadline() const;
  // Posted blocks plus scheduled items, due or not.
  std::size_t pendingCount() const;

  // Operations running outside the loop (network transfers) count themselves here, so an idle check
  // can wait for them. Ending one wakes `runUntil`.
  void beginExternalWork();
  void endExternalWork();
  int externalWorkCount() const;

  // Drops every posted and scheduled item, switches to the virtual clock at time 0, zeroes the
  // external-work count and declares the calling thread the main thread. Turn observers stay: the
  // platform installs its passes once per process.
  void resetForTesting();

 private:
  friend class Timer;
  struct Observer {
    TurnObserverId id;
    int order;
    std::shared_ptr<Block> block;
  };
  using Key = std::pair<std::int64_t, std::uint64_t>;  // deadline in ns, sequence number

  RunLoop();
  std::int64_t nowNanoseconds() const;
  std::int64_t nowLocked() const;
  TaskId performAtNanoseconds(std::int64_t deadline, Block block);
  TaskId scheduleLocked(std::int64_t deadline, Block block);
  Block takeDueBlock(std::uint64_t sequenceLimit);
  bool hasReadyWorkLocked() const;
  std::chrono::steady_clock::time_point realTimeOf(std::int64_t deadline) const;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Block> posted_;
  std::map<Key, Block> scheduled_;
  std::unordered_map<TaskId, std::int64_t> deadlines_;
  std::vector<Observer> observers_;
  std::uint64_t nextSequence_ = 1;
  std::uint64_t wakeCount_ = 0;
  bool virtualClock_ = false;
  std::int64_t virtualNow_ = 0;
  std::chrono::steady_clock::time_point base_;
  bool stopRequested_ = false;
  int externalWork_ = 0;
  std::atomic<std::thread::id> mainThread_;
  std::atomic<long> mainThreadSystemId_;
  std::atomic<bool> mainThreadDeclared_ = false;
};

}  // namespace ios
