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
// A taking map reads by the same rules but moves texts, objects and arrays out of its input instead
// of copying them; it serves a document that is mapped once and then dropped. It reads each key
// once, so a model maps a key to one field only.
//
// Writing rules: every field is written under its key, except an empty optional and a null object,
// which are left out. A transform decides the written value itself and may leave the key out.

#include <Foundation/Dictionary.h>
#include <ObjectMapper/JSONValue.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
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
  // A taking map over `json`, which is left holding whatever the reads did not take.
  static Map taking(Dictionary& json);
  // A writing map that starts from an empty object.
  Map();

  bool isReading() const { return type_ == MappingType::fromJSON; }

  // Reading: the input. Writing: the object built so far.
  const Dictionary& JSON() const;

  // Inlined into each model's `mapping`, so that a key the input lacks, the common case, costs a
  // bit test on a slot computed while compiling; reading a present value is not inlined.
  template <class T>
  [[gnu::always_inline]] Map& operator()(std::string_view key, T& field) {
    if (!isReading()) {
      writeField(key, field);
    } else if (const Dictionary* value = valueFor(key)) {
      readField(*value, field);
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
  // An optional field reads like the type it holds.
  template <class T>
  struct FieldValueOf {
    using type = T;
  };
  template <class T>
  struct FieldValueOf<std::optional<T>> {
    using type = T;
  };
  template <class T>
  using FieldValue = typename FieldValueOf<T>::type;

  // The input's present keys in a small hash table. A model looks up every key it knows, many of
  // them absent, so a lookup must cost little more than one comparison: a key's slot is found from
  // its length and two of its bytes, and an empty slot answers "absent" at once. An input with more
  // keys than the table holds is searched in its tree.
  struct Entry {
    const char* key;
    std::size_t size;
    const Dictionary* value;
  };
  static constexpr std::size_t kIndexCapacity = 32;
  static constexpr unsigned kSlotBits = 6;  // twice the capacity, so probe runs stay short
  static constexpr unsigned kSlotMask = (1u << kSlotBits) - 1;

  static unsigned slotOf(std::string_view key) {
    if (key.empty()) return 0;
    const std::uint32_t bytes = static_cast<std::uint32_t>(key.size()) |
                                static_cast<std::uint32_t>(static_cast<unsigned char>(key.back())) << 8 |
                                static_cast<std::uint32_t>(static_cast<unsigned char>(key[key.size() / 2]))
                                    << 16;
    return (bytes * 0x9E3779B1u) >> (32 - kSlotBits);
  }
  bool isOccupied(unsigned slot) const { return (occupied_ >> slot) & 1u; }

  void indexInput();
  const Dictionary* valueFor(std::string_view key) const {
    if (!isReading()) return nullptr;
    return indexed_ ? indexedValueFor(key) : searchedValueFor(key);
  }
  const Dictionary* indexedValueFor(std::string_view key) const {
    for (unsigned slot = slotOf(key); isOccupied(slot); slot = (slot + 1) & kSlotMask) {
      const Entry& entry = index_[slots_[slot]];
      if (entry.size == key.size() && std::memcmp(entry.key, key.data(), key.size()) == 0) return entry.value;
    }
    return nullptr;
  }
  const Dictionary* searchedValueFor(std::string_view key) const;
  void write(std::string_view key, Dictionary value);

  template <class T>
  [[gnu::noinline]] void readField(const Dictionary& value, T& field) {
    if (taken_) {
      // The index points into the input, which a taking map was given to change.
      assignRead(field, takeJSON<FieldValue<T>>(const_cast<Dictionary&>(value)));
    } else {
      assignRead(field, JSONValue<FieldValue<T>>::fromJSON(value));
    }
  }
  template <class T>
  [[gnu::noinline]] void writeField(std::string_view key, const T& field) {
    if (isPresentForJSON(field)) write(key, writtenValue(field));
  }

  template <class T, class Value>
  static void assignRead(T& field, std::optional<Value> converted) {
    if (converted) field = std::move(*converted);
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
  Dictionary* taken_ = nullptr;  // the input again, when the map may take from it
  Dictionary output_;
  Entry index_[kIndexCapacity];        // the first indexCount_ are set
  std::uint8_t slots_[kSlotMask + 1];  // a slot's entry in index_, where occupied_ has its bit
  std::uint64_t occupied_ = 0;
  std::uint8_t indexCount_ = 0;
  bool indexed_ = false;
};

}  // namespace ios
