#include <Foundation/NSObject.h>

#include <Foundation/Console.h>

#include <cxxabi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace ios {

// Per-object runtime state, allocated on first use so that plain objects stay small.
struct NSObject::Extras {
  struct Association {
    std::any value;
    std::function<std::any()> lockWeak;  // set for an object reference held with `assign`
  };
  struct Observer {
    KeyValueObserverId id;
    std::string key;
    std::shared_ptr<std::function<void(const KeyValueChange&)>> callback;
  };

  std::map<const void*, Association> associations;
  std::vector<Observer> observers;
  // Changes under way. Nested will/did pairs for one key (a key-value set through a setter that
  // brackets its own change) make one change: the outermost pair reports it.
  struct PendingChange {
    int depth = 0;
    std::any oldValue;
  };
  std::map<std::string, PendingChange, std::less<>> pending;

  bool isObserved(std::string_view key) const {
    return std::any_of(observers.begin(), observers.end(), [&](const Observer& o) { return o.key == key; });
  }
};

namespace {

const auto registration = ClassRegistration<NSObject, NSObject>("NSObject");

std::atomic<KeyValueObserverId> nextObserverId{1};

std::string demangle(const std::type_info& type) {
  int status = 0;
  char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string result = status == 0 && name ? name : type.name();
  std::free(name);
  return result;
}

}  // namespace

NSObject::NSObject() = default;
NSObject::~NSObject() = default;

std::string NSObject::unqualifiedTypeName(const std::type_info& type) {
  static std::mutex mutex;
  static auto* names = new std::map<std::type_index, std::string>;
  std::lock_guard lock(mutex);
  if (auto found = names->find(type); found != names->end()) return found->second;
  std::string name = demangle(type);
  // Drop the namespaces of the class itself, never those inside template arguments.
  size_t end = std::min(name.find('<'), name.size());
  size_t colon = name.rfind("::", end);
  if (colon != std::string::npos) name.erase(0, colon + 2);
  return names->emplace(type, name).first->second;
}

std::string NSObject::className() const {
  return unqualifiedTypeName(typeid(*this));
}

void NSObject::notA(const std::type_info& wanted) const {
  fatalError("a " + className() + " is not a " + unqualifiedTypeName(wanted));
}

std::string NSObject::description() const {
  char address[32];
  std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
  return "<" + className() + ": " + address + ">";
}

bool NSObject::isKindOf(std::string_view className) const {
  const ClassInfo* info = ClassRegistry::shared().find(className);
  return info && info->isInstance(*this);
}

bool NSObject::isMemberOf(std::string_view className) const {
  const ClassInfo* info = ClassRegistry::shared().find(className);
  return info && info->type == std::type_index(typeid(*this));
}

NSObject::Extras& NSObject::extras() const {
  if (!extras_) extras_ = std::make_unique<Extras>();
  return *extras_;
}

// Key-value coding -----------------------------------------------------------------------------------

bool NSObject::setValue(const std::any& value, std::string_view key) {
  auto& registry = ClassRegistry::shared();
  const PropertyAccessor* accessor = registry.findProperty(registry.infoFor(*this), key);
  if (!accessor || !accessor->set) return false;
  auto keepAlive = weak_from_this().lock();
  bool stored = accessor->set(*this, value, [&] { willChangeValue(key); });
  if (stored) didChangeValue(key);
  return stored;
}

std::any NSObject::value(std::string_view key) const {
  auto& registry = ClassRegistry::shared();
  const PropertyAccessor* accessor = registry.findProperty(registry.infoFor(*this), key);
  if (!accessor) return {};
  return accessor->get(*this);
}

std::optional<std::type_index> NSObject::typeOfKey(std::string_view key) const {
  auto& registry = ClassRegistry::shared();
  const PropertyAccessor* accessor = registry.findProperty(registry.infoFor(*this), key);
  if (!accessor) return std::nullopt;
  return accessor->type;
}

// Key-value observing --------------------------------------------------------------------------------

KeyValueObserverId NSObject::addObserver(std::string keyPath,
                                         std::function<void(const KeyValueChange&)> callback) {
  KeyValueObserverId id = nextObserverId++;
  extras().observers.push_back(
      {id, std::move(keyPath),
       std::make_shared<std::function<void(const KeyValueChange&)>>(std::move(callback))});
  return id;
}

void NSObject::removeObserver(KeyValueObserverId id) {
  if (!extras_) return;
  std::erase_if(extras_->observers, [id](const Extras::Observer& o) { return o.id == id; });
}

void NSObject::willChangeValue(std::string_view key) {
  if (!extras_) return;  // nobody has ever observed this object
  auto& pending = extras_->pending;
  auto found = pending.find(key);
  if (found == pending.end()) found = pending.emplace(std::string(key), Extras::PendingChange()).first;
  if (found->second.depth++ == 0 && extras_->isObserved(key)) found->second.oldValue = value(key);
}

void NSObject::didChangeValue(std::string_view key) {
  if (!extras_) return;
  KeyValueChange change{std::string(key), {}, {}};
  if (auto found = extras_->pending.find(key); found != extras_->pending.end()) {
    if (--found->second.depth > 0) return;  // an inner pair: the outer one reports the change
    change.oldValue = std::move(found->second.oldValue);
    extras_->pending.erase(found);
  }
  std::vector<Extras::Observer> targets;
  for (const auto& observer : extras_->observers) {
    if (observer.key == key) targets.push_back(observer);
  }
  if (targets.empty()) return;
  change.newValue = value(key);
  auto keepAlive = weak_from_this().lock();
  for (const auto& target : targets) {
    // An observer removed by an earlier callback of this same change is not called.
    bool stillObserving = std::any_of(extras_->observers.begin(), extras_->observers.end(),
                                      [&](const Extras::Observer& o) { return o.id == target.id; });
    if (stillObserving) (*target.callback)(change);
  }
}

// Selectors ------------------------------------------------------------------------------------------

bool NSObject::respondsTo(const Selector& selector) const {
  auto& registry = ClassRegistry::shared();
  return registry.findMethod(registry.infoFor(*this), selector) != nullptr;
}

bool NSObject::perform(const Selector& selector, std::shared_ptr<NSObject> sender) {
  auto& registry = ClassRegistry::shared();
  const MethodImplementation* method = registry.findMethod(registry.infoFor(*this), selector);
  if (!method) return false;
  auto keepAlive = weak_from_this().lock();
  (*method)(*this, std::move(sender));
  return true;
}

// Associated objects ---------------------------------------------------------------------------------

void NSObject::setAssociatedObject(const void* key, std::any value, AssociationPolicy policy) {
  if (policy == AssociationPolicy::assign) {
    if (auto object = std::any_cast<std::shared_ptr<NSObject>>(&value); object && *object) {
      storeWeakAssociation(key, [weak = std::weak_ptr<NSObject>(*object)] { return std::any(weak.lock()); });
      return;
    }
  }
  if (!value.has_value()) {
    if (extras_) {
      auto removed = extras_->associations.extract(key);  // released once the map is consistent again
    }
    return;
  }
  // Replace first, release the old value afterwards: its destructor may touch this object.
  Extras::Association previous;
  auto& slot = extras().associations[key];
  std::swap(previous, slot);
  slot.value = std::move(value);
}

void NSObject::storeWeakAssociation(const void* key, std::function<std::any()> lock) {
  Extras::Association previous;
  auto& slot = extras().associations[key];
  std::swap(previous, slot);
  slot.lockWeak = std::move(lock);
}

std::any NSObject::associatedObject(const void* key) const {
  if (!extras_) return {};
  auto found = extras_->associations.find(key);
  if (found == extras_->associations.end()) return {};
  return found->second.lockWeak ? found->second.lockWeak() : found->second.value;
}

}  // namespace ios
