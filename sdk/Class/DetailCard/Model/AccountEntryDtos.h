#pragma once

#include <ObjectMapper/Mappable.h>
#include <Ultilities/Enums/Enums.h>

#include <cstdint>
#include <memory>
#include <string>

namespace kerbelin {

// One entry of a service's usage history.
class AccountEntryDtos : public ios::Mappable {
 public:
  static std::shared_ptr<AccountEntryDtos> create();
  void mapping(ios::Map& map) override;

  std::int64_t id = 0;
  std::int64_t transactionId = 0;
  std::string amountUnit;
  std::string availableAfterUnit;
  std::string providerName;
  std::string entryTime;
  std::string entryTimeDetail;
  TranType transType = TranType::Payment;  // kept when the code is unknown
};

}  // namespace kerbelin
