#pragma once

#include <ObjectMapper/Mappable.h>

#include <memory>
#include <string>

namespace kerbelin {

// A branch's position.
class LocationModel : public ios::Mappable {
 public:
  static std::shared_ptr<LocationModel> create();
  void mapping(ios::Map& map) override;

  std::string latitude;
  std::string longitude;
};

}  // namespace kerbelin
