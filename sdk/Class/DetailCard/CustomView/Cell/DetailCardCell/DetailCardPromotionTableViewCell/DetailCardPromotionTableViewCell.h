#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// What the card detail learns of the promotion header: the gift-tutorial button was tapped.
class DetailCardPromotionTableViewCellDelegate {
 public:
  virtual ~DetailCardPromotionTableViewCellDelegate() = default;
  virtual void tutorialAction() = 0;
};

// The header of a card's promotions, with a button (`tutorialLabel`, a button despite its name)
// that asks for the gift tutorial.
class DetailCardPromotionTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardPromotionTableViewCell";

  static std::shared_ptr<DetailCardPromotionTableViewCell> create();
  DetailCardPromotionTableViewCell();

  // Rounds and shadows `viewContent` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UIView> viewContent;
  std::weak_ptr<ios::UIButton> tutorialLabel;
  // Held weakly: the screen owns the table that owns this header.
  std::weak_ptr<DetailCardPromotionTableViewCellDelegate> delegate;

  void tutorialButtonClicked();
};

}  // namespace kerbelin
