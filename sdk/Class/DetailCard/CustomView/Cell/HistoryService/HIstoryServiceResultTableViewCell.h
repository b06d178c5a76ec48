#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class AccountEntryDtos;

// One entry of the usage history: its time, its amount (red for a use, green for a refund) and the
// balance after it, all as the server wrote them. Every assignment of an entry fills the row again;
// none leaves it as it is.
class HIstoryServiceResultTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "HIstoryServiceResultTableViewCell";

  static std::shared_ptr<HIstoryServiceResultTableViewCell> create();
  HIstoryServiceResultTableViewCell();

  std::weak_ptr<ios::UIView> dateView;
  std::weak_ptr<ios::UIView> Value1View;
  std::weak_ptr<ios::UIView> Value2View;
  std::weak_ptr<ios::UILabel> dateLabel;
  std::weak_ptr<ios::UILabel> value1Label;
  std::weak_ptr<ios::UILabel> value2Label;

  const std::shared_ptr<AccountEntryDtos>& accountEntryDtos() const { return accountEntryDtos_; }
  void setAccountEntryDtos(std::shared_ptr<AccountEntryDtos> entry);

 private:
  std::shared_ptr<AccountEntryDtos> accountEntryDtos_;
};

}  // namespace kerbelin
