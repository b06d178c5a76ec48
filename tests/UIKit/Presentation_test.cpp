#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <string>
#include <vector>

namespace ios {
namespace {

// Dismisses itself as soon as it has appeared, as a picker with nothing to pick does.
class Bouncer : public UIViewController {
 public:
  void viewDidAppear(bool) override { dismiss(true); }
};

class Logged : public UIViewController {
 public:
  std::vector<std::string> log;
  void viewWillAppear(bool) override { log.push_back("willAppear"); }
  void viewDidAppear(bool) override { log.push_back("didAppear"); }
  void viewWillDisappear(bool) override { log.push_back("willDisappear"); }
  void viewDidDisappear(bool) override { log.push_back("didDisappear"); }
};

class Presentation : public test::MainLoopTest {};

TEST_F(Presentation, ADismissalFromViewDidAppearBringsTheCoveredPresenterBack) {
  auto window = UIWindow::create(CGRect(0, 0, 375, 812));
  auto presenter = std::make_shared<Logged>();
  window->setRootViewController(presenter);
  window->makeKeyAndVisible();
  presenter->log.clear();

  auto bouncer = std::make_shared<Bouncer>();
  bool presented = false;
  presenter->present(bouncer, true, [&] { presented = true; });
  advance(1);
  runUntilIdle();
  EXPECT_TRUE(presented);
  EXPECT_EQ(presenter->presentedViewController(), nullptr);
  EXPECT_EQ(presenter->view()->window(), window);  // back on screen, not left out
  EXPECT_EQ(bouncer->view()->window(), nullptr);
  EXPECT_TRUE(presenter->isVisible());
  EXPECT_EQ(presenter->log.front(), "willDisappear");
  EXPECT_EQ(presenter->log.back(), "didAppear");
}

}  // namespace
}  // namespace ios
