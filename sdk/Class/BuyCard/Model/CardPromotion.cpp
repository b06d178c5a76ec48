#include <Class/BuyCard/Model/CardPromotion.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<CardPromotion> CardPromotion::create() {
  return ios::makeRecycled<CardPromotion>();
}

void CardPromotion::mapping(ios::Map& map) {
  CardInfoType::mapping(map);
  map("urlIcon", urlIcon);
  map("description", description);
  map("attribute", attribute);
  if (!map.isReading()) return;
  type = TypeInfoCard::Promotion;
}

}  // namespace kerbelin
