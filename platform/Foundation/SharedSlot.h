#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace ios {

// A process-wide object that a host or a test may replace, such as the source of reachability or the
// sink of shared activities. Any thread may read or replace it. Until something is installed, and
// again after null is installed, the slot hands out a default made on first use by `makeDefault`
// (which runs under the slot's lock, so it must not read the same slot).
//
// Keep one per kind as a function-local static, so that it is made before its first use.
template <typename T>
class SharedSlot {
 public:
  explicit SharedSlot(std::function<std::shared_ptr<T>()> makeDefault) : makeDefault_(std::move(makeDefault)) {}

  // The installed object, or the default.
  std::shared_ptr<T> get() {
    std::lock_guard lock(mutex_);
    if (!value_) value_ = makeDefault_();
    return value_;
  }

  // Null brings the default back.
  void set(std::shared_ptr<T> value) {
    std::lock_guard lock(mutex_);
    value_ = std::move(value);
  }

 private:
  std::mutex mutex_;
  std::function<std::shared_ptr<T>()> makeDefault_;
  std::shared_ptr<T> value_;
};

}  // namespace ios
