#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardModel;

// What the card detail learns of the root-service row: its detail button was tapped.
class DetailCardInfomationTableViewCellDelegate {
 public:
  virtual ~DetailCardInfomationTableViewCellDelegate() = default;
  virtual void detailCardInfomationAction() = 0;
};

// A card's root service as three title and value pairs (limit, units, expiry), with a QR button that
// presents the card's time-limited code from `rootViewController` and a detail button told to
// `delegate`. The card detail fills it from the card; the my-code screen sets the card and then
// writes the three value labels itself.
//
// Setting a card fills the row by the card's state:
//   UnPaid (for sale): first box and QR button hidden, titles "Hạn mức thẻ" and "Hạn sử dụng",
//     values as rich text (the usage description, else the first unit; the expiry, semibold).
//   Paid, Expire (owned): the description (read from HTML) or the first account's granted units,
//     the units left and the expiration date; nothing without a root service.
//   WaitPay: QR button hidden, then as owned but with the expiry date.
// Setting none changes nothing, and a fill never shows again what an earlier fill hid.
class DetailCardInfomationTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardInfomationTableViewCell";

  static std::shared_ptr<DetailCardInfomationTableViewCell> create();
  DetailCardInfomationTableViewCell();

  // Rounds and shadows `viewContent` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UIView> view1;
  std::weak_ptr<ios::UIView> view2;
  std::weak_ptr<ios::UIView> view3;
  std::weak_ptr<ios::UILabel> titleLabel1;
  std::weak_ptr<ios::UILabel> titleLabel2;
  std::weak_ptr<ios::UILabel> tileLabel3;
  std::weak_ptr<ios::UILabel> valueLabel1;
  std::weak_ptr<ios::UILabel> valueLabel2;
  std::weak_ptr<ios::UILabel> valueLabel3;
  std::weak_ptr<ios::UIButton> qrButton;
  std::weak_ptr<ios::UIView> viewContent;
  // Held weakly: the screen owns the table that owns this row.
  std::weak_ptr<ios::UIViewController> rootViewController;
  std::weak_ptr<DetailCardInfomationTableViewCellDelegate> delegate;

  const std::shared_ptr<CardModel>& cardModel() const { return cardModel_; }
  void setCardModel(std::shared_ptr<CardModel> card);

  // Presents the card's QR sheet in token mode ("mobilePhone", "ownServiceCode", "cardNo").
  void qrButtonClicked();
  void detailButtonClicked();

 private:
  void fillForSale(const CardModel& card);
  void fillOwned(const CardModel& card, bool awaitingPayment);

  std::shared_ptr<CardModel> cardModel_;
};

}  // namespace kerbelin
