#pragma once

#include <Reachability/ReachabilityConnection.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

// Where Reachability learns the state of the network: the Linux kernel in a real run
// (NetlinkReachabilitySource), a FakeReachabilitySource in tests or in a host forced offline.
//
// A source may serve several monitors at once. Every member may be called from any thread.
class ReachabilitySource {
 public:
  using Listener = std::function<void(ReachabilityConnection)>;
  using ListenerId = std::uint64_t;

  virtual ~ReachabilitySource() = default;

  // Checked when a monitor is made: the reason monitoring cannot work here at all, or nullopt.
  virtual std::optional<std::string> creationError() { return std::nullopt; }

  // The connection now.
  virtual ReachabilityConnection currentConnection() = 0;

  // Starts telling `listener` the connection: once with the current one (possibly before this
  // returns), then each time it may have changed; the same value may repeat. Calls to one listener
  // never overlap and come in the order the values were read, from whatever thread the source uses.
  // A listener must not call back into the source. Returns 0 and sets `error` when watching cannot
  // start.
  virtual ListenerId addListener(Listener listener, std::string& error) = 0;
  // Once this returns the listener is not running and is never called again. Unknown ids are
  // ignored.
  virtual void removeListener(ListenerId id) = 0;

  // The source Reachability::create() uses: a NetlinkReachabilitySource unless one was set.
  static std::shared_ptr<ReachabilitySource> defaultSource();
  // Replaces it for monitors made afterwards (a host's "--offline" installs a fake that reports
  // `unavailable`); nullptr goes back to the kernel's.
  static void setDefaultSource(std::shared_ptr<ReachabilitySource> source);
};

}  // namespace ios
