#include <Class/BuyCard/Model/ProviderDTO.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<ProviderDTO> ProviderDTO::create() {
  return std::make_shared<ProviderDTO>();
}

void ProviderDTO::mapping(ios::Map& map) {
  map("id", id);
  map("logo", logo);
}

}  // namespace kerbelin
