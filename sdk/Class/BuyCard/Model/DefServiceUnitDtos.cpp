#include <Class/BuyCard/Model/DefServiceUnitDtos.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<DefServiceUnitDtos> DefServiceUnitDtos::create() {
  return std::make_shared<DefServiceUnitDtos>();
}

void DefServiceUnitDtos::mapping(ios::Map& map) {
  map("displayLimitUnit", displayLimitUnit);
}

}  // namespace kerbelin
