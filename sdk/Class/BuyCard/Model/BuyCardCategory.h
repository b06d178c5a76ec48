#pragma once

#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// One category of the store's category bar.
class BuyCardCategory : public ios::Mappable {
 public:
  static std::shared_ptr<BuyCardCategory> create();
  void mapping(ios::Map& map) override;

  std::optional<std::int64_t> id;  // sent as "categoryId"
  std::string status;
  std::string objectType;
  std::string code;
  std::int64_t orderNo = 0;  // sort key, smallest first
  std::string name;          // the caption
  std::string icon;          // URL text of the icon
};

}  // namespace kerbelin
