#pragma once

#include <ObjectMapper/Mappable.h>

#include <memory>
#include <string>

namespace kerbelin {

// A card's style.
class StyleDtoModel : public ios::Mappable {
 public:
  static std::shared_ptr<StyleDtoModel> create();
  void mapping(ios::Map& map) override;

  std::string rgb;  // the card's colour as hex text for UIColor(rgba:)
};

}  // namespace kerbelin
