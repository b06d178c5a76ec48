#pragma once

#include <functional>
#include <string>

namespace ios {

// Quality-of-service classes a global queue may be asked for. All of them share one pool here.
enum class DispatchQoS { background, utility, default_, userInitiated, userInteractive };

// GCD's queues, reduced to the two the system uses.
//
// `main()` is the main run loop's queue: `async` posts to RunLoop::main() (FIFO, on a later turn, even
// when called on the main thread) and `asyncAfter` schedules on the run loop's clock, so the virtual
// clock of a test drives it.
//
// `global()` is a pool of two threads for background work. For deterministic tests,
// `setGlobalInline(true)` makes global blocks run on the main run loop instead, posted in FIFO order
// exactly like `main().async` (the test fixture in tests/support/VirtualTime.h turns this on).
class DispatchQueue {
 public:
  using Block = std::function<void()>;

  static DispatchQueue& main();
  static DispatchQueue& global(DispatchQoS qos = DispatchQoS::default_);

  void async(Block block);
  // Runs `block` on this queue `seconds` after now() of the main run loop's clock.
  void asyncAfter(double seconds, Block block);

  static void setGlobalInline(bool isInline);
  static bool isGlobalInline();

  const std::string label;

 private:
  enum class Kind { main, global };
  DispatchQueue(Kind kind, std::string label);

  Kind kind_;
};

}  // namespace ios
