#pragma once

#include <ObjectMapper/Mappable.h>

#include <memory>
#include <string>

namespace kerbelin {

// One account balance of an owned service.
class OwnAccountDtosModel : public ios::Mappable {
 public:
  static std::shared_ptr<OwnAccountDtosModel> create();
  void mapping(ios::Map& map) override;

  std::string allocatedUnit;  // the limit granted, as display text
  std::string availableUnit;  // the limit left, as display text
};

}  // namespace kerbelin
