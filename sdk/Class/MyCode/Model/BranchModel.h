#pragma once

#include <Class/BuyCard/Model/BaseModel.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class LocationModel;

// A provider's branch.
class BranchModel : public BaseModel {
 public:
  static std::shared_ptr<BranchModel> create();
  void mapping(ios::Map& map) override;

  std::string fullAddress;
  std::string businessHourDisplay;
  std::string phone;
  std::string openStatus;  // "1" means open now
  std::shared_ptr<LocationModel> location;
  std::optional<double> distance;
};

}  // namespace kerbelin
