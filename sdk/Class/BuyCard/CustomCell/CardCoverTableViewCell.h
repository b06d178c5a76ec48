#pragma once

#include <Class/BuyCard/CustomCell/BaseTableCell.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardModel;

// The first row of a card in the store: cover picture, provider logo and a tilted discount badge.
// Its provider button opens the provider's page on `rootViewController`'s navigation controller.
class CardCoverTableViewCell : public BaseTableCell {
 public:
  static constexpr char identifier[] = "CardCoverTableViewCell";
  // The badge's text part is turned by -pi/20 (-9 degrees).
  static constexpr double discountAngle = -3.14159265358979323846 / 20;

  static std::shared_ptr<CardCoverTableViewCell> create();
  CardCoverTableViewCell();

  void awakeFromNib() override;

  std::weak_ptr<ios::UIView> viewShadow;
  std::weak_ptr<ios::UIImageView> imgCover;
  std::weak_ptr<ios::UIImageView> imgAvatar;
  std::weak_ptr<ios::UIView> viewDiscount;
  std::weak_ptr<ios::UIView> viewTextDiscount;
  std::weak_ptr<ios::UILabel> lbDiscountPrice;
  std::weak_ptr<ios::UIView> viewRadius;
  // Held weakly: the screen owns the table that owns this row.
  std::weak_ptr<ios::UIViewController> rootViewController;
  std::string providerId;

  // Shows `card` for `screen`. The provider id and the avatar are cleared first, so a reused row
  // never shows or opens the provider of the card it showed before.
  void fill(const CardModel& card, const std::shared_ptr<ios::UIViewController>& screen);

  // The provider button's action: opens the provider page with `providerId` (empty text included).
  void didGoProvider(const std::shared_ptr<ios::UIButton>& sender);
};

}  // namespace kerbelin
