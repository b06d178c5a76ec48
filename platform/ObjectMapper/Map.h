#pragma once

// The two-way mapping context handed to `Mappable::mapping`. One `mapping` function describes a
// model's fields once; with a reading map every `map(key, field)` fills the field from the JSON,
// with a writing map it puts the field into the JSON being built.
//
// Reading rules: a missing key, a null value or a value that does not convert to the field's type
// (see JSONValue.h) leaves the field as it is, so a field keeps its preset value. An optional field
// (`std::optional<T>`) reads like a T and stays empty unless the value converts. Keys are taken
// literally: a dot in a key is part of the key.
//
// Writing rules: every field is written under its key, except an empty optional and a null object,
// which are left out. A transform decides the written value itself and may leave the key out.

#include <Foundation/Dictionary.h>
#include <ObjectMapper/JSONValue.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace ios {

class Map {
 public:
  enum class MappingType { fromJSON, toJSON };

  // A reading map over `json`, which should be an object; any other value reads no key. The map
  // refers to `json`, which must outlive it (a temporary is refused).
  explicit Map(const Dictionary& json);
  explicit Map(Dictionary&&) = delete;
  // A writing map that starts from an empty object.
  Map();

  bool isReading() const { return type_ == MappingType::fromJSON; }

  // Reading: the input. Writing: the object built so far.
  const Dictionary& JSON() const;

  template <class T>
  Map& operator()(std::string_view key, T& field) {
    if (isReading()) {
      if (const Dictionary* value = valueFor(key)) readValue(*value, field);
    } else if (isPresentForJSON(field)) {
      write(key, writtenValue(field));
    }
    return *this;
  }

  // Maps the field through `transform`, any object with
  //   std::optional<Object> fromJSON(const Dictionary&) const   (none: the value does not read)
  //   std::optional<Dictionary> toJSON(const Object&) const     (none: the key is left out)
  // where the field is an Object or a std::optional<Object>. The transform sees only present,
  // non-null values.
  template <class T, class Transform>
  Map& operator()(std::string_view key, T& field, const Transform& transform) {
    if (isReading()) {
      if (const Dictionary* value = valueFor(key)) readTransformed(*value, field, transform);
    } else {
      writeTransformed(key, field, transform);
    }
    return *this;
  }

 private:
  const Dictionary* valueFor(std::string_view key) const;
  void write(std::string_view key, Dictionary value);

  template <class T>
  static void readValue(const Dictionary& value, T& field) {
    if (auto converted = JSONValue<T>::fromJSON(value)) field = std::move(*converted);
  }
  template <class T>
  static void readValue(const Dictionary& value, std::optional<T>& field) {
    if (auto converted = JSONValue<T>::fromJSON(value)) field = std::move(*converted);
  }

  template <class T>
  static Dictionary writtenValue(const T& field) {
    return JSONValue<T>::toJSON(field);
  }
  template <class T>
  static Dictionary writtenValue(const std::optional<T>& field) {
    return JSONValue<T>::toJSON(*field);
  }

  template <class T, class Transform>
  static void readTransformed(const Dictionary& value, T& field, const Transform& transform) {
    if (auto converted = transform.fromJSON(value)) field = std::move(*converted);
  }

  template <class T, class Transform>
  void writeTransformed(std::string_view key, const T& field, const Transform& transform) {
    if (auto json = transform.toJSON(field)) write(key, std::move(*json));
  }
  template <class T, class Transform>
  void writeTransformed(std::string_view key, const std::optional<T>& field, const Transform& transform) {
    if (!field) return;
    if (auto json = transform.toJSON(*field)) write(key, std::move(*json));
  }

  MappingType type_;
  const Dictionary* input_ = nullptr;
  Dictionary output_;
};

}  // namespace ios
