#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The name of the card being bought, first row of the order section; its bold font is the nib's.
class TitleCardTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "TitleCardTableViewCell";

  static std::shared_ptr<TitleCardTableViewCell> create();

  std::weak_ptr<ios::UILabel> titleLabel;
};

}  // namespace kerbelin
