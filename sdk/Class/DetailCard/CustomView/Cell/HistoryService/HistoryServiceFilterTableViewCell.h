#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UIStackView.h>
#include <UIKit/UITableViewCell.h>
#include <UIKit/UITextField.h>

#include <memory>
#include <string>

namespace kerbelin {

// The two button events of the usage history's filter row.
class HistoryServiceFilterTableViewCellDelegate {
 public:
  virtual ~HistoryServiceFilterTableViewCellDelegate() = default;
  // The period button: open the period picker.
  virtual void transactionAction() = 0;
  // The search button: send the history request.
  virtual void searchAction() = 0;
};

// The usage history's filter row: the period button, the date area with the start and end fields
// (shown only for a date range) and the search button. The row holds no filter and decides nothing:
// the history screen fills it at every build and handles its two buttons. The three areas sit in a
// vertical stack, so a hidden date area takes no room.
class HistoryServiceFilterTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "HistoryServiceFilterTableViewCell";

  static std::shared_ptr<HistoryServiceFilterTableViewCell> create();
  HistoryServiceFilterTableViewCell();

  void awakeFromNib() override;

  std::weak_ptr<ios::UIView> transactionView;
  std::weak_ptr<ios::UIView> dateView;
  std::weak_ptr<ios::UIView> buttonView;
  std::weak_ptr<ios::UIButton> transactionButton;
  std::weak_ptr<ios::UITextField> fromTextField;
  std::weak_ptr<ios::UITextField> toTextField;
  std::weak_ptr<ios::UIStackView> stackView;
  // Held weakly: the history screen owns the table that owns this row.
  std::weak_ptr<HistoryServiceFilterTableViewCellDelegate> delegate;

  void searchButtonClicked(const std::shared_ptr<ios::NSObject>& sender);
  void transactionButtonClicked(const std::shared_ptr<ios::NSObject>& sender);
};

}  // namespace kerbelin
