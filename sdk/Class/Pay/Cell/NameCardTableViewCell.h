#pragma once

#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The provider of the order: logo (rounded by 8 points), name and head-office address. The screen
// fills the outlets.
class NameCardTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "NameCardTableViewCell";
  static constexpr ios::CGFloat logoCornerRadius = 8;

  static std::shared_ptr<NameCardTableViewCell> create();

  void awakeFromNib() override;

  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UILabel> desLabel;
  std::weak_ptr<ios::UIImageView> logoImage;
};

}  // namespace kerbelin
