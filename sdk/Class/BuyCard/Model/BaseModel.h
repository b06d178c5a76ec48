#pragma once

#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// The priced item: a card for sale or owned, or a branch. Prices come as display texts made by the
// server ("150.000 đ") and as numbers for comparisons.
class BaseModel : public ios::Mappable {
 public:
  static std::shared_ptr<BaseModel> create();
  void mapping(ios::Map& map) override;

  std::optional<std::int64_t> id;  // the item's identity
  std::string code;                // the product code of a card for sale
  std::string name;
  std::string image;          // URL text of the cover picture
  std::string description;    // the server's text; hides NSObject::description() on this class
  std::string usageTerms;     // HTML
  std::string cardNo;         // an owned card's number
  std::string price = "0 đ";  // what the customer pays, for display
  double priceNumber = 0;
  std::string listedPrice = "0 đ";  // the listed price, for display
  double listedPriceNumber = 0;
  std::string discountValue = "0 đ";  // the sale badge text
  double discountValueNumber = 0;     // 0 hides the sale badge
  std::string discount;               // the badge text of a card awaiting payment
};

}  // namespace kerbelin
