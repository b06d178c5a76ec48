#include <ObjectMapper/Map.h>

namespace ios {

Map::Map(const Dictionary& json) : type_(MappingType::fromJSON), input_(&json) {}

Map::Map() : type_(MappingType::toJSON), output_(Dictionary::object()) {}

const Dictionary& Map::JSON() const {
  return isReading() ? *input_ : output_;
}

const Dictionary* Map::valueFor(std::string_view key) const {
  if (!isReading() || !input_->is_object()) return nullptr;
  const auto found = input_->find(key);
  if (found == input_->end() || found->is_null()) return nullptr;
  return &*found;
}

void Map::write(std::string_view key, Dictionary value) {
  output_[std::string(key)] = std::move(value);
}

}  // namespace ios
