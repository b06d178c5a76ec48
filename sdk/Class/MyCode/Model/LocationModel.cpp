#include <Class/MyCode/Model/LocationModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<LocationModel> LocationModel::create() {
  return std::make_shared<LocationModel>();
}

void LocationModel::mapping(ios::Map& map) {
  map("latitude", latitude);
  map("longitude", longitude);
}

}  // namespace kerbelin
