#include <ObjectMapper/Mappable.h>
#include <ObjectMapper/Mapper.h>

namespace ios {

Dictionary Mappable::toJSON() const {
  MappingDepthScope depth;
  if (!depth.entered()) return Dictionary::object();
  Map map;
  // A writing map only reads the fields, so the model is not modified.
  const_cast<Mappable*>(this)->mapping(map);
  return map.JSON();
}

std::string Mappable::toJSONString() const {
  return toJSON().dump(-1, ' ', false, Dictionary::error_handler_t::replace);
}

}  // namespace ios
