#include <UIKit/UIInputViewHost.h>

#include <UIKit/UIWindow.h>

namespace ios {

void UIInputViewHost::show(const std::shared_ptr<UIWindow>& window, const std::shared_ptr<UIView>& inputView,
                           const std::shared_ptr<UIView>& accessoryView) {
  if (!window) return;
  const CGRect bounds = window->bounds();
  CGFloat bottom = bounds.maxY();
  auto place = [&](const std::shared_ptr<UIView>& view, CGFloat fallbackHeight) {
    const CGFloat height = view->frame().height() > 0 ? view->frame().height() : fallbackHeight;
    view->setFrame(CGRect(bounds.minX(), bottom - height, bounds.width(), height));
    window->addSubview(view);  // also brings it to the front when it is already there
    bottom -= height;
  };
  if (inputView) place(inputView, defaultInputHeight);
  if (accessoryView) place(accessoryView, 44);
}

void UIInputViewHost::hide(const std::shared_ptr<UIView>& inputView,
                           const std::shared_ptr<UIView>& accessoryView) {
  for (const auto& view : {inputView, accessoryView})
    if (view && view->superview() && std::dynamic_pointer_cast<UIWindow>(view->superview()))
      view->removeFromSuperview();
}

}  // namespace ios
