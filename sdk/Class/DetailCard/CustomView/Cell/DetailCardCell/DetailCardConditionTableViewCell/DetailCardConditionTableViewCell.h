#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardModel;

// The first row of an owned card that is paid or expired: card number, transaction code, payment
// time and a badge saying whether the card is still valid. Other states leave the badge alone;
// setting none changes nothing.
class DetailCardConditionTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardConditionTableViewCell";
  static constexpr char validText[] = "   Còn hiệu lực   ";
  static constexpr char expiredText[] = "   Hết hiệu lực   ";

  static std::shared_ptr<DetailCardConditionTableViewCell> create();
  DetailCardConditionTableViewCell();

  // Rounds and shadows `containerView` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UILabel> cardNumberLabel;
  std::weak_ptr<ios::UILabel> conditionLabel;
  std::weak_ptr<ios::UILabel> codeLabel;
  std::weak_ptr<ios::UILabel> datePaidLabel;
  std::weak_ptr<ios::UIView> containerView;

  const std::shared_ptr<CardModel>& cardModel() const { return cardModel_; }
  void setCardModel(std::shared_ptr<CardModel> card);

 private:
  std::shared_ptr<CardModel> cardModel_;
};

}  // namespace kerbelin
