#pragma once

#include <ObjectMapper/Mappable.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class OwnAccountDtosModel;
class AccountEntryDtos;

// The usage history of one service. The last three fields are never read from the server: they
// hold the history screen's filter, shared with the cells that show it.
class HistoryModel : public ios::Mappable {
 public:
  static std::shared_ptr<HistoryModel> create();
  void mapping(ios::Map& map) override;

  std::string serviceName;
  std::string status;
  TypeDetailCard type = TypeDetailCard::UnPaid;  // not from JSON: derived from `status` when mapped
  std::string expirationDate;
  std::optional<std::string> usageDescription;
  UnitType unitType = UnitType::Day;  // kept when missing or unknown
  std::vector<std::shared_ptr<OwnAccountDtosModel>> ownAccountDtos;
  std::vector<std::shared_ptr<AccountEntryDtos>> accountEntryDtos;  // in the reply's order
  SearchType searchType = SearchType::Tran5;                        // not from JSON
  std::string fromDateFilter;                                       // not from JSON
  std::string toDateFilter;                                         // not from JSON
};

}  // namespace kerbelin
