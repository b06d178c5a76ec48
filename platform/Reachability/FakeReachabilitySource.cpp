#include <Reachability/FakeReachabilitySource.h>

namespace ios {

std::shared_ptr<FakeReachabilitySource> FakeReachabilitySource::create(ReachabilityConnection connection) {
  return std::make_shared<FakeReachabilitySource>(connection);
}

void FakeReachabilitySource::setConnection(ReachabilityConnection connection) {
  std::lock_guard lock(mutex_);
  connection_ = connection;
  for (auto& [id, listener] : listeners_) listener(connection);
}

void FakeReachabilitySource::failCreation(std::optional<std::string> reason) {
  std::lock_guard lock(mutex_);
  creationFailure_ = std::move(reason);
}

void FakeReachabilitySource::failStart(std::optional<std::string> reason) {
  std::lock_guard lock(mutex_);
  startFailure_ = std::move(reason);
}

std::size_t FakeReachabilitySource::listenerCount() const {
  std::lock_guard lock(mutex_);
  return listeners_.size();
}

std::optional<std::string> FakeReachabilitySource::creationError() {
  std::lock_guard lock(mutex_);
  return creationFailure_;
}

ReachabilityConnection FakeReachabilitySource::currentConnection() {
  std::lock_guard lock(mutex_);
  return connection_;
}

ReachabilitySource::ListenerId FakeReachabilitySource::addListener(Listener listener, std::string& error) {
  std::lock_guard lock(mutex_);
  if (startFailure_) {
    error = *startFailure_;
    return 0;
  }
  listener(connection_);
  const ListenerId id = nextId_++;
  listeners_.emplace(id, std::move(listener));
  return id;
}

void FakeReachabilitySource::removeListener(ListenerId id) {
  std::lock_guard lock(mutex_);
  listeners_.erase(id);
}

}  // namespace ios
