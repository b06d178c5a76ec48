#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardModel;

// What the card detail learns of the awaiting-payment row: the payment-guide button was tapped.
class DetailCardConditionWaitPayTableViewCellDelegate {
 public:
  virtual ~DetailCardConditionWaitPayTableViewCellDelegate() = default;
  virtual void tutorialPayAction() = 0;
};

// The block of a card awaiting payment: its transaction code beside the nib's text, and a button
// that opens the payment guide. Setting none changes nothing.
class DetailCardConditionWaitPayTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardConditionWaitPayTableViewCell";

  static std::shared_ptr<DetailCardConditionWaitPayTableViewCell> create();
  DetailCardConditionWaitPayTableViewCell();

  // Rounds and shadows `containerView` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UILabel> codeLabel;
  std::weak_ptr<ios::UILabel> payLabel;
  std::weak_ptr<ios::UIView> containerView;
  // Held weakly: the screen owns the table that owns this row.
  std::weak_ptr<DetailCardConditionWaitPayTableViewCellDelegate> delegate;

  const std::shared_ptr<CardModel>& cardModel() const { return cardModel_; }
  void setCardModel(std::shared_ptr<CardModel> card);

  void tutorialPayButtonClicked();

 private:
  std::shared_ptr<CardModel> cardModel_;
};

}  // namespace kerbelin
