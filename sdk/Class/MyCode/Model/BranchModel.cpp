#include <Class/MyCode/Model/BranchModel.h>

#include <Class/MyCode/Model/LocationModel.h>
#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<BranchModel> BranchModel::create() {
  return std::make_shared<BranchModel>();
}

void BranchModel::mapping(ios::Map& map) {
  BaseModel::mapping(map);
  map("fullAddress", fullAddress);
  map("businessHourDisplay", businessHourDisplay);
  map("phone", phone);
  map("openStatus", openStatus);
  map("location", location);
  map("distance", distance);
}

}  // namespace kerbelin
