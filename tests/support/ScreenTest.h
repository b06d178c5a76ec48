#pragma once

// The back-end fixture with a key window and a finger: for tests that drive a screen through its real
// controls. Header-only, for the test binaries that link the framework.

#include <QuartzCore/Renderer.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Handle/NibBundle.h>
#include <Ultilities/lib/WSLoadingView.h>
#include <support/FakeBackendTest.h>
#include <support/ReferenceImage.h>

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

// The view under `root`, depth first, whose accessibility identifier (an outlet's name) is
// `identifier`; null when none is.
inline std::shared_ptr<ios::UIView> findIdentified(const std::shared_ptr<ios::UIView>& root,
                                                   const std::string& identifier) {
  if (root->accessibilityIdentifier == identifier) return root;
  for (const auto& child : root->subviews()) {
    if (auto found = findIdentified(child, identifier)) return found;
  }
  return nullptr;
}

// A new copy of the framework's nib of `View` (named by its `identifier`), or null.
template <class View>
std::shared_ptr<View> fromNib() {
  auto nib = ios::UINib::create(View::identifier, frameworkBundle());
  auto objects = nib->instantiate(nullptr).objects;
  return objects.empty() ? nullptr : std::dynamic_pointer_cast<View>(objects.front());
}

// Row `indexPath` of `table` as a `Cell` (null when it is another kind), scrolled to `position`
// and laid out first, as the user would see it.
template <class Cell = ios::UITableViewCell>
std::shared_ptr<Cell> rowOf(ios::UITableView& table, ios::IndexPath indexPath,
                            ios::UITableViewScrollPosition position = ios::UITableViewScrollPosition::top) {
  table.scrollToRow(indexPath, position, false);
  table.layoutIfNeeded();
  return std::dynamic_pointer_cast<Cell>(table.cellForRow(indexPath));
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

  // The top of the navigation stack as a `Screen`; null when it is another kind.
  template <class Screen = ios::UIViewController>
  std::shared_ptr<Screen> top() const {
    return std::dynamic_pointer_cast<Screen>(navigation->topViewController());
  }

  // Whether the window, once what is queued has run and it is laid out, looks like the reference
  // picture `name` (tests/reference/<name>.png).
  ::testing::AssertionResult looksAsRecorded(const std::string& name) {
    runUntilIdle();
    window->layoutIfNeeded();
    auto picture = ios::Renderer::renderImage(*window->layer(), 1);
    if (!picture) return ::testing::AssertionFailure() << name << ": the window drew nothing";
    return ios::test::matchesReference(*picture, name);
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
