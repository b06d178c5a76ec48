#include <ObjectMapper/Map.h>

#include <cstring>

namespace ios {

Map::Map(const Dictionary& json) : type_(MappingType::fromJSON), input_(&json) {
  indexInput();
}

Map::Map() : type_(MappingType::toJSON), output_(Dictionary::object()) {}

Map Map::taking(Dictionary& json) {
  Map map(json);
  map.taken_ = &json;
  return map;
}

const Dictionary& Map::JSON() const {
  return isReading() ? *input_ : output_;
}

void Map::indexInput() {
  if (!input_->is_object() || input_->size() > kIndexCapacity) return;
  indexed_ = true;
  for (const auto& [key, value] : input_->get_ref<const Dictionary::object_t&>()) {
    if (!value.is_null()) index_[indexCount_++] = {key.data(), key.size(), &value};
  }
}

const Dictionary* Map::valueFor(std::string_view key) const {
  if (!isReading()) return nullptr;
  return indexed_ ? indexedValueFor(key) : searchedValueFor(key);
}

const Dictionary* Map::indexedValueFor(std::string_view key) const {
  for (std::size_t i = 0; i < indexCount_; ++i) {
    const Entry& entry = index_[i];
    if (entry.size == key.size() && std::memcmp(entry.key, key.data(), key.size()) == 0) return entry.value;
  }
  return nullptr;
}

const Dictionary* Map::searchedValueFor(std::string_view key) const {
  if (!input_->is_object()) return nullptr;
  const auto found = input_->find(key);
  return found == input_->end() || found->is_null() ? nullptr : &*found;
}

// The index points into the input, which a taking map was given to change.
Dictionary* Map::takenValueFor(std::string_view key) {
  return taken_ ? const_cast<Dictionary*>(valueFor(key)) : nullptr;
}

void Map::write(std::string_view key, Dictionary value) {
  output_[std::string(key)] = std::move(value);
}

}  // namespace ios
