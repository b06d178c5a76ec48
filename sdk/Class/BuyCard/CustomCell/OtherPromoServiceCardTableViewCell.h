#pragma once

#include <Class/BuyCard/CustomCell/BaseTableCell.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>

#include <cstddef>
#include <memory>
#include <string>

namespace kerbelin {

// The row that closes a card with more promotions than the store shows: "+N khuyến mại khác".
class OtherPromoServiceCardTableViewCell : public BaseTableCell {
 public:
  static constexpr char identifier[] = "OtherPromoServiceCardTableViewCell";
  // How many promotion rows the store shows before this row.
  static constexpr std::size_t shownPromotions = 4;

  static std::shared_ptr<OtherPromoServiceCardTableViewCell> create();
  OtherPromoServiceCardTableViewCell();

  std::weak_ptr<ios::UIView> viewMain;
  std::weak_ptr<ios::UILabel> lbPromotion;
  std::weak_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::UIView> viewShadow;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottomMain;

  // "+", the count of promotions beyond the shown ones, " khuyến mại khác".
  static std::string countingText(std::size_t promotionCount);
};

}  // namespace kerbelin
