#pragma once

// Header-only like VirtualTime.h: include it from a test binary that links ios_uikit.

#include <UIKit/TouchGenerator.h>
#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>
#include <support/VirtualTime.h>

#include <memory>

namespace ios::test {

// A main-loop test with a key, visible window (a phone's 375 x 812 points unless the fixture passes
// another size), released before the loop is reset so that nothing it scheduled outlives the test.
class WindowTest : public MainLoopTest {
 protected:
  explicit WindowTest(CGSize size = {375, 812}) : size_(size) {}

  void SetUp() override {
    MainLoopTest::SetUp();
    window = UIWindow::create(CGRect(CGPoint::zero, size_));
    window->makeKeyAndVisible();
  }
  void TearDown() override {
    window.reset();
    MainLoopTest::TearDown();
  }

  void show(const std::shared_ptr<UIViewController>& root) {
    window->setRootViewController(root);
    window->layoutIfNeeded();
  }
  // Lets what a transition or fade started (half a second at most) finish, then lays out.
  void settle() {
    advance(0.5);
    runUntilIdle();
    window->layoutIfNeeded();
  }
  void tapAt(CGPoint point) { TouchGenerator(window).tap(point); }

  std::shared_ptr<UIWindow> window;

 private:
  CGSize size_;
};

}  // namespace ios::test
