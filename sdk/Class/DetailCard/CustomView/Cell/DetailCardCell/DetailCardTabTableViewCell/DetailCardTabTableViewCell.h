#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UITableViewCell.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <string>

namespace kerbelin {

// What the card detail learns of the tab row: a tab was tapped (also the one already selected).
class DetailCardTabTableViewCellDelegate {
 public:
  virtual ~DetailCardTabTableViewCellDelegate() = default;
  virtual void tabAction(TypeDetailCardTabAction type) = 0;
};

// The header of the service section of a card for sale or awaiting payment: two tabs, the selected
// one filled orange with white text. A tap tells the delegate first and restyles the row second.
class DetailCardTabTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardTabTableViewCell";

  static std::shared_ptr<DetailCardTabTableViewCell> create();
  DetailCardTabTableViewCell();

  // Rounds and shadows `containerView` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UIButton> infoButton;
  std::weak_ptr<ios::UIButton> ruleButton;
  std::weak_ptr<ios::UIView> containerView;
  // Held weakly: the screen owns the table that owns this header.
  std::weak_ptr<DetailCardTabTableViewCellDelegate> delegate;
  // The tab the screen last gave the row; nothing in the row reads it.
  TypeDetailCardTabAction typeTab = TypeDetailCardTabAction::InfoButton;

  void infoButtonClicked();
  void ruleButtonClicked();
  // Colours both buttons for `type` selected ("#FF5722" and white; white and "#333333").
  void changeBackground(TypeDetailCardTabAction type);

 private:
  void tapped(TypeDetailCardTabAction type);
};

}  // namespace kerbelin
