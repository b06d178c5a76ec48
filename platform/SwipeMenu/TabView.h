#pragma once

#include <SwipeMenu/SwipeMenuViewOptions.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScrollView.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ios {

// A swipe menu's strip of page titles. The current item takes the selected colour and font; the
// marker (an underline) follows the content as it scrolls between pages. A tap on an item calls
// `onSelect` with its index.
class TabView : public UIScrollView {
 public:
  static std::shared_ptr<TabView> create();
  TabView();

  // Rebuilds the items from `titles` with `options`, the item at `selectedIndex` current.
  void update(const std::vector<std::string>& titles, const SwipeMenuViewOptions::TabView& options,
              int selectedIndex);
  void select(int index);
  int selectedIndex() const { return selectedIndex_; }
  // Places the marker at a page position: 1.5 is halfway between the items 1 and 2.
  void moveAddition(CGFloat progress);

  const std::vector<std::shared_ptr<UILabel>>& itemViews() const { return items_; }
  const std::shared_ptr<UIView>& additionView() const { return addition_; }
  std::function<void(int index)> onSelect;

  void layoutSubviews() override;

 private:
  void installTap();
  void handleTap(CGPoint point);
  void applyStyle();
  CGRect additionFrame(int index) const;

  SwipeMenuViewOptions::TabView options_;
  std::vector<std::shared_ptr<UILabel>> items_;
  std::shared_ptr<UIView> addition_;
  int selectedIndex_ = 0;
  CGFloat progress_ = 0;
  bool tapInstalled_ = false;
};

}  // namespace ios
