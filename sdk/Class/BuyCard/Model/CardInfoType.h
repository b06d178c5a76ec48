#pragma once

#include <ObjectMapper/Mappable.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>

namespace kerbelin {

// A row of a card in the store and detail lists. Its kind is set by whoever builds the rows; the
// mapping reads no key.
class CardInfoType : public ios::Mappable {
 public:
  static std::shared_ptr<CardInfoType> create();
  void mapping(ios::Map& map) override;

  TypeInfoCard type = TypeInfoCard::Cover;  // not from JSON
};

}  // namespace kerbelin
