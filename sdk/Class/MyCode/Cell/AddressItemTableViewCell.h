#pragma once

#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// One row of the picker sheet: an entry's name, with a check mark when it is the current choice.
// The list fills both outlets on every use; the row keeps nothing of its own.
class AddressItemTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "AddressItemTableViewCell";

  static std::shared_ptr<AddressItemTableViewCell> create();
  AddressItemTableViewCell();

  std::weak_ptr<ios::UIImageView> imageIconCheck;
  std::weak_ptr<ios::UILabel> labelName;
};

}  // namespace kerbelin
