#include "PermissiveOwner.h"

#include <Foundation/ClassRegistry.h>

namespace kerbelin::nibcheck {

namespace {

const auto registration = ios::ClassRegistration<PermissiveOwner>("NibCheckOwner");

ios::ClassInfo& ownerClass() {
  return ios::ClassRegistry::shared().registerClass(
      "NibCheckOwner", "NSObject", typeid(PermissiveOwner),
      [](const ios::NSObject& object) { return dynamic_cast<const PermissiveOwner*>(&object) != nullptr; });
}

}  // namespace

std::shared_ptr<PermissiveOwner> PermissiveOwner::create() {
  return std::make_shared<PermissiveOwner>();
}

void PermissiveOwner::accept(const std::vector<std::string>& keys,
                             const std::vector<std::string>& selectors) {
  auto& registry = ios::ClassRegistry::shared();
  auto& info = ownerClass();
  for (const auto& key : keys) {
    ios::PropertyAccessor accessor;
    accessor.type = typeid(std::shared_ptr<ios::NSObject>);
    accessor.get = [key](const ios::NSObject& object) -> std::any {
      const auto& outlets = dynamic_cast<const PermissiveOwner&>(object).outlets;
      auto found = outlets.find(key);
      return found == outlets.end() ? std::shared_ptr<ios::NSObject>() : found->second;
    };
    accessor.set = [key](ios::NSObject& object, const std::any& value,
                         const std::function<void()>& willChange) {
      auto reference = ios::detail::coerce<std::shared_ptr<ios::NSObject>>(value);
      if (!reference) return false;
      willChange();
      dynamic_cast<PermissiveOwner&>(object).outlets[key] = *reference;
      return true;
    };
    registry.addProperty(info, key, std::move(accessor));
  }
  for (const auto& selector : selectors) {
    registry.addMethod(info, selector, [](ios::NSObject&, std::shared_ptr<ios::NSObject>) {});
  }
}

}  // namespace kerbelin::nibcheck
