#include <Foundation/DispatchQueue.h>
#include <Foundation/NotificationCenter.h>
#include <Reachability/Reachability.h>

namespace ios {

std::shared_ptr<Reachability> Reachability::create(std::string* failureReason) {
  return create(ReachabilitySource::defaultSource(), failureReason);
}

std::shared_ptr<Reachability> Reachability::create(std::shared_ptr<ReachabilitySource> source,
                                                   std::string* failureReason) {
  if (!source) {
    if (failureReason) *failureReason = "No reachability source";
    return nullptr;
  }
  if (auto error = source->creationError()) {
    if (failureReason) *failureReason = *error;
    return nullptr;
  }
  return std::make_shared<Reachability>(std::move(source));
}

Reachability::~Reachability() {
  if (running_) source_->removeListener(listener_);
}

Reachability::Connection Reachability::connection() const {
  if (running_ && lastDelivered_) return effective(*lastDelivered_);
  return effective(source_->currentConnection());
}

Reachability::Connection Reachability::effective(Connection connection) const {
  if (connection == Connection::cellular && !allowsCellularConnection) return Connection::unavailable;
  return connection;
}

bool Reachability::startNotifier(std::string* failureReason) {
  if (running_) return true;
  const std::uint64_t generation = ++generation_;
  lastDelivered_.reset();
  // The source may call from its own thread, possibly after this monitor is gone: hold it weakly
  // and let the main queue keep the order.
  std::weak_ptr<Reachability> weak = std::static_pointer_cast<Reachability>(shared_from_this());
  std::string error;
  const auto id = source_->addListener(
      [weak, generation](Connection connection) {
        DispatchQueue::main().async([weak, generation, connection] {
          if (auto self = weak.lock()) self->deliver(generation, connection);
        });
      },
      error);
  if (id == 0) {
    if (failureReason) *failureReason = error.empty() ? "Unable to start notifier" : error;
    return false;
  }
  listener_ = id;
  running_ = true;
  return true;
}

void Reachability::stopNotifier() {
  if (!running_) return;
  source_->removeListener(listener_);
  listener_ = 0;
  running_ = false;
  ++generation_;
}

void Reachability::deliver(std::uint64_t generation, Connection connection) {
  if (!running_ || generation != generation_) return;
  connection = effective(connection);
  if (lastDelivered_ == connection) return;
  lastDelivered_ = connection;
  auto self = std::static_pointer_cast<Reachability>(shared_from_this());
  if (connection != Connection::unavailable) {
    if (whenReachable) whenReachable(self);
  } else if (whenUnreachable) {
    whenUnreachable(self);
  }
  NotificationCenter::defaultCenter().post(reachabilityChangedNotification, self);
}

}  // namespace ios
