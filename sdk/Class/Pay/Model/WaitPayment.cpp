#include <Class/Pay/Model/WaitPayment.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<WaitPayment> WaitPayment::create() {
  return std::make_shared<WaitPayment>();
}

void WaitPayment::mapping(ios::Map& map) {
  map("cost", cost);
  map("orderNo", orderNo);
  map("amount", amount);
  map("paymentGuide", paymentGuide);
  map("providerIds", providerIds);
  map("expirationDate", expirationDate);
  map("expirationTime", expirationTime);
}

}  // namespace kerbelin
