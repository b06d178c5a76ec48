#pragma once

#include <Class/BuyCard/Model/BaseModel.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class ProviderDTO;
class CardPromotion;
class DefServiceDtos;
class DefServiceUnitDtos;
class StyleDtoModel;

// A card for sale (def-card) or owned (own-card). Its screen state `type` is derived from the status
// letter at the end of every reading; the services of an owned card are marked as service rows.
class CardModel : public BaseModel {
 public:
  static std::shared_ptr<CardModel> create();
  void mapping(ios::Map& map) override;

  std::string status;                                      // the StatusCard letter of an owned card
  TypeDetailCard type = TypeDetailCard::UnPaid;            // not from JSON: derived from `status` when mapped
  std::vector<std::shared_ptr<ProviderDTO>> providerDtos;  // only the first entry is shown
  std::vector<std::shared_ptr<CardPromotion>> promotionDtos;
  std::shared_ptr<DefServiceDtos> rootService;                  // the card's main service
  std::vector<std::shared_ptr<DefServiceDtos>> defServiceDtos;  // the services a card for sale offers
  std::vector<std::shared_ptr<DefServiceDtos>> ownServiceDtos;  // the services of an owned card
  std::optional<std::vector<std::shared_ptr<DefServiceUnitDtos>>>
      defServiceUnitDtos;         // absent unless the reply holds the key
  std::string defCardCode;        // the card's code as an owned card
  std::string transactionCode;    // the order's transaction code
  std::string templatePromotion;  // the gift tutorial text
  std::string paymentTime;
  std::string cardNoDisplay;  // the card number as shown
  std::shared_ptr<StyleDtoModel> styleDto;
  std::string paymentExpirationDate;
};

}  // namespace kerbelin
