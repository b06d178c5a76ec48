#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The usage history's title row: the service's name, written by the screen.
class HistoryTitleTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "HistoryTitleTableViewCell";

  static std::shared_ptr<HistoryTitleTableViewCell> create();
  HistoryTitleTableViewCell();

  std::weak_ptr<ios::UILabel> titleLabel;
};

}  // namespace kerbelin
