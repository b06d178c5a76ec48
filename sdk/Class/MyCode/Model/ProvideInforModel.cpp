#include <Class/MyCode/Model/ProvideInforModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<ProvideInforModel> ProvideInforModel::create() {
  return std::make_shared<ProvideInforModel>();
}

void ProvideInforModel::mapping(ios::Map& map) {
  map("name", name);
  map("logo", logo);
  map("image", image);
  map("email", email);
  map("website", website);
  map("facebook", facebook);
  map("introduction", introduction);
  map("headquarterAddress", headquarterAddress);
  map("headquarterPhone", headquarterPhone);
}

}  // namespace kerbelin
