#pragma once

#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <string>

namespace kerbelin {

// A province, district or ward.
class AreaModel : public ios::Mappable {
 public:
  static std::shared_ptr<AreaModel> create();
  void mapping(ios::Map& map) override;

  std::int64_t id = 0;
  std::string areaType;
  std::string areaCode;
  std::string province;
  std::string district;
  std::string precinct;  // the ward
  std::string fullName;
};

}  // namespace kerbelin
