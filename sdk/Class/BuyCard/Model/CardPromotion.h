#pragma once

#include <Class/BuyCard/Model/CardInfoType.h>

#include <memory>
#include <string>

namespace kerbelin {

// A promotion of a card, always a Promotion row once mapped.
class CardPromotion : public CardInfoType {
 public:
  static std::shared_ptr<CardPromotion> create();
  void mapping(ios::Map& map) override;

  std::string urlIcon;      // URL text of the icon
  std::string description;  // an HTML fragment
  std::string attribute;
};

}  // namespace kerbelin
