#pragma once

#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

// The payment awaiting the customer.
class WaitPayment : public ios::Mappable {
 public:
  static std::shared_ptr<WaitPayment> create();
  void mapping(ios::Map& map) override;

  std::optional<std::int64_t> cost;
  std::optional<std::string> orderNo;
  std::optional<std::string> amount;        // text, unlike PaymentModel::amount
  std::optional<std::string> paymentGuide;  // HTML
  std::optional<std::vector<std::string>> providerIds;
  std::optional<std::string> expirationDate;
  std::optional<std::string> expirationTime;
};

}  // namespace kerbelin
