#include <Class/BuyCard/Model/CardInfoType.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<CardInfoType> CardInfoType::create() {
  return std::make_shared<CardInfoType>();
}

// A row's kind is decided by the code that builds the rows, never by the server.
void CardInfoType::mapping(ios::Map& /*map*/) {}

}  // namespace kerbelin
