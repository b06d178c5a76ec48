#pragma once

// Maps an enumeration with text raw values by its server code:
//   map("unitType", unitType, EnumTransform(fromRawValue<UnitType>));
// Only a JSON string that `fromRawValue` accepts reads; any other value leaves the preset. Writing
// uses `rawValue(E)`, found in E's namespace, which gives text convertible to std::string_view.

#include <Foundation/Dictionary.h>

#include <optional>
#include <string>
#include <string_view>

namespace ios {

template <class E>
class EnumTransform {
 public:
  using FromRawValue = std::optional<E> (*)(std::string_view);

  explicit EnumTransform(FromRawValue fromRawValue) : fromRawValue_(fromRawValue) {}

  std::optional<E> fromJSON(const Dictionary& value) const {
    if (!value.is_string()) return std::nullopt;
    return fromRawValue_(value.get_ref<const std::string&>());
  }
  std::optional<Dictionary> toJSON(const E& value) const {
    return Dictionary(std::string(std::string_view(rawValue(value))));
  }

 private:
  FromRawValue fromRawValue_;
};

}  // namespace ios
