#pragma once

#include <ObjectMapper/Mappable.h>

#include <memory>
#include <string>

namespace kerbelin {

// One unit of a service for sale.
class DefServiceUnitDtos : public ios::Mappable {
 public:
  static std::shared_ptr<DefServiceUnitDtos> create();
  void mapping(ios::Map& map) override;

  std::string displayLimitUnit;  // the unit's limit as display text
};

}  // namespace kerbelin
