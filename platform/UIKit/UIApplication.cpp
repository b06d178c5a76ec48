#include <UIKit/UIApplication.h>

#include <Foundation/DispatchQueue.h>
#include <Foundation/RunLoop.h>
#include <UIKit/UIWindow.h>

#include <algorithm>

namespace ios {

const std::shared_ptr<UIApplication>& UIApplication::shared() {
  static const auto application = std::make_shared<UIApplication>();
  return application;
}

void UIApplication::setKeyWindow(const std::shared_ptr<UIWindow>& window) {
  keyWindow_ = window;
  if (!window) return;
  std::erase_if(windows_, [](const std::weak_ptr<UIWindow>& w) { return w.expired(); });
  const bool known = std::any_of(windows_.begin(), windows_.end(),
                                 [&](const std::weak_ptr<UIWindow>& w) { return w.lock() == window; });
  if (!known) windows_.push_back(window);
}

std::vector<std::shared_ptr<UIWindow>> UIApplication::windows() const {
  std::vector<std::shared_ptr<UIWindow>> result;
  for (const auto& weak : windows_)
    if (auto window = weak.lock()) result.push_back(window);
  return result;
}

bool UIApplication::canOpenURL(const URL& url) const { return opener_ && opener_->canOpen(url); }

void UIApplication::open(const URL& url, std::function<void(bool)> completion) {
  const bool opened = opener_ && opener_->open(url);
  if (completion) DispatchQueue::main().async([completion = std::move(completion), opened] { completion(opened); });
}

int UIApplication::run(std::shared_ptr<UIApplicationDelegate> delegate, const Dictionary& options, bool runLoop) {
  delegate_ = std::move(delegate);
  if (delegate_ && !delegate_->didFinishLaunchingWithOptions(*this, options)) return 1;
  if (runLoop) RunLoop::main().run();
  return 0;
}

}  // namespace ios
