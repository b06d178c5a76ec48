#include <Class/BuyCard/Model/StyleDtoModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<StyleDtoModel> StyleDtoModel::create() {
  return ios::makeRecycled<StyleDtoModel>();
}

void StyleDtoModel::mapping(ios::Map& map) {
  map("rgb", rgb);
}

}  // namespace kerbelin
