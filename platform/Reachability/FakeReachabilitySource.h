#pragma once

#include <Reachability/ReachabilitySource.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace ios {

// A source whose state is set by hand: for tests (connection changes, creation and start failures)
// and for a host that simulates being offline. Listeners are told on the thread that calls
// `setConnection`, before it returns.
class FakeReachabilitySource : public ReachabilitySource {
 public:
  static std::shared_ptr<FakeReachabilitySource> create(
      ReachabilityConnection connection = ReachabilityConnection::wifi);
  explicit FakeReachabilitySource(ReachabilityConnection connection) : connection_(connection) {}

  // Stores the new state and tells every listener, even when the state did not change (the kernel
  // source repeats itself too).
  void setConnection(ReachabilityConnection connection);

  // With a reason, making a monitor (creationError) or starting one (addListener) fails with it;
  // nullopt makes them succeed again.
  void failCreation(std::optional<std::string> reason);
  void failStart(std::optional<std::string> reason);

  std::size_t listenerCount() const;

  std::optional<std::string> creationError() override;
  ReachabilityConnection currentConnection() override;
  ListenerId addListener(Listener listener, std::string& error) override;
  void removeListener(ListenerId id) override;

 private:
  mutable std::mutex mutex_;
  ReachabilityConnection connection_;
  std::optional<std::string> creationFailure_;
  std::optional<std::string> startFailure_;
  std::map<ListenerId, Listener> listeners_;
  ListenerId nextId_ = 1;
};

}  // namespace ios
