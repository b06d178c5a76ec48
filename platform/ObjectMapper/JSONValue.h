#pragma once

// How one field type is read from and written to JSON. These are the conversion rules of the
// whole mapping layer, chosen to match ObjectMapper over Foundation's JSON objects:
//
//   std::string   a JSON string only (numbers, booleans, null are not texts).
//   bool          a JSON boolean, or a number that is exactly 0 or 1 (Foundation bridges such an
//                 NSNumber to Bool; 2 does not bridge).
//   integers      a JSON integer that fits the field, or a floating number with an integral value
//                 that fits (5.0 reads as 5, 5.5 does not). Booleans and texts ("5") never read.
//   floating      any JSON number, integer or not. Booleans and texts never read.
//   Dictionary    a JSON object only (Swift's `[String: Any]`).
//   shared_ptr<M> a JSON object, mapped into a new M (M derives from Mappable).
//   vector<T>     a JSON array. Elements that are objects of a Mappable type are mapped one by one
//                 and elements that do not map are skipped; for any other T every element must
//                 convert, otherwise the whole array does not read (as `as? [String]`).
//   map<string,T> a JSON object whose every value converts.
//
// A value that does not read gives none, and the field keeps its preset value.

#include <Foundation/Dictionary.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace ios {

class Mappable;

template <class T>
std::shared_ptr<T> mapObject(const Dictionary& json);
template <class T>
std::shared_ptr<T> mapObject(Dictionary&& json);

template <class T, class Enable = void>
struct JSONValue;

// Reads like JSONValue<T>::fromJSON, but may move what it reads out of `value`, for a document that
// is read once and then dropped. A value that does not read is left as it was, and a type with
// nothing worth moving is copied.
template <class T>
std::optional<T> takeJSON(Dictionary& value) {
  if constexpr (requires { JSONValue<T>::take(value); }) {
    return JSONValue<T>::take(value);
  } else {
    return JSONValue<T>::fromJSON(value);
  }
}

template <class T>
struct IsMappablePointer : std::false_type {};
template <class M>
struct IsMappablePointer<std::shared_ptr<M>> : std::is_base_of<Mappable, M> {};

// Whether a written field goes into the JSON at all: an empty optional or a null object is left out,
// as ObjectMapper leaves out nil values.
template <class T>
bool isPresentForJSON(const T&) {
  return true;
}
template <class T>
bool isPresentForJSON(const std::optional<T>& value) {
  return value.has_value();
}
template <class T>
bool isPresentForJSON(const std::shared_ptr<T>& value) {
  return value != nullptr;
}

template <>
struct JSONValue<std::string> {
  static std::optional<std::string> fromJSON(const Dictionary& value) {
    if (!value.is_string()) return std::nullopt;
    return value.get_ref<const std::string&>();
  }
  static std::optional<std::string> take(Dictionary& value) {
    if (!value.is_string()) return std::nullopt;
    return std::move(value.get_ref<std::string&>());
  }
  static Dictionary toJSON(const std::string& value) { return value; }
};

template <>
struct JSONValue<bool> {
  static std::optional<bool> fromJSON(const Dictionary& value) {
    if (value.is_boolean()) return value.get<bool>();
    if (value.is_number()) {
      const double number = value.get<double>();
      if (number == 0) return false;
      if (number == 1) return true;
    }
    return std::nullopt;
  }
  static Dictionary toJSON(bool value) { return value; }
};

template <class T>
struct JSONValue<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>>> {
  static std::optional<T> fromJSON(const Dictionary& value) {
    if (value.is_number_unsigned()) {
      const auto number = value.get<std::uint64_t>();
      if (std::in_range<T>(number)) return static_cast<T>(number);
      return std::nullopt;
    }
    if (value.is_number_integer()) {
      const auto number = value.get<std::int64_t>();
      if (std::in_range<T>(number)) return static_cast<T>(number);
      return std::nullopt;
    }
    if (value.is_number_float()) return fromIntegralDouble(value.get<double>());
    return std::nullopt;
  }
  static Dictionary toJSON(T value) { return value; }

 private:
  static std::optional<T> fromIntegralDouble(double number) {
    // 2^63 is exact as a double; every integral double in [-2^63, 2^63) converts without overflow.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!std::isfinite(number) || number != std::trunc(number)) return std::nullopt;
    if (number < -kTwoTo63 || number >= kTwoTo63) return std::nullopt;
    const auto integral = static_cast<std::int64_t>(number);
    if (!std::in_range<T>(integral)) return std::nullopt;
    return static_cast<T>(integral);
  }
};

template <class T>
struct JSONValue<T, std::enable_if_t<std::is_floating_point_v<T>>> {
  static std::optional<T> fromJSON(const Dictionary& value) {
    if (!value.is_number()) return std::nullopt;
    return static_cast<T>(value.get<double>());
  }
  static Dictionary toJSON(T value) { return value; }
};

template <>
struct JSONValue<Dictionary> {
  static std::optional<Dictionary> fromJSON(const Dictionary& value) {
    if (!value.is_object()) return std::nullopt;
    return value;
  }
  static std::optional<Dictionary> take(Dictionary& value) {
    if (!value.is_object()) return std::nullopt;
    return std::move(value);
  }
  static Dictionary toJSON(const Dictionary& value) { return value; }
};

template <class M>
struct JSONValue<std::shared_ptr<M>, std::enable_if_t<std::is_base_of_v<Mappable, M>>> {
  static std::optional<std::shared_ptr<M>> fromJSON(const Dictionary& value) {
    return present(mapObject<M>(value));
  }
  static std::optional<std::shared_ptr<M>> take(Dictionary& value) {
    return present(mapObject<M>(std::move(value)));
  }
  static Dictionary toJSON(const std::shared_ptr<M>& value) { return value->toJSON(); }

 private:
  static std::optional<std::shared_ptr<M>> present(std::shared_ptr<M> object) {
    if (!object) return std::nullopt;
    return object;
  }
};

template <class T>
struct JSONValue<std::vector<T>> {
  static std::optional<std::vector<T>> fromJSON(const Dictionary& value) {
    return convert(value, [](const Dictionary& element) { return JSONValue<T>::fromJSON(element); });
  }
  static std::optional<std::vector<T>> take(Dictionary& value) {
    return convert(value, [](Dictionary& element) { return takeJSON<T>(element); });
  }
  static Dictionary toJSON(const std::vector<T>& value) {
    Dictionary array = Dictionary::array();
    for (const auto& element : value) {
      if (isPresentForJSON(element)) array.push_back(JSONValue<T>::toJSON(element));
    }
    return array;
  }

 private:
  template <class JSON, class Convert>
  static std::optional<std::vector<T>> convert(JSON& value, const Convert& convertElement) {
    if (!value.is_array()) return std::nullopt;
    std::vector<T> result;
    result.reserve(value.size());
    for (auto& element : value) {
      auto item = convertElement(element);
      if (item) {
        result.push_back(std::move(*item));
      } else if (!IsMappablePointer<T>::value) {
        return std::nullopt;
      }
    }
    return result;
  }
};

template <class T>
struct JSONValue<std::map<std::string, T>> {
  static std::optional<std::map<std::string, T>> fromJSON(const Dictionary& value) {
    return convert(value, [](const Dictionary& element) { return JSONValue<T>::fromJSON(element); });
  }
  static std::optional<std::map<std::string, T>> take(Dictionary& value) {
    return convert(value, [](Dictionary& element) { return takeJSON<T>(element); });
  }
  static Dictionary toJSON(const std::map<std::string, T>& value) {
    Dictionary object = Dictionary::object();
    for (const auto& [key, element] : value) {
      if (isPresentForJSON(element)) object[key] = JSONValue<T>::toJSON(element);
    }
    return object;
  }

 private:
  template <class JSON, class Convert>
  static std::optional<std::map<std::string, T>> convert(JSON& value, const Convert& convertElement) {
    if (!value.is_object()) return std::nullopt;
    std::map<std::string, T> result;
    for (auto element = value.begin(); element != value.end(); ++element) {
      auto item = convertElement(*element);
      if (!item) return std::nullopt;
      result.emplace(element.key(), std::move(*item));
    }
    return result;
  }
};

}  // namespace ios
