#pragma once

#include <UIKit/UIView.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

class UIButton;
class UILabel;
class UIViewController;

// The bar at the top of a navigation controller: under the status bar, 44 points of content with the
// top controller's title (or title view) centred, its left item or else a back button on the left,
// and its right item on the right. The back button shows when there is a controller below the top
// one and the top one does not hide it; it says the lower controller's back-button title, else its
// title, else "Quay lại", and a tap on it runs `onBack`.
class UINavigationBar : public UIView {
 public:
  static std::shared_ptr<UINavigationBar> create(const CGRect& frame = CGRect::zero);
  explicit UINavigationBar(const CGRect& frame = CGRect::zero);

  static constexpr CGFloat contentHeight = 44;

  // Shows the items of `top`, with `previous` (the controller below it, or null) for the back button.
  void show(const std::shared_ptr<UIViewController>& top, const std::shared_ptr<UIViewController>& previous);
  std::function<void()> onBack;

  const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<UIButton>& backButton() const { return backButton_; }
  bool isTranslucent = true;

  void layoutSubviews() override;

 private:
  void replaceItemView(std::shared_ptr<UIView>& slot, std::shared_ptr<UIView> view);

  std::shared_ptr<UILabel> titleLabel_;
  std::shared_ptr<UIButton> backButton_;
  std::shared_ptr<UILabel> chevron_;
  std::shared_ptr<UIView> titleView_;
  std::shared_ptr<UIView> leftView_;
  std::shared_ptr<UIView> rightView_;
  bool installed_ = false;
};

}  // namespace ios
