#pragma once

#include <Class/BuyCard/CustomCell/BaseTableCell.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <string>

namespace kerbelin {

// Told of each order the user picks on the sort row.
class BuyCardFilterTableViewCellDelegate {
 public:
  virtual ~BuyCardFilterTableViewCellDelegate() = default;
  virtual void selectFilter(FilterType filer) = 0;
};

// The sort row: three chips (newest, saving, price). Newest and saving are plain choices; the price
// chip flips between falling and rising on each tap. A tap reports to the delegate first, then draws
// the pick. The owner hands the row its own order with `updateFilter` on every draw.
class BuyCardFilterTableViewCell : public BaseTableCell {
 public:
  static constexpr char identifier[] = "BuyCardFilterTableViewCell";
  // The price chip's icons, looked up by name in the main bundle.
  static constexpr char iconNeutral[] = "Icon_sapxep";
  static constexpr char iconRising[] = "Icon_sapxep_giatang";
  static constexpr char iconFalling[] = "Icon_sapxep_giagiam";

  static std::shared_ptr<BuyCardFilterTableViewCell> create();
  BuyCardFilterTableViewCell();

  void awakeFromNib() override;

  // Held weakly: the store screen owns the table that owns this row.
  std::weak_ptr<BuyCardFilterTableViewCellDelegate> delegate;
  std::weak_ptr<ios::UIView> viewNewest;
  std::weak_ptr<ios::UIView> viewSavest;
  std::weak_ptr<ios::UILabel> lbSavest;
  std::weak_ptr<ios::UILabel> lbNewest;
  std::weak_ptr<ios::UIView> viewPrice;
  std::weak_ptr<ios::UILabel> lbPrice;
  std::weak_ptr<ios::UIButton> btnPrice;
  std::weak_ptr<ios::UIButton> btnSavest;
  std::weak_ptr<ios::UIButton> btnNewest;
  std::weak_ptr<ios::UIImageView> iconPrice;
  FilterType currentFilter = FilterType::Newest;

  // Draws all three chips as not picked.
  void resetView();
  // Records `filter` and draws it picked.
  void updateFilter(FilterType filter);

  void didNewest(const std::shared_ptr<ios::UIButton>& sender);
  void didSavest(const std::shared_ptr<ios::UIButton>& sender);
  void didPrice(const std::shared_ptr<ios::UIButton>& sender);

 private:
  void pick(FilterType filter);
};

}  // namespace kerbelin
