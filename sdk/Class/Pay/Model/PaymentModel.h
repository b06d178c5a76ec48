#pragma once

#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class ProvideInforModel;

// The order that the bill request creates.
class PaymentModel : public ios::Mappable {
 public:
  static std::shared_ptr<PaymentModel> create();
  void mapping(ios::Map& map) override;

  std::optional<std::int64_t> cost;
  std::optional<std::string> customerName;
  std::optional<std::string> customerMobilePhone;
  std::optional<std::string> defCardName;
  std::optional<std::string> cardNo;
  std::optional<std::int64_t> amount;  // a number only: text does not read
  std::optional<std::string> amountVnd;
  std::optional<std::string> orderNo;
  std::optional<std::string> usageTerms;  // HTML
  std::optional<std::vector<std::shared_ptr<ProvideInforModel>>> providerDTOs;
};

}  // namespace kerbelin
