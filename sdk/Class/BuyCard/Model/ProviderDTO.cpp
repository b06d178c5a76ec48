#include <Class/BuyCard/Model/ProviderDTO.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<ProviderDTO> ProviderDTO::create() {
  return ios::makeRecycled<ProviderDTO>();
}

void ProviderDTO::mapping(ios::Map& map) {
  map("id", id);
  map("logo", logo);
}

}  // namespace kerbelin
