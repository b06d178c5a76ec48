#pragma once

#include <Class/BuyCard/CustomCell/BaseTableCell.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardModel;

// The second row of a card: name, product code, price and, when the two price numbers differ, the
// listed price struck through in light grey.
class CardInfoTableViewCell : public BaseTableCell {
 public:
  static constexpr char identifier[] = "CardInfoTableViewCell";
  static constexpr char codePrefix[] = "Mã sản phẩm: ";

  static std::shared_ptr<CardInfoTableViewCell> create();
  CardInfoTableViewCell();

  std::weak_ptr<ios::UIView> viewShadow;
  std::weak_ptr<ios::UILabel> lbNameCard;
  std::weak_ptr<ios::UILabel> lbCode;
  std::weak_ptr<ios::UILabel> lbCurrentPrice;
  std::weak_ptr<ios::UILabel> lbOldPrice;
  std::weak_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::UIView> viewMain;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottomMain;

  const std::shared_ptr<CardModel>& cardModel() const { return cardModel_; }
  // Every assignment renders the card again, also the same card; none changes nothing on screen.
  void setCardModel(std::shared_ptr<CardModel> card);

 private:
  void render(const CardModel& card);

  std::shared_ptr<CardModel> cardModel_;
};

}  // namespace kerbelin
