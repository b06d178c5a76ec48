#pragma once

#include <Class/BuyCard/Model/CardModel.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class OwnAccountDtosModel;
class ProviderDTO;

// A service of a card. It is read as a whole card first, so it has its own status, `type`, code,
// name and prices, then its own fields. `typeService` is never read from the server: it marks the
// row kind when the service stands for a row of the my-cards list.
class DefServiceDtos : public CardModel {
 public:
  static std::shared_ptr<DefServiceDtos> create();
  void mapping(ios::Map& map) override;

  TypeInfoCard typeService = TypeInfoCard::Cover;  // not from JSON: the row kind in the my-cards list
  std::string namDefService;                       // the service's name
  std::string unitPrice = "0 đ";
  std::string limitDetailDescription;
  std::string expiryDate;
  std::string expirationDate;
  std::optional<std::string> usageDesciption;                        // present-but-empty differs from absent
  std::optional<std::string> usageDescription;                       // a separate key from the one above
  std::vector<std::shared_ptr<OwnAccountDtosModel>> ownAccountDtos;  // the account balances
  std::shared_ptr<ProviderDTO> providerDto;
};

}  // namespace kerbelin
