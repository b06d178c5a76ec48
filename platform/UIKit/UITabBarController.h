#pragma once

#include <UIKit/UITabBar.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <vector>

namespace ios {

class UITabBarController;

class UITabBarControllerDelegate {
 public:
  virtual ~UITabBarControllerDelegate() = default;
  virtual bool shouldSelect(UITabBarController&, const std::shared_ptr<UIViewController>&) { return true; }
  virtual void didSelect(UITabBarController&, const std::shared_ptr<UIViewController>&) {}
};

// Shows one of its children at a time above a tab bar. Selecting in code (`setSelectedIndex`)
// switches at once without asking the delegate; a tap on a tab asks it first and tells it after.
class UITabBarController : public UIViewController {
 public:
  static std::shared_ptr<UITabBarController> create();
  using UIViewController::UIViewController;

  const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return viewControllers_; }
  void setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers, bool animated = false);
  std::size_t selectedIndex() const { return selectedIndex_; }
  void setSelectedIndex(std::size_t index);
  std::shared_ptr<UIViewController> selectedViewController() const;
  void setSelectedViewController(const std::shared_ptr<UIViewController>& controller);
  const std::shared_ptr<UITabBar>& tabBar();
  std::weak_ptr<UITabBarControllerDelegate> delegate;

  void loadView() override;

 private:
  void showSelected(const std::shared_ptr<UIViewController>& old);
  CGRect childFrame() const;
  void layoutBar();

  std::vector<std::shared_ptr<UIViewController>> viewControllers_;
  std::size_t selectedIndex_ = 0;
  std::shared_ptr<UITabBar> tabBar_;
};

}  // namespace ios
