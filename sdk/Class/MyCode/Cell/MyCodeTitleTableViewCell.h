#pragma once

#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The title above a card's list of owned services. Its text is the nib's; nothing is set on it.
class MyCodeTitleTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCodeTitleTableViewCell";

  static std::shared_ptr<MyCodeTitleTableViewCell> create();
  MyCodeTitleTableViewCell();

  // Rounds and shadows `viewContent` (corner radius 6).
  void awakeFromNib() override;

  std::weak_ptr<ios::UIView> viewContent;
};

}  // namespace kerbelin
