#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <string>

namespace kerbelin {

class AccountEntryDtos;
class HistoryModel;

// One entry of a service's usage history in detail: whether it was a use or a refund, the provider,
// the amount as sent and without its signs, the time, the transaction number and the balance after
// it. Everything comes from the entry the history screen hands over, read once when the view loads.
class HistoryServiceSearchDetailViewController : public ios::UIViewController {
 public:
  // The plain initialiser: the view comes from the nib named after the class.
  static std::shared_ptr<HistoryServiceSearchDetailViewController> create();
  HistoryServiceSearchDetailViewController();

  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UILabel> nameLabel;
  std::weak_ptr<ios::UILabel> priceLabel;
  std::weak_ptr<ios::UILabel> dateLabel;
  std::weak_ptr<ios::UILabel> value1Label;
  std::weak_ptr<ios::UILabel> value2Label;
  std::weak_ptr<ios::UILabel> value3Label;
  // Inputs, set before the view loads. The history reply is kept for the screen's life; nothing
  // shown comes from it.
  std::shared_ptr<AccountEntryDtos> accountEntryDtos;
  std::shared_ptr<HistoryModel> historyModel;

  void viewDidLoad() override;
  void loadData();
  // `text` without any plus sign or hyphen-minus that stands as a character of its own.
  static std::string removeSpecialCharsFromString(const std::string& text);
  void backButtonClicked(const std::shared_ptr<ios::NSObject>& sender);
};

}  // namespace kerbelin
