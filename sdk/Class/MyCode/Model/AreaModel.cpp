#include <Class/MyCode/Model/AreaModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<AreaModel> AreaModel::create() {
  return std::make_shared<AreaModel>();
}

void AreaModel::mapping(ios::Map& map) {
  map("id", id);
  map("areaType", areaType);
  map("areaCode", areaCode);
  map("province", province);
  map("district", district);
  map("precinct", precinct);
  map("fullName", fullName);
}

}  // namespace kerbelin
