#pragma once

#include <Foundation/NSObject.h>

#include <any>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace ios {

// One key as a class declares it; nib loaders convert their values to `type` before `setValue`.
struct PropertyInfo {
  std::string key;
  std::type_index type;
  bool readOnly = false;
};

// The accessors of one registered property. `set` converts the value, calls `willChange` only when the
// conversion succeeded, then stores it; it returns whether it stored anything.
struct PropertyAccessor {
  std::type_index type = typeid(void);
  std::function<std::any(const NSObject&)> get;
  std::function<bool(NSObject&, const std::any&, const std::function<void()>& willChange)> set;
};

using MethodImplementation = std::function<void(NSObject&, std::shared_ptr<NSObject> sender)>;

// What the runtime knows about one registered class. Properties and methods are the class's own; the
// registry looks up inherited ones along `baseName`.
struct ClassInfo {
  std::string name;
  std::string baseName;  // empty for the root
  std::type_index type = typeid(void);
  std::function<std::shared_ptr<NSObject>()> factory;  // empty for classes that cannot be made by name
  std::function<bool(const NSObject&)> isInstance;     // the object is of this class or a subclass
  std::map<std::string, PropertyAccessor, std::less<>> properties;
  std::map<std::string, MethodImplementation, std::less<>> methods;
};

// Classes by name, filled at static-initialisation time by `ClassRegistration` objects. Thread-safe.
// An object whose own class is not registered (a test's subclass, say) is treated as an instance of
// its nearest registered ancestor.
class ClassRegistry {
 public:
  static ClassRegistry& shared();

  // Registering the same name twice for the same type is harmless; for another type it is a
  // programmer error.
  ClassInfo& registerClass(std::string name, std::string baseName, std::type_index type,
                           std::function<bool(const NSObject&)> isInstance);
  void setFactory(ClassInfo& info, std::function<std::shared_ptr<NSObject>()> factory);
  void addProperty(ClassInfo& info, std::string key, PropertyAccessor accessor);
  void addMethod(ClassInfo& info, Selector selector, MethodImplementation method);

  const ClassInfo* find(std::string_view name) const;
  // The most derived registered class that `object` is an instance of.
  const ClassInfo* infoFor(const NSObject& object) const;
  const PropertyAccessor* findProperty(const ClassInfo* info, std::string_view key) const;
  const MethodImplementation* findMethod(const ClassInfo* info, std::string_view selector) const;

  // Every key of the class, inherited ones first; empty for an unknown class.
  std::vector<PropertyInfo> properties(std::string_view className) const;
  bool isSubclass(std::string_view className, std::string_view ancestorName) const;
  // A new object of the named class, or null when the class is unknown or has no factory.
  std::shared_ptr<NSObject> makeObject(std::string_view className) const;

 private:
  ClassRegistry() = default;
  const ClassInfo* findLocked(std::string_view name) const;
  int depthLocked(const ClassInfo* info) const;

  mutable std::mutex mutex_;
  std::map<std::string, std::unique_ptr<ClassInfo>, std::less<>> classes_;
  mutable std::unordered_map<std::type_index, const ClassInfo*> infoCache_;
};

std::shared_ptr<NSObject> makeObject(std::string_view className);
template <class T>
std::shared_ptr<T> makeObject(std::string_view className) {
  return std::dynamic_pointer_cast<T>(makeObject(className));
}

namespace detail {

// A number held by a `std::any`, whatever its arithmetic type.
struct Number {
  enum class Kind { boolean, signedInteger, unsignedInteger, floating } kind;
  long long s = 0;
  unsigned long long u = 0;
  long double f = 0;
};
std::optional<Number> numberFrom(const std::any& value);

template <class V>
std::optional<V> numberTo(const Number& n) {
  using Limits = std::numeric_limits<V>;
  if constexpr (std::is_same_v<V, bool>) {
    switch (n.kind) {
      case Number::Kind::boolean:
        return n.s != 0;
      case Number::Kind::signedInteger:
        return n.s == 0 || n.s == 1 ? std::optional<bool>(n.s == 1) : std::nullopt;
      case Number::Kind::unsignedInteger:
        return n.u <= 1 ? std::optional<bool>(n.u == 1) : std::nullopt;
      case Number::Kind::floating:
        return n.f == 0 || n.f == 1 ? std::optional<bool>(n.f == 1) : std::nullopt;
    }
    return std::nullopt;
  } else if constexpr (std::is_floating_point_v<V>) {
    switch (n.kind) {
      case Number::Kind::boolean:
      case Number::Kind::signedInteger:
        return static_cast<V>(n.s);
      case Number::Kind::unsignedInteger:
        return static_cast<V>(n.u);
      case Number::Kind::floating:
        return static_cast<V>(n.f);
    }
    return std::nullopt;
  } else {
    static_assert(std::is_integral_v<V>);
    switch (n.kind) {
      case Number::Kind::boolean:
        return static_cast<V>(n.s);
      case Number::Kind::signedInteger:
        if (n.s < 0 && !Limits::is_signed) return std::nullopt;
        if (n.s < 0 && n.s < static_cast<long long>(Limits::min())) return std::nullopt;
        if (n.s > 0 &&
            static_cast<unsigned long long>(n.s) > static_cast<unsigned long long>(Limits::max())) {
          return std::nullopt;
        }
        return static_cast<V>(n.s);
      case Number::Kind::unsignedInteger:
        if (n.u > static_cast<unsigned long long>(Limits::max())) return std::nullopt;
        return static_cast<V>(n.u);
      case Number::Kind::floating:
        if (!std::isfinite(n.f) || n.f != std::trunc(n.f)) return std::nullopt;
        if (n.f < static_cast<long double>(Limits::min()) || n.f > static_cast<long double>(Limits::max())) {
          return std::nullopt;
        }
        return static_cast<V>(n.f);
    }
    return std::nullopt;
  }
}

template <class T>
struct IsSharedPtr : std::false_type {};
template <class U>
struct IsSharedPtr<std::shared_ptr<U>> : std::true_type {
  using element = U;
};
template <class T>
struct IsWeakPtr : std::false_type {};
template <class U>
struct IsWeakPtr<std::weak_ptr<U>> : std::true_type {
  using element = U;
};
template <class T>
struct IsOptional : std::false_type {};
template <class U>
struct IsOptional<std::optional<U>> : std::true_type {
  using element = U;
};

// An object reference of class U from a value holding a reference to U, to NSObject, or null.
template <class U>
std::optional<std::shared_ptr<U>> objectFrom(const std::any& value) {
  if (auto exact = std::any_cast<std::shared_ptr<U>>(&value)) return *exact;
  if (auto weak = std::any_cast<std::weak_ptr<U>>(&value)) return weak->lock();
  if (value.type() == typeid(std::nullptr_t)) return std::shared_ptr<U>();
  if constexpr (std::is_base_of_v<NSObject, U>) {
    if (auto object = std::any_cast<std::shared_ptr<NSObject>>(&value)) {
      if (!*object) return std::shared_ptr<U>();
      if (auto cast = std::dynamic_pointer_cast<U>(*object)) return cast;
    }
  }
  return std::nullopt;
}

// `value` as type V under the conversions key-value coding allows, or nullopt.
template <class V>
std::optional<V> coerce(const std::any& value) {
  if constexpr (std::is_same_v<V, std::any>) return value;
  if (auto exact = std::any_cast<V>(&value)) return *exact;
  if constexpr (std::is_arithmetic_v<V>) {
    auto number = numberFrom(value);
    if (!number) return std::nullopt;
    return numberTo<V>(*number);
  } else if constexpr (std::is_same_v<V, std::string>) {
    if (auto text = std::any_cast<const char*>(&value)) return *text ? std::optional<V>(*text) : std::nullopt;
    if (auto text = std::any_cast<char*>(&value)) return *text ? std::optional<V>(*text) : std::nullopt;
    if (auto text = std::any_cast<std::string_view>(&value)) return std::string(*text);
    return std::nullopt;
  } else if constexpr (IsSharedPtr<V>::value) {
    return objectFrom<typename IsSharedPtr<V>::element>(value);
  } else if constexpr (IsWeakPtr<V>::value) {
    auto object = objectFrom<typename IsWeakPtr<V>::element>(value);
    if (!object) return std::nullopt;
    return V(*object);
  } else if constexpr (IsOptional<V>::value) {
    if (value.type() == typeid(std::nullopt_t) || !value.has_value()) return V(std::nullopt);
    auto inner = coerce<typename IsOptional<V>::element>(value);
    if (!inner) return std::nullopt;
    return V(std::move(*inner));
  } else {
    return std::nullopt;
  }
}

// The class of the sender parameter of a method or lambda taking `std::shared_ptr<U>`.
template <class F>
struct SenderOf {};
template <class R, class C, class U>
struct SenderOf<R (C::*)(std::shared_ptr<U>)> {
  using type = U;
};
template <class R, class C, class U>
struct SenderOf<R (C::*)(std::shared_ptr<U>) const> {
  using type = U;
};
template <class R, class C, class U>
struct SenderOf<R (C::*)(const std::shared_ptr<U>&)> {
  using type = U;
};
template <class R, class C, class U>
struct SenderOf<R (C::*)(const std::shared_ptr<U>&) const> {
  using type = U;
};
template <class R, class L, class Self, class U>
struct SenderOf<R (L::*)(Self, std::shared_ptr<U>) const> {
  using type = U;
};
template <class R, class L, class Self, class U>
struct SenderOf<R (L::*)(Self, const std::shared_ptr<U>&) const> {
  using type = U;
};
template <class F>
struct SenderOfCallable : SenderOf<F> {};
template <class F>
requires requires {
  &F::operator();
}
struct SenderOfCallable<F> : SenderOf<decltype(&F::operator())> {};

template <class T>
T& self(NSObject& object) {
  return dynamic_cast<T&>(object);
}

}  // namespace detail

// Joins class T, a subclass of Base, to the registry under `name` (by default its unqualified C++
// name) and declares its keys and methods. Put one at namespace scope in the class's .cpp:
//
//   const auto registration = ios::ClassRegistration<UILabel, UIView>()
//       .property("text", &UILabel::text, &UILabel::setText)
//       .property("numberOfLines", &UILabel::numberOfLines)
//       .method("didTap:", &UILabel::didTap);
//
// A key is a data member, a getter alone (read-only) or a getter and a setter; getters and setters may
// be member functions or callables taking `const T&` / `T&`. A method is a member function or callable
// taking no argument, a `std::shared_ptr<NSObject>` sender or a `std::shared_ptr<U>` sender (a sender
// of another class then arrives as null). `makeObject(name)` uses `T::create()` when that returns a
// `std::shared_ptr<T>`, otherwise `std::make_shared<T>()`, or the callable given to `factory`.
template <class T, class Base = NSObject>
class ClassRegistration {
  static_assert(std::is_base_of_v<NSObject, T> && std::is_base_of_v<Base, T>);

 public:
  explicit ClassRegistration(std::string name = NSObject::className<T>(),
                             std::string baseName = std::is_same_v<T, Base> ? std::string()
                                                                            : NSObject::className<Base>()) {
    auto& registry = ClassRegistry::shared();
    info_ =
        &registry.registerClass(std::move(name), std::move(baseName), typeid(T), [](const NSObject& object) {
          if constexpr (std::is_same_v<T, NSObject>) {
            return true;
          } else {
            return dynamic_cast<const T*>(&object) != nullptr;
          }
        });
    if constexpr (requires {
                    { T::create() } -> std::convertible_to<std::shared_ptr<T>>;
                  }) {
      registry.setFactory(*info_,
                          [] { return std::static_pointer_cast<NSObject>(std::shared_ptr<T>(T::create())); });
    } else if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>) {
      registry.setFactory(*info_, [] { return std::static_pointer_cast<NSObject>(std::make_shared<T>()); });
    }
  }

  ClassRegistration& factory(std::function<std::shared_ptr<T>()> make) {
    ClassRegistry::shared().setFactory(
        *info_, [make = std::move(make)] { return std::static_pointer_cast<NSObject>(make()); });
    return *this;
  }

  // A data member (read-write) or a getter alone (read-only).
  template <class M>
  ClassRegistration& property(std::string key, M member) {
    using V = std::decay_t<std::invoke_result_t<M, const T&>>;
    PropertyAccessor accessor{typeid(V), getter<V>(member), {}};
    if constexpr (std::is_member_object_pointer_v<M>) {
      accessor.set = [member](NSObject& object, const std::any& value,
                              const std::function<void()>& willChange) {
        auto converted = detail::coerce<V>(value);
        if (!converted) return false;
        willChange();
        detail::self<T>(object).*member = std::move(*converted);
        return true;
      };
    }
    ClassRegistry::shared().addProperty(*info_, std::move(key), std::move(accessor));
    return *this;
  }

  template <class G, class S>
  ClassRegistration& property(std::string key, G get, S set) {
    using V = std::decay_t<std::invoke_result_t<G, const T&>>;
    PropertyAccessor accessor{typeid(V), getter<V>(get), {}};
    accessor.set = [set](NSObject& object, const std::any& value, const std::function<void()>& willChange) {
      auto converted = detail::coerce<V>(value);
      if (!converted) return false;
      willChange();
      std::invoke(set, detail::self<T>(object), std::move(*converted));
      return true;
    };
    ClassRegistry::shared().addProperty(*info_, std::move(key), std::move(accessor));
    return *this;
  }

  template <class F>
  ClassRegistration& method(Selector selector, F function) {
    MethodImplementation method;
    if constexpr (std::is_invocable_v<F, T&, std::shared_ptr<NSObject>>) {
      method = [function](NSObject& object, std::shared_ptr<NSObject> sender) {
        std::invoke(function, detail::self<T>(object), std::move(sender));
      };
    } else if constexpr (std::is_invocable_v<F, T&>) {
      method = [function](NSObject& object, std::shared_ptr<NSObject>) {
        std::invoke(function, detail::self<T>(object));
      };
    } else {
      using U = typename detail::SenderOfCallable<F>::type;
      method = [function](NSObject& object, std::shared_ptr<NSObject> sender) {
        std::invoke(function, detail::self<T>(object), std::dynamic_pointer_cast<U>(sender));
      };
    }
    ClassRegistry::shared().addMethod(*info_, std::move(selector), std::move(method));
    return *this;
  }

 private:
  template <class V, class G>
  static std::function<std::any(const NSObject&)> getter(G get) {
    return [get](const NSObject& object) {
      return std::any(V(std::invoke(get, dynamic_cast<const T&>(object))));
    };
  }

  ClassInfo* info_;
};

}  // namespace ios
