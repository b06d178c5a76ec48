#pragma once

#include <UIKit/UITabBarItem.h>
#include <UIKit/UIView.h>

#include <functional>
#include <memory>
#include <vector>

namespace ios {

// The strip of tabs at the bottom of a tab bar controller: items side by side, each an image over
// its title, the selected one in its selected image and title attributes. A tap on an item reports
// it through `onSelect`. Colours come from the bar or, when unset, from the process-wide
// appearance (`UITabBar::appearance()`), which applies to bars made before and after it is set.
class UITabBar : public UIView {
 public:
  static std::shared_ptr<UITabBar> create(const CGRect& frame = CGRect::zero);
  explicit UITabBar(const CGRect& frame);

  // The content height, without the safe area below it.
  static constexpr CGFloat barHeight = 49;

  const std::vector<std::shared_ptr<UITabBarItem>>& items() const { return items_; }
  void setItems(std::vector<std::shared_ptr<UITabBarItem>> items);
  std::shared_ptr<UITabBarItem> selectedItem() const { return selectedItem_; }
  void setSelectedItem(std::shared_ptr<UITabBarItem> item);
  std::function<void(const std::shared_ptr<UITabBarItem>&)> onSelect;

  bool isTranslucent = true;
  std::shared_ptr<UIColor> barTintColor;
  std::shared_ptr<UIColor> unselectedItemTintColor;

  struct Appearance {
    std::shared_ptr<UIColor> barTintColor;
    std::shared_ptr<UIColor> backgroundColor;
  };
  static Appearance& appearance();

  // The item whose slot holds `point` (bar coordinates), or null.
  std::shared_ptr<UITabBarItem> itemAt(CGPoint point) const;
  CGRect itemRect(std::size_t index) const;

  void draw(const CGRect& rect) override;
  void touchesEnded(const Touches& touches, const UIEvent* event) override;
  void willMoveToWindow(const std::shared_ptr<UIWindow>& window) override;

 private:
  void applyAppearance();

  std::vector<std::shared_ptr<UITabBarItem>> items_;
  std::shared_ptr<UITabBarItem> selectedItem_;
};

}  // namespace ios
