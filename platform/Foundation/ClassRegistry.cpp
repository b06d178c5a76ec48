#include <Foundation/ClassRegistry.h>

#include <Foundation/Console.h>

namespace ios {

ClassRegistry& ClassRegistry::shared() {
  static ClassRegistry* registry = new ClassRegistry;  // never destroyed: objects may outlive statics
  return *registry;
}

ClassInfo& ClassRegistry::registerClass(std::string name, std::string baseName, std::type_index type,
                                        std::function<bool(const NSObject&)> isInstance) {
  std::lock_guard lock(mutex_);
  if (auto found = classes_.find(name); found != classes_.end()) {
    if (found->second->type != type)
      fatalError("class \"" + name + "\" is registered twice for different types");
    return *found->second;
  }
  auto info = std::make_unique<ClassInfo>();
  info->name = name;
  info->baseName = std::move(baseName);
  info->type = type;
  info->isInstance = std::move(isInstance);
  infoCache_.clear();
  return *classes_.emplace(std::move(name), std::move(info)).first->second;
}

void ClassRegistry::setFactory(ClassInfo& info, std::function<std::shared_ptr<NSObject>()> factory) {
  std::lock_guard lock(mutex_);
  info.factory = std::move(factory);
}

void ClassRegistry::addProperty(ClassInfo& info, std::string key, PropertyAccessor accessor) {
  std::lock_guard lock(mutex_);
  info.properties.insert_or_assign(std::move(key), std::move(accessor));
}

void ClassRegistry::addMethod(ClassInfo& info, Selector selector, MethodImplementation method) {
  std::lock_guard lock(mutex_);
  info.methods.insert_or_assign(std::move(selector), std::move(method));
}

const ClassInfo* ClassRegistry::find(std::string_view name) const {
  std::lock_guard lock(mutex_);
  return findLocked(name);
}

const ClassInfo* ClassRegistry::findLocked(std::string_view name) const {
  auto found = classes_.find(name);
  return found == classes_.end() ? nullptr : found->second.get();
}

int ClassRegistry::depthLocked(const ClassInfo* info) const {
  int depth = 0;
  // The bound guards against a base chain that loops through a mistaken registration.
  for (; info && depth <= static_cast<int>(classes_.size()); ++depth) info = findLocked(info->baseName);
  return depth;
}

const ClassInfo* ClassRegistry::infoFor(const NSObject& object) const {
  std::type_index type = typeid(object);
  std::lock_guard lock(mutex_);
  if (auto cached = infoCache_.find(type); cached != infoCache_.end()) return cached->second;
  const ClassInfo* best = nullptr;
  int bestDepth = -1;
  for (const auto& [name, info] : classes_) {
    if (info->type == type) {
      best = info.get();
      break;
    }
    if (!info->isInstance(object)) continue;
    int depth = depthLocked(info.get());
    if (depth > bestDepth) {
      best = info.get();
      bestDepth = depth;
    }
  }
  infoCache_.emplace(type, best);
  return best;
}

const PropertyAccessor* ClassRegistry::findProperty(const ClassInfo* info, std::string_view key) const {
  std::lock_guard lock(mutex_);
  for (size_t guard = 0; info && guard <= classes_.size(); ++guard, info = findLocked(info->baseName)) {
    if (auto found = info->properties.find(key); found != info->properties.end()) return &found->second;
  }
  return nullptr;
}

const MethodImplementation* ClassRegistry::findMethod(const ClassInfo* info,
                                                      std::string_view selector) const {
  std::lock_guard lock(mutex_);
  for (size_t guard = 0; info && guard <= classes_.size(); ++guard, info = findLocked(info->baseName)) {
    if (auto found = info->methods.find(selector); found != info->methods.end()) return &found->second;
  }
  return nullptr;
}

std::vector<PropertyInfo> ClassRegistry::properties(std::string_view className) const {
  std::lock_guard lock(mutex_);
  std::vector<const ClassInfo*> chain;
  for (const ClassInfo* info = findLocked(className); info && chain.size() <= classes_.size();
       info = findLocked(info->baseName)) {
    chain.push_back(info);
  }
  std::vector<PropertyInfo> keys;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const auto& entry : (*it)->properties) {
      const std::string& key = entry.first;
      std::erase_if(keys, [&key](const PropertyInfo& known) { return known.key == key; });
      keys.push_back(PropertyInfo{key, entry.second.type, !entry.second.set});
    }
  }
  return keys;
}

bool ClassRegistry::isSubclass(std::string_view className, std::string_view ancestorName) const {
  std::lock_guard lock(mutex_);
  const ClassInfo* info = findLocked(className);
  for (size_t guard = 0; info && guard <= classes_.size(); ++guard, info = findLocked(info->baseName)) {
    if (info->name == ancestorName) return true;
  }
  return false;
}

std::shared_ptr<NSObject> ClassRegistry::makeObject(std::string_view className) const {
  std::function<std::shared_ptr<NSObject>()> factory;
  {
    std::lock_guard lock(mutex_);
    const ClassInfo* info = findLocked(className);
    if (!info || !info->factory) return nullptr;
    factory = info->factory;
  }
  return factory();
}

std::shared_ptr<NSObject> makeObject(std::string_view className) {
  return ClassRegistry::shared().makeObject(className);
}

namespace detail {

namespace {

template <class V>
bool readNumber(const std::any& value, Number& number) {
  auto held = std::any_cast<V>(&value);
  if (!held) return false;
  if constexpr (std::is_same_v<V, bool>) {
    number = Number{Number::Kind::boolean, *held ? 1 : 0};
  } else if constexpr (std::is_floating_point_v<V>) {
    number = Number{Number::Kind::floating, 0, 0, static_cast<long double>(*held)};
  } else if constexpr (std::is_signed_v<V>) {
    number = Number{Number::Kind::signedInteger, static_cast<long long>(*held)};
  } else {
    number = Number{Number::Kind::unsignedInteger, 0, static_cast<unsigned long long>(*held)};
  }
  return true;
}

}  // namespace

std::optional<Number> numberFrom(const std::any& value) {
  Number number{Number::Kind::signedInteger};
  bool found = readNumber<bool>(value, number) || readNumber<int>(value, number) ||
               readNumber<long>(value, number) || readNumber<long long>(value, number) ||
               readNumber<unsigned>(value, number) || readNumber<unsigned long>(value, number) ||
               readNumber<unsigned long long>(value, number) || readNumber<short>(value, number) ||
               readNumber<unsigned short>(value, number) || readNumber<signed char>(value, number) ||
               readNumber<unsigned char>(value, number) || readNumber<double>(value, number) ||
               readNumber<float>(value, number) || readNumber<long double>(value, number);
  if (!found) return std::nullopt;
  return number;
}

}  // namespace detail

}  // namespace ios
