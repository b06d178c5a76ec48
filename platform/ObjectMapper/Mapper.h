#pragma once

// Making models from JSON (`init?(JSON:)` and `Mapper<T>().mapArray(...)` in the Swift world).
//
// T derives from Mappable and has a static `create()` that returns a model with its presets.
//
// Nesting is bounded: an object nested deeper than kMaxMappingDepth models does not map (it is
// treated like a value of another type), so a hostile reply cannot exhaust the stack. The same
// bound cuts off writing: a model beyond it is written as an empty object, which also ends a model
// graph that refers back to itself.

#include <Foundation/Dictionary.h>
#include <ObjectMapper/Map.h>
#include <ObjectMapper/Mappable.h>

#include <memory>
#include <optional>
#include <vector>

namespace ios {

inline constexpr int kMaxMappingDepth = 64;

// Counts the models being mapped or written on this thread. `entered()` is false when the bound
// is reached; the scope must then not map.
class MappingDepthScope {
 public:
  MappingDepthScope();
  ~MappingDepthScope();
  MappingDepthScope(const MappingDepthScope&) = delete;
  MappingDepthScope& operator=(const MappingDepthScope&) = delete;
  bool entered() const { return entered_; }

 private:
  bool entered_;
};

namespace mapping_detail {

inline Map readingMap(const Dictionary& json) {
  return Map(json);
}
inline Map readingMap(Dictionary& json) {
  return Map::taking(json);
}

template <class T, class JSON>
std::shared_ptr<T> mapObject(JSON& json) {
  if (!json.is_object()) return nullptr;
  MappingDepthScope depth;
  if (!depth.entered()) return nullptr;
  std::shared_ptr<T> object = T::create();
  Map map = readingMap(json);
  object->mapping(map);
  return object;
}

template <class T, class JSON>
std::optional<std::vector<std::shared_ptr<T>>> mapArrayIfAllObjects(JSON& json) {
  if (!json.is_array()) return std::nullopt;
  std::vector<std::shared_ptr<T>> result;
  result.reserve(json.size());
  for (auto& element : json) {
    auto object = mapping_detail::mapObject<T>(element);
    if (!object) return std::nullopt;
    result.push_back(std::move(object));
  }
  return result;
}

}  // namespace mapping_detail

// A new T mapped from `json`, or null when `json` is not an object. Every object maps: missing
// or unreadable keys only leave presets.
template <class T>
std::shared_ptr<T> mapObject(const Dictionary& json) {
  return mapping_detail::mapObject<T>(json);
}
// The same, for a document read once: its texts, objects and arrays move into the model instead
// of being copied (see Map::taking).
template <class T>
std::shared_ptr<T> mapObject(Dictionary&& json) {
  return mapping_detail::mapObject<T>(json);
}

// ObjectMapper's array mapping: the elements of a JSON array that map, in order; elements that
// are not objects are skipped. A value that is not an array gives an empty list.
template <class T>
std::vector<std::shared_ptr<T>> mapArray(const Dictionary& json) {
  return JSONValue<std::vector<std::shared_ptr<T>>>::fromJSON(json).value_or(
      std::vector<std::shared_ptr<T>>{});
}
template <class T>
std::vector<std::shared_ptr<T>> mapArray(Dictionary&& json) {
  return JSONValue<std::vector<std::shared_ptr<T>>>::take(json).value_or(std::vector<std::shared_ptr<T>>{});
}

// The reading `value as? [[String: Any]]` followed by a mapping of each element: none unless
// `json` is an array whose every element is an object, so one stray element loses the whole
// array. An empty array gives an empty list.
template <class T>
std::optional<std::vector<std::shared_ptr<T>>> mapArrayIfAllObjects(const Dictionary& json) {
  return mapping_detail::mapArrayIfAllObjects<T>(json);
}
template <class T>
std::optional<std::vector<std::shared_ptr<T>>> mapArrayIfAllObjects(Dictionary&& json) {
  return mapping_detail::mapArrayIfAllObjects<T>(json);
}

// The models as a JSON array (null entries are left out).
template <class T>
Dictionary toJSONArray(const std::vector<std::shared_ptr<T>>& models) {
  return JSONValue<std::vector<std::shared_ptr<T>>>::toJSON(models);
}

}  // namespace ios
