#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The column captions above the usage history's entries: time, amount (whose caption the screen
// sets by the service's unit) and balance. The screen hides its content while there are no entries.
class HistoryServiceTitleResultTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "HistoryServiceTitleResultTableViewCell";

  static std::shared_ptr<HistoryServiceTitleResultTableViewCell> create();
  HistoryServiceTitleResultTableViewCell();

  std::weak_ptr<ios::UIView> title1View;
  std::weak_ptr<ios::UIView> title2View;
  std::weak_ptr<ios::UIView> title3View;
  std::weak_ptr<ios::UILabel> title2Label;
};

}  // namespace kerbelin
