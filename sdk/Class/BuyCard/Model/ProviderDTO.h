#pragma once

#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// A card's provider, as a card refers to it.
class ProviderDTO : public ios::Mappable {
 public:
  static std::shared_ptr<ProviderDTO> create();
  void mapping(ios::Map& map) override;

  std::optional<std::int64_t> id;
  std::string logo;  // URL text of the logo
};

}  // namespace kerbelin
