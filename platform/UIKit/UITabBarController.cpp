#include <UIKit/UITabBarController.h>

#include <UIKit/UIScreen.h>
#include <UIKit/UIWindow.h>

#include <algorithm>

namespace ios {

namespace {
const auto registration =
    ClassRegistration<UITabBarController, UIViewController>("UITabBarController").factory([] {
      return UITabBarController::create();
    });
}

std::shared_ptr<UITabBarController> UITabBarController::create() { return std::make_shared<UITabBarController>(); }

const std::shared_ptr<UITabBar>& UITabBarController::tabBar() {
  if (!tabBar_) {
    tabBar_ = UITabBar::create();
    std::weak_ptr<UITabBarController> weak = std::static_pointer_cast<UITabBarController>(shared_from_this());
    tabBar_->onSelect = [weak](const std::shared_ptr<UITabBarItem>& item) {
      auto self = weak.lock();
      if (!self) return;
      for (std::size_t i = 0; i < self->viewControllers_.size(); ++i) {
        const auto& controller = self->viewControllers_[i];
        if (controller->tabBarItem() != item) continue;
        auto d = self->delegate.lock();
        if (d && !d->shouldSelect(*self, controller)) return;
        self->setSelectedIndex(i);
        if (d) d->didSelect(*self, controller);
        return;
      }
    };
  }
  return tabBar_;
}

void UITabBarController::loadView() {
  auto container = UIView::create(UIScreen::main()->bounds());
  setView(container);
  container->addSubview(tabBar());
  layoutBar();
  if (auto selected = selectedViewController()) showSelected(nullptr);
}

void UITabBarController::layoutBar() {
  const CGRect b = view()->bounds();
  const CGFloat bottomInset = UIScreen::main()->safeAreaInsets().bottom;
  const CGFloat height = UITabBar::barHeight + bottomInset;
  tabBar()->setFrame(CGRect(0, b.height() - height, b.width(), height));
}

CGRect UITabBarController::childFrame() const {
  const CGRect b = const_cast<UITabBarController*>(this)->view()->bounds();
  if (tabBar_ && !tabBar_->isTranslucent && !tabBar_->isHidden())
    return CGRect(0, 0, b.width(), b.height() - tabBar_->frame().height());
  return b;
}

void UITabBarController::setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers, bool) {
  auto old = selectedViewController();
  for (const auto& controller : viewControllers_) {
    if (std::find(controllers.begin(), controllers.end(), controller) != controllers.end()) continue;
    if (controller == old && controller->isViewLoaded()) {
      if (isVisible()) controller->beginAppearanceTransition(false, false);
      controller->view()->removeFromSuperview();
      if (isVisible()) controller->endAppearanceTransition();
      old = nullptr;
    }
    controller->removeFromParent();
  }
  viewControllers_ = std::move(controllers);
  std::vector<std::shared_ptr<UITabBarItem>> items;
  for (const auto& controller : viewControllers_) {
    addChild(controller);
    items.push_back(controller->tabBarItem());
  }
  tabBar()->setItems(items);
  if (selectedIndex_ >= viewControllers_.size()) selectedIndex_ = 0;
  auto selected = selectedViewController();
  tabBar()->setSelectedItem(selected ? selected->tabBarItem() : nullptr);
  if (isViewLoaded() && selected != old) showSelected(old);
}

std::shared_ptr<UIViewController> UITabBarController::selectedViewController() const {
  return selectedIndex_ < viewControllers_.size() ? viewControllers_[selectedIndex_] : nullptr;
}

void UITabBarController::setSelectedViewController(const std::shared_ptr<UIViewController>& controller) {
  auto it = std::find(viewControllers_.begin(), viewControllers_.end(), controller);
  if (it != viewControllers_.end()) setSelectedIndex(static_cast<std::size_t>(it - viewControllers_.begin()));
}

void UITabBarController::setSelectedIndex(std::size_t index) {
  if (index >= viewControllers_.size()) return;
  auto old = selectedViewController();
  selectedIndex_ = index;
  tabBar()->setSelectedItem(viewControllers_[index]->tabBarItem());
  if (isViewLoaded() && old != viewControllers_[index]) showSelected(old);
}

void UITabBarController::showSelected(const std::shared_ptr<UIViewController>& old) {
  auto selected = selectedViewController();
  const bool visible = isVisible();
  if (old && old->isViewLoaded() && old->view()->superview()) {
    if (visible) old->beginAppearanceTransition(false, false);
    old->view()->removeFromSuperview();
    if (visible) old->endAppearanceTransition();
  }
  if (!selected) return;
  const auto& childView = selected->view();
  childView->setFrame(childFrame());
  view()->insertSubview(childView, tabBar(), false);
  if (visible) {
    selected->beginAppearanceTransition(true, false);
    selected->endAppearanceTransition();
  }
}

}  // namespace ios
