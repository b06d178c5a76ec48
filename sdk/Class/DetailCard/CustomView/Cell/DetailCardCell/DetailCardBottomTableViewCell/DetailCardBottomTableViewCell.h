#pragma once

#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The rounded strip that closes the promotion section, used as its footer.
class DetailCardBottomTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardBottomTableViewCell";

  static std::shared_ptr<DetailCardBottomTableViewCell> create();
  DetailCardBottomTableViewCell();

  // Rounds and shadows `viewContent` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UIView> viewContent;
};

}  // namespace kerbelin
