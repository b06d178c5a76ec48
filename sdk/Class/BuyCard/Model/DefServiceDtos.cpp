#include <Class/BuyCard/Model/DefServiceDtos.h>

#include <Class/BuyCard/Model/ProviderDTO.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<DefServiceDtos> DefServiceDtos::create() {
  return ios::makeRecycled<DefServiceDtos>();
}

void DefServiceDtos::mapping(ios::Map& map) {
  CardModel::mapping(map);
  map("namDefService", namDefService);
  map("unitPrice", unitPrice);
  map("limitDetailDescription", limitDetailDescription);
  map("expiryDate", expiryDate);
  map("expirationDate", expirationDate);
  map("usageDesciption", usageDesciption);
  map("usageDescription", usageDescription);
  map("ownAccountDtos", ownAccountDtos);
  map("providerDto", providerDto);
}

}  // namespace kerbelin
