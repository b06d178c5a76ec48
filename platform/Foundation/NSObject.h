#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <typeinfo>

namespace ios {

// A method name as text ("refreshData", "didGoProvider:"), the way target-action, notifications and
// nibs name the member to call. A trailing colon marks a method that takes the sender.
using Selector = std::string;

// How `setAssociatedObject` holds its value. `assign` holds an object reference weakly, so reading it
// after the object is gone gives a null pointer, never a dangling one; any other value is stored as is.
// `retain` and `copy` store the value (our objects have no separate copy operation, so `copy` keeps a
// copy of the value and a reference to the same object).
enum class AssociationPolicy { assign, retainNonatomic, copyNonatomic, retain, copy };

// One key-value change as delivered to a key-value observer.
struct KeyValueChange {
  std::string key;
  std::any oldValue;  // the value at `willChangeValue`, empty when the key is not readable
  std::any newValue;  // the value at `didChangeValue`
};

using KeyValueObserverId = std::uint64_t;

// The root of every reference type. Objects live in `std::shared_ptr`; the runtime services below
// (class identity, key-value coding and observing, selectors, associated objects) work through the
// class registry (ClassRegistry.h), which each class joins with a few lines in its .cpp file.
// These services are meant for the main thread; only the registry itself is thread-safe.
class NSObject : public std::enable_shared_from_this<NSObject> {
 public:
  NSObject();
  virtual ~NSObject();
  NSObject(const NSObject&) = delete;
  NSObject& operator=(const NSObject&) = delete;

  // The unqualified name of the object's dynamic class ("BuyCardViewController"), as Swift's
  // `String(describing: type(of: self))` gives it. Used as nib name and storyboard identifier.
  virtual std::string className() const;
  template <class T>
  static std::string className() {
    return unqualifiedTypeName(typeid(T));
  }
  static std::string unqualifiedTypeName(const std::type_info& type);
  virtual std::string description() const;

  // This object as its own class `T` (or one of its bases): what a method hands on when it passes
  // itself to a cell or a router, or lets a closure hold it weakly. The object must already live in a
  // `std::shared_ptr`. Asking for a class the object is not is a programmer error: it stops with a
  // message naming both classes.
  template <class T>
  requires std::is_base_of_v<NSObject, T>
  std::shared_ptr<T> sharedAs() {
    auto typed = std::dynamic_pointer_cast<T>(shared_from_this());
    if (!typed) notA(typeid(T));
    return typed;
  }
  template <class T>
  requires std::is_base_of_v<NSObject, T>
  std::shared_ptr<const T> sharedAs() const {
    auto typed = std::dynamic_pointer_cast<const T>(shared_from_this());
    if (!typed) notA(typeid(T));
    return typed;
  }
  template <class T>
  requires std::is_base_of_v<NSObject, T>
  std::weak_ptr<T> weakAs() {
    return sharedAs<T>();
  }
  template <class T>
  requires std::is_base_of_v<NSObject, T>
  std::weak_ptr<const T> weakAs() const {
    return sharedAs<T>();
  }

  // Class identity by registered name. `isKindOf` holds for the named class and its subclasses,
  // `isMemberOf` only for exactly that class. An unregistered name matches nothing.
  bool isKindOf(std::string_view className) const;
  bool isMemberOf(std::string_view className) const;

  // Key-value coding over the registered properties of the object's class and its ancestors.
  // `setValue` converts between numeric types where no information is lost (an int into a double,
  // 2.0 into an int, 0 or 1 into a bool), C strings into `std::string`, and object references along
  // the class hierarchy; it returns false and changes nothing for an unknown or read-only key or a
  // value of another type. Observers of the key are told before and after the change.
  bool setValue(const std::any& value, std::string_view key);
  template <class T>
  requires std::is_base_of_v<NSObject, T>
  bool setValue(const std::shared_ptr<T>& object, std::string_view key) {
    return setValue(std::any(std::static_pointer_cast<NSObject>(object)), key);
  }
  // The value of a key, holding exactly the declared type; empty for an unknown key.
  std::any value(std::string_view key) const;
  // The declared type of a key, or nullopt when the class has no such key.
  std::optional<std::type_index> typeOfKey(std::string_view key) const;

  // Key-value observing: `callback` runs once per change of the key, whether the change came through
  // `setValue` or from a setter that brackets its change with will/did. Nested will/did pairs for one
  // key (`setValue` calling such a setter) count as one change, reported by the outermost `did`.
  // Removing an observer (also from inside a callback) stops its calls at once.
  KeyValueObserverId addObserver(std::string keyPath, std::function<void(const KeyValueChange&)> callback);
  void removeObserver(KeyValueObserverId id);
  void willChangeValue(std::string_view key);
  void didChangeValue(std::string_view key);

  // Target-action: calls the registered method named `selector` with `sender`. False when the class
  // has no such method.
  bool respondsTo(const Selector& selector) const;
  bool perform(const Selector& selector, std::shared_ptr<NSObject> sender = nullptr);

  // Associated objects, released with this object. A typed object reference stored with `assign` is
  // read back as the same `std::shared_ptr<T>` type, null once the object is gone.
  void setAssociatedObject(const void* key, std::any value, AssociationPolicy policy);
  template <class T>
  void setAssociatedObject(const void* key, std::shared_ptr<T> object, AssociationPolicy policy) {
    if (policy != AssociationPolicy::assign || !object) {
      setAssociatedObject(key, std::any(std::move(object)), policy);
      return;
    }
    storeWeakAssociation(key, [weak = std::weak_ptr<T>(object)] { return std::any(weak.lock()); });
  }
  // The stored value, or an empty `std::any` when nothing is stored under `key`.
  std::any associatedObject(const void* key) const;

 private:
  struct Extras;
  Extras& extras() const;
  [[noreturn]] void notA(const std::type_info& wanted) const;
  void storeWeakAssociation(const void* key, std::function<std::any()> lock);

  mutable std::unique_ptr<Extras> extras_;
};

}  // namespace ios

#include <Foundation/ClassRegistry.h>
