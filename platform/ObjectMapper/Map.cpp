#include <ObjectMapper/Map.h>

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
    if (value.is_null()) continue;
    unsigned slot = slotOf(key);
    while (isOccupied(slot)) slot = (slot + 1) & kSlotMask;
    occupied_ |= std::uint64_t{1} << slot;
    slots_[slot] = indexCount_;
    index_[indexCount_++] = {key.data(), key.size(), &value};
  }
}

const Dictionary* Map::searchedValueFor(std::string_view key) const {
  if (!input_->is_object()) return nullptr;
  const auto found = input_->find(key);
  return found == input_->end() || found->is_null() ? nullptr : &*found;
}

void Map::write(std::string_view key, Dictionary value) {
  output_[std::string(key)] = std::move(value);
}

}  // namespace ios
