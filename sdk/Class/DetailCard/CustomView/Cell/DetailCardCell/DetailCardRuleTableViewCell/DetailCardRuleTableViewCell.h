#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The single row of the service section on the rules tab: the card's usage terms, read from HTML,
// on a rounded white card.
class DetailCardRuleTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardRuleTableViewCell";

  static std::shared_ptr<DetailCardRuleTableViewCell> create();
  DetailCardRuleTableViewCell();

  // Rounds and shadows `containerView` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UILabel> labelTitle;
  std::weak_ptr<ios::UIView> containerView;
};

}  // namespace kerbelin
