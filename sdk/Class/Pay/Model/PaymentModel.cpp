#include <Class/Pay/Model/PaymentModel.h>

#include <Class/MyCode/Model/ProvideInforModel.h>
#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<PaymentModel> PaymentModel::create() {
  return std::make_shared<PaymentModel>();
}

void PaymentModel::mapping(ios::Map& map) {
  map("cost", cost);
  map("customerName", customerName);
  map("customerMobilePhone", customerMobilePhone);
  map("defCardName", defCardName);
  map("cardNo", cardNo);
  map("amount", amount);
  map("amountVnd", amountVnd);
  map("orderNo", orderNo);
  map("usageTerms", usageTerms);
  map("providerDTOs", providerDTOs);
}

}  // namespace kerbelin
