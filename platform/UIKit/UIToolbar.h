#pragma once

#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UIView.h>

#include <memory>
#include <vector>

namespace ios {

class UIColor;

// A bar of bar button items, 44 points high, laid out from left to right inside 16-point margins:
// buttons as wide as their titles, fixed spaces their width, and flexible spaces sharing what room is
// left (with none, items are 8 points apart). `sizeToFit` keeps a set width (the screen's when there
// is none) and takes the bar's height.
class UIToolbar : public UIView {
 public:
  static std::shared_ptr<UIToolbar> create(const CGRect& frame = CGRect::zero);
  explicit UIToolbar(const CGRect& frame = CGRect::zero);

  static constexpr CGFloat barHeight = 44;

  const std::vector<std::shared_ptr<UIBarButtonItem>>& items() const { return items_; }
  void setItems(std::vector<std::shared_ptr<UIBarButtonItem>> items, bool animated = false);

  bool isTranslucent = true;
  const std::shared_ptr<UIColor>& barTintColor() const { return barTintColor_; }
  void setBarTintColor(std::shared_ptr<UIColor> color);

  void layoutSubviews() override;
  CGSize sizeThatFits(CGSize size) const override;

 private:
  std::vector<std::shared_ptr<UIBarButtonItem>> items_;
  std::vector<std::shared_ptr<UIView>> shown_;
  std::shared_ptr<UIColor> barTintColor_;
};

}  // namespace ios
