#pragma once

#include <Foundation/NSObject.h>
#include <Reachability/ReachabilityConnection.h>
#include <Reachability/ReachabilitySource.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

// Watches whether the internet can be reached, as the Swift Reachability library does for the
// whole internet (`Reachability()`).
//
// The source (a thread of its own for the kernel's) tells the monitor about changes; the monitor
// hops to the main queue, so `whenReachable`, `whenUnreachable` and the "reachabilityChanged"
// notification (object: the monitor) always run on the main thread, in the order the source saw
// the changes. After `startNotifier()` the current state is delivered once, on a later main-queue
// turn; afterwards only changes of `connection` are. Nothing is delivered after `stopNotifier()`,
// not even what was already on its way.
//
// Use it from the main thread.
class Reachability : public NSObject {
 public:
  using Connection = ReachabilityConnection;
  using NetworkReachable = std::function<void(const std::shared_ptr<Reachability>&)>;
  using NetworkUnreachable = std::function<void(const std::shared_ptr<Reachability>&)>;

  static constexpr char reachabilityChangedNotification[] = "reachabilityChanged";

  // A monitor on the process-wide default source (ReachabilitySource::defaultSource()), or on
  // `source`. Null when the source cannot monitor here, with the reason in `failureReason` (the
  // library's throwing initialiser).
  static std::shared_ptr<Reachability> create(std::string* failureReason = nullptr);
  static std::shared_ptr<Reachability> create(std::shared_ptr<ReachabilitySource> source,
                                              std::string* failureReason = nullptr);
  explicit Reachability(std::shared_ptr<ReachabilitySource> source) : source_(std::move(source)) {}
  ~Reachability() override;

  // While the notifier runs and has delivered, the state last delivered, so that a callback reads
  // the state it was called for; otherwise the source's state now. With `allowsCellularConnection`
  // off, cellular reads as unavailable.
  Connection connection() const;
  bool allowsCellularConnection = true;

  // Called on the main thread with the monitor: `whenReachable` for a connection other than
  // `unavailable`, `whenUnreachable` for `unavailable`; then the notification is posted.
  NetworkReachable whenReachable;
  NetworkUnreachable whenUnreachable;

  // Starts watching; true when already watching. False, with the source's reason in
  // `failureReason`, when the source cannot watch.
  bool startNotifier(std::string* failureReason = nullptr);
  void stopNotifier();
  bool isNotifierRunning() const { return running_; }

  const std::shared_ptr<ReachabilitySource>& source() const { return source_; }

 private:
  Connection effective(Connection connection) const;
  void deliver(std::uint64_t generation, Connection connection);

  std::shared_ptr<ReachabilitySource> source_;
  ReachabilitySource::ListenerId listener_ = 0;
  bool running_ = false;
  std::uint64_t generation_ = 0;  // bumped by each start and stop; stale deliveries are dropped
  std::optional<Connection> lastDelivered_;
};

}  // namespace ios
