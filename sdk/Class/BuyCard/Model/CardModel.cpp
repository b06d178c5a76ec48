#include <Class/BuyCard/Model/CardModel.h>

#include <Class/BuyCard/Model/CardPromotion.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/DefServiceUnitDtos.h>
#include <Class/BuyCard/Model/ProviderDTO.h>
#include <Class/BuyCard/Model/StyleDtoModel.h>
#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<CardModel> CardModel::create() {
  return ios::makeRecycled<CardModel>();
}

void CardModel::mapping(ios::Map& map) {
  BaseModel::mapping(map);
  map("status", status);
  map("providerDtos", providerDtos);
  map("promotionDtos", promotionDtos);
  map("rootService", rootService);
  map("defServiceDtos", defServiceDtos);
  map("ownServiceDtos", ownServiceDtos);
  map("defServiceUnitDtos", defServiceUnitDtos);
  map("defCardCode", defCardCode);
  map("transactionCode", transactionCode);
  map("templatePromotion", templatePromotion);
  map("paymentTime", paymentTime);
  map("cardNoDisplay", cardNoDisplay);
  map("styleDto", styleDto);
  map("paymentExpirationDate", paymentExpirationDate);
  if (!map.isReading()) return;
  type = typeDetailCardFromStatus(status);
  for (const auto& service : ownServiceDtos) service->typeService = TypeInfoCard::Service;
}

}  // namespace kerbelin
