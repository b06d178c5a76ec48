#pragma once

// The back-end fixture with a key window and a finger: for tests that drive a screen through its real
// controls. Header-only, for the test binaries that link the framework.

#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/lib/WSLoadingView.h>
#include <support/FakeBackendTest.h>

#include <memory>
#include <string>

namespace kerbelin::test {

// The first label under `root`, depth first, that reads `text`; null when none does.
inline std::shared_ptr<ios::UILabel> findLabel(const ios::UIView& root, const std::string& text) {
  for (const auto& child : root.subviews()) {
    if (auto label = std::dynamic_pointer_cast<ios::UILabel>(child); label && label->text() == text) return label;
    if (auto found = findLabel(*child, text)) return found;
  }
  return nullptr;
}

class ScreenTest : public FakeBackendTest {
 protected:
  void SetUp() override {
    FakeBackendTest::SetUp();
    window = ios::UIWindow::create();
    window->makeKeyAndVisible();
    touches = std::make_unique<ios::TouchGenerator>(window);
  }

  // Lets what is still running (slides, fades, toasts) end before the window goes.
  void TearDown() override {
    runUntilIdle();
    advance(5);
    touches.reset();
    window->setRootViewController(nullptr);
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    window.reset();
    navigation.reset();
    FakeBackendTest::TearDown();
  }

  // Makes `root` the bottom of a navigation controller that is the window's root.
  void showInNavigation(const std::shared_ptr<ios::UIViewController>& root) {
    navigation = ios::UINavigationController::create(root);
    window->setRootViewController(navigation);
    runUntilIdle();
  }

  ios::CGPoint centerOf(const ios::UIView& view) const {
    const ios::CGRect frame = view.convert(view.bounds(), window.get());
    return {frame.midX(), frame.midY()};
  }

  // Taps the middle of `view` and runs what the tap posts.
  void tap(const ios::UIView& view) {
    touches->tap(centerOf(view));
    runUntilIdle();
  }
  void tap(const std::shared_ptr<ios::UIView>& view) {
    ASSERT_TRUE(view);
    tap(*view);
  }

  // Runs the clock past the running slides and fades (the longest takes 0.5 s).
  void settle() {
    advance(0.6);
    runUntilIdle();
  }

  // The loading overlays on the key window.
  int overlays() const {
    int count = 0;
    for (const auto& view : window->subviews()) count += view->tag == WSLoadingView::containerTag ? 1 : 0;
    return count;
  }

  static std::string textOf(const std::weak_ptr<ios::UILabel>& label) {
    auto shown = label.lock();
    return shown && shown->text() ? *shown->text() : std::string("<none>");
  }

  std::shared_ptr<ios::UIWindow> window;
  std::unique_ptr<ios::TouchGenerator> touches;
  std::shared_ptr<ios::UINavigationController> navigation;
};

}  // namespace kerbelin::test
