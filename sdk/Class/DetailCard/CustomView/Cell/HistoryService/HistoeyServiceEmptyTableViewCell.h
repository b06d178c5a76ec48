#pragma once

#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The usage history's only entry row while there is nothing to list; its content is its nib's.
class HistoeyServiceEmptyTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "HistoeyServiceEmptyTableViewCell";

  static std::shared_ptr<HistoeyServiceEmptyTableViewCell> create();
  HistoeyServiceEmptyTableViewCell();
};

}  // namespace kerbelin
