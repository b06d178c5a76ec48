#pragma once

#include <Foundation/Dictionary.h>
#include <Foundation/NSObject.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace ios {

// One posted notification. An object, so that a selector observer receives it as the sender:
// `void reachabilityChanged(std::shared_ptr<Notification> note)`.
class Notification : public NSObject {
 public:
  explicit Notification(std::string name, std::shared_ptr<NSObject> object = nullptr,
                        Dictionary userInfo = {});

  std::string name;
  std::shared_ptr<NSObject> object;  // the poster's object, held for the delivery
  Dictionary userInfo;
};

// Identifies an observer added with a block.
struct NotificationToken {
  std::uint64_t id = 0;
  friend bool operator==(const NotificationToken&, const NotificationToken&) = default;
};

// Foundation's notification centre.
//
// `post` delivers synchronously on the posting thread, in registration order, to the observers
// registered when the post started, minus any removed meanwhile (also by an earlier observer of the
// same post). An empty name in a registration matches every name; an object filter matches only
// posts of that very object and is held weakly.
//
// Selector observers are held weakly: one that is gone is skipped and forgotten, never called. So an
// observer need not unregister itself, but may (`removeObserver(this)` works in a destructor).
// Registration and removal are thread-safe.
class NotificationCenter {
 public:
  using Block = std::function<void(const Notification&)>;

  static NotificationCenter& defaultCenter();
  static NotificationCenter& default_() { return defaultCenter(); }
  NotificationCenter() = default;
  NotificationCenter(const NotificationCenter&) = delete;
  NotificationCenter& operator=(const NotificationCenter&) = delete;

  // `addObserver(forName:object:queue:using:)`; the block runs on the posting thread.
  NotificationToken addObserver(std::string name, std::shared_ptr<NSObject> object, Block block);
  // `addObserver(_:selector:name:object:)`. The observer must respond to `selector` (a programmer
  // error otherwise); the method receives the Notification as its sender.
  void addObserver(std::weak_ptr<NSObject> observer, Selector selector, std::string name,
                   std::shared_ptr<NSObject> object = nullptr);

  void removeObserver(NotificationToken token);
  // Every registration of `observer`, or only those for `name`.
  void removeObserver(const NSObject* observer);
  void removeObserver(const NSObject* observer, std::string_view name);
  void removeObserver(const std::shared_ptr<NSObject>& observer) { removeObserver(observer.get()); }

  void post(std::string name, std::shared_ptr<NSObject> object = nullptr, Dictionary userInfo = {});
  void post(const std::shared_ptr<Notification>& notification);

  // Registrations currently held, gone observers included until a post prunes them.
  std::size_t observerCount() const;

 private:
  struct Registration {
    std::uint64_t id;
    std::string name;
    bool filtersObject;
    const NSObject* objectKey;
    std::weak_ptr<NSObject> object;
    Block block;                  // block observers
    const NSObject* observerKey;  // selector observers
    std::weak_ptr<NSObject> observer;
    Selector selector;
    std::atomic<bool> active{true};
  };

  std::uint64_t add(std::shared_ptr<Registration> registration);
  void removeIf(const std::function<bool(const Registration&)>& matches);
  void deliver(Registration& registration, const std::shared_ptr<Notification>& notification);

  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<Registration>> registrations_;
  std::uint64_t nextId_ = 1;
};

}  // namespace ios
