#pragma once

#include <ObjectMapper/Mappable.h>

#include <memory>
#include <string>

namespace kerbelin {

// A provider's record.
class ProvideInforModel : public ios::Mappable {
 public:
  static std::shared_ptr<ProvideInforModel> create();
  void mapping(ios::Map& map) override;

  std::string name;
  std::string logo;   // URL text
  std::string image;  // URL text of the cover
  std::string email;
  std::string website;
  std::string facebook;
  std::string introduction;  // HTML
  std::string headquarterAddress;
  std::string headquarterPhone;
};

}  // namespace kerbelin
