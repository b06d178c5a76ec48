#include <Foundation/NotificationCenter.h>

#include <Foundation/Console.h>

namespace ios {

namespace {

const auto registration = ClassRegistration<Notification>("Notification").factory([] {
  return std::make_shared<Notification>("");
});

}  // namespace

Notification::Notification(std::string name, std::shared_ptr<NSObject> object, Dictionary userInfo)
    : name(std::move(name)), object(std::move(object)), userInfo(std::move(userInfo)) {}

NotificationCenter& NotificationCenter::defaultCenter() {
  static NotificationCenter* center =
      new NotificationCenter;  // never destroyed: observers may outlive statics
  return *center;
}

std::uint64_t NotificationCenter::add(std::shared_ptr<Registration> registration) {
  std::lock_guard lock(mutex_);
  registration->id = nextId_++;
  registrations_.push_back(std::move(registration));
  return registrations_.back()->id;
}

NotificationToken NotificationCenter::addObserver(std::string name, std::shared_ptr<NSObject> object,
                                                  Block block) {
  auto registration = std::make_shared<Registration>();
  registration->name = std::move(name);
  registration->filtersObject = object != nullptr;
  registration->objectKey = object.get();
  registration->object = object;
  registration->block = std::move(block);
  registration->observerKey = nullptr;
  return NotificationToken{add(std::move(registration))};
}

void NotificationCenter::addObserver(std::weak_ptr<NSObject> observer, Selector selector, std::string name,
                                     std::shared_ptr<NSObject> object) {
  auto strong = observer.lock();
  if (!strong) return;
  if (!strong->respondsTo(selector)) {
    fatalError("notification observer " + strong->className() + " does not respond to selector \"" +
               selector + "\"");
  }
  auto registration = std::make_shared<Registration>();
  registration->name = std::move(name);
  registration->filtersObject = object != nullptr;
  registration->objectKey = object.get();
  registration->object = object;
  registration->observerKey = strong.get();
  registration->observer = std::move(observer);
  registration->selector = std::move(selector);
  add(std::move(registration));
}

void NotificationCenter::removeIf(const std::function<bool(const Registration&)>& matches) {
  std::vector<std::shared_ptr<Registration>> removed;  // released after the lock: blocks own captures
  std::lock_guard lock(mutex_);
  std::erase_if(registrations_, [&](const std::shared_ptr<Registration>& registration) {
    if (!matches(*registration)) return false;
    registration->active = false;
    removed.push_back(registration);
    return true;
  });
}

void NotificationCenter::removeObserver(NotificationToken token) {
  removeIf([&](const Registration& r) { return r.id == token.id; });
}

void NotificationCenter::removeObserver(const NSObject* observer) {
  if (!observer) return;
  removeIf([&](const Registration& r) { return r.observerKey == observer; });
}

void NotificationCenter::removeObserver(const NSObject* observer, std::string_view name) {
  if (!observer) return;
  removeIf([&](const Registration& r) { return r.observerKey == observer && r.name == name; });
}

void NotificationCenter::post(std::string name, std::shared_ptr<NSObject> object, Dictionary userInfo) {
  post(std::make_shared<Notification>(std::move(name), std::move(object), std::move(userInfo)));
}

void NotificationCenter::post(const std::shared_ptr<Notification>& notification) {
  std::vector<std::shared_ptr<Registration>> snapshot;
  {
    std::lock_guard lock(mutex_);
    snapshot = registrations_;
  }
  for (const auto& registration : snapshot) {
    if (!registration->name.empty() && registration->name != notification->name) continue;
    if (registration->filtersObject) {
      if (registration->objectKey != notification->object.get() || registration->object.expired()) continue;
    }
    deliver(*registration, notification);
  }
}

void NotificationCenter::deliver(Registration& registration,
                                 const std::shared_ptr<Notification>& notification) {
  if (!registration.active) return;
  if (registration.block) {
    registration.block(*notification);
    return;
  }
  auto observer = registration.observer.lock();
  if (!observer) {
    std::uint64_t id = registration.id;
    removeIf([id](const Registration& r) { return r.id == id; });
    return;
  }
  observer->perform(registration.selector, notification);
}

std::size_t NotificationCenter::observerCount() const {
  std::lock_guard lock(mutex_);
  return registrations_.size();
}

}  // namespace ios
