#pragma once

// Finding and tapping what a screen shows by its text, the way a person (or a simulator script) does.

#include <UIKit/TouchGenerator.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIWindow.h>

#include <memory>
#include <string>
#include <vector>

namespace ios::test {

// A screen that logs the appearance callbacks it receives.
class AppearanceLog : public UIViewController {
 public:
  std::vector<std::string> log;
  void viewWillAppear(bool) override { log.push_back("willAppear"); }
  void viewDidAppear(bool) override { log.push_back("didAppear"); }
  void viewWillDisappear(bool) override { log.push_back("willDisappear"); }
  void viewDidDisappear(bool) override { log.push_back("didDisappear"); }
};

// The first visible button under `root` (depth first) whose current title is `title`.
inline std::shared_ptr<UIButton> findButton(const std::shared_ptr<UIView>& root, const std::string& title) {
  if (!root || root->isHidden()) return nullptr;
  if (auto button = std::dynamic_pointer_cast<UIButton>(root); button && button->currentTitle() == title)
    return button;
  for (const auto& child : root->subviews())
    if (auto found = findButton(child, title)) return found;
  return nullptr;
}

// The centre of `view` in its window's coordinates.
inline CGPoint centreInWindow(const std::shared_ptr<UIView>& view) {
  const CGRect b = view->bounds();
  return view->convert(CGPoint{b.midX(), b.midY()}, nullptr);
}

// Lays the window out, then taps the centre of the button titled `title`; false when there is none.
inline bool tapButton(const std::shared_ptr<UIWindow>& window, const std::string& title) {
  window->layoutIfNeeded();
  auto button = findButton(window, title);
  if (!button) return false;
  TouchGenerator(window).tap(centreInWindow(button));
  return true;
}

}  // namespace ios::test
