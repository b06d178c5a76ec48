#include <Class/BuyCard/Model/BuyCardCategory.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<BuyCardCategory> BuyCardCategory::create() {
  return std::make_shared<BuyCardCategory>();
}

void BuyCardCategory::mapping(ios::Map& map) {
  map("id", id);
  map("status", status);
  map("objectType", objectType);
  map("code", code);
  map("orderNo", orderNo);
  map("name", name);
  map("icon", icon);
}

}  // namespace kerbelin
