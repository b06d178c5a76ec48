#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardModel;

// What the card detail learns of its cover row: the QR button was tapped.
class DetailCardCoverTableViewCellDelegate {
 public:
  virtual ~DetailCardCoverTableViewCellDelegate() = default;
  virtual void qrCodeAction() = 0;
};

// The cover of a card for sale or awaiting payment: picture, name, product-code line, price, the
// listed price struck through and a discount badge tilted by -pi/20. Setting a card fills it; a card
// for sale hides the struck price when both prices are equal and the badge when there is no saving.
// Setting none changes nothing.
class DetailCardCoverTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardCoverTableViewCell";
  static constexpr double discountAngle = -3.14159265358979323846 / 20;

  static std::shared_ptr<DetailCardCoverTableViewCell> create();
  DetailCardCoverTableViewCell();

  std::weak_ptr<ios::UIImageView> coverImageView;
  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UILabel> codeLabel;
  std::weak_ptr<ios::UILabel> priceLabel1;
  std::weak_ptr<ios::UILabel> priceLabel2;
  std::weak_ptr<ios::UIButton> qrButton;
  std::weak_ptr<ios::UIView> discountView;
  std::weak_ptr<ios::UILabel> disCountLabel;
  std::weak_ptr<ios::UIImageView> disCountBg;
  // Held weakly: the screen owns the table that owns this row.
  std::weak_ptr<DetailCardCoverTableViewCellDelegate> delegate;

  const std::shared_ptr<CardModel>& cardModel() const { return cardModel_; }
  void setCardModel(std::shared_ptr<CardModel> card);

  void qrButtonClicked();

 private:
  std::shared_ptr<CardModel> cardModel_;
};

}  // namespace kerbelin
