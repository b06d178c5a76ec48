#include <Class/BuyCard/Model/BaseModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<BaseModel> BaseModel::create() {
  return std::make_shared<BaseModel>();
}

void BaseModel::mapping(ios::Map& map) {
  map("id", id);
  map("code", code);
  map("name", name);
  map("image", image);
  map("description", description);
  map("usageTerms", usageTerms);
  map("cardNo", cardNo);
  map("price", price);
  map("priceNumber", priceNumber);
  map("listedPrice", listedPrice);
  map("listedPriceNumber", listedPriceNumber);
  map("discountValue", discountValue);
  map("discountValueNumber", discountValueNumber);
  map("discount", discount);
}

}  // namespace kerbelin
