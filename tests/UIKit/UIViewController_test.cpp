#include <Foundation/Console.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIButton.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITabBarController.h>
#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <string>
#include <vector>

namespace ios {
namespace {

// Logs its life cycle into a shared list as "name:event".
class Screen : public UIViewController {
 public:
  Screen(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  std::string input;
  std::string inputSeenAtLoad;
  void viewDidLoad() override {
    inputSeenAtLoad = input;
    log_.push_back(name_ + ":load");
  }
  void viewWillAppear(bool) override { log_.push_back(name_ + ":willAppear"); }
  void viewDidAppear(bool) override { log_.push_back(name_ + ":didAppear"); }
  void viewWillDisappear(bool) override { log_.push_back(name_ + ":willDisappear"); }
  void viewDidDisappear(bool) override { log_.push_back(name_ + ":didDisappear"); }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class Controllers : public test::MainLoopTest {
 protected:
  std::shared_ptr<Screen> screen(const std::string& name) { return std::make_shared<Screen>(log, name); }
  void show(const std::shared_ptr<UIViewController>& root) {
    window = UIWindow::create(CGRect(0, 0, 375, 812));
    window->setRootViewController(root);
    window->makeKeyAndVisible();
  }
  std::vector<std::string> log;
  std::shared_ptr<UIWindow> window;
};

TEST_F(Controllers, ViewLoadsLazilySoInputsSetFirstAreSeen) {
  auto a = screen("a");
  a->input = "card";
  EXPECT_FALSE(a->isViewLoaded());
  EXPECT_TRUE(log.empty());
  a->view();
  EXPECT_EQ(a->inputSeenAtLoad, "card");
  EXPECT_EQ(log, (std::vector<std::string>{"a:load"}));
  a->view();  // only once
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(Controllers, PushAndPopSendCallbacksInOrderAroundTheAnimation) {
  auto root = screen("root");
  auto nav = UINavigationController::create(root);
  show(nav);
  EXPECT_EQ(log, (std::vector<std::string>{"root:load", "root:willAppear", "root:didAppear"}));
  log.clear();

  auto detail = screen("detail");
  nav->pushViewController(detail, true);
  EXPECT_EQ(detail->navigationController(), nav);
  EXPECT_TRUE(detail->transitionCoordinator() && detail->transitionCoordinator()->isAnimated);
  EXPECT_EQ(log, (std::vector<std::string>{"detail:load", "detail:willAppear", "root:willDisappear"}));
  log.clear();
  advance(UINavigationController::transitionDuration);
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"root:didDisappear", "detail:didAppear"}));
  EXPECT_EQ(detail->transitionCoordinator(), nullptr);
  EXPECT_EQ(root->view()->superview(), nullptr);
  EXPECT_EQ(detail->view()->frame().origin.x, 0);

  log.clear();
  EXPECT_EQ(nav->popViewController(true), detail);
  advance(UINavigationController::transitionDuration);
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"root:willAppear", "detail:willDisappear", "detail:didDisappear",
                                           "root:didAppear"}));
  EXPECT_EQ(detail->navigationController(), nullptr);
  EXPECT_EQ(nav->viewControllers().size(), 1u);
  EXPECT_EQ(nav->popViewController(true), nullptr);  // the root stays
}

TEST_F(Controllers, PushesDuringATransitionWaitTheirTurn) {
  auto nav = UINavigationController::create(screen("root"));
  show(nav);
  nav->pushViewController(screen("one"), true);
  nav->pushViewController(screen("two"), true);
  EXPECT_EQ(nav->viewControllers().size(), 2u);
  advance(0.35);
  runUntilIdle();
  advance(0.35);
  runUntilIdle();
  ASSERT_EQ(nav->viewControllers().size(), 3u);
  EXPECT_EQ(nav->popToRootViewController(false).size(), 2u);
  EXPECT_EQ(nav->viewControllers().size(), 1u);
}

TEST_F(Controllers, ScreensTakeNoTouchesWhileTheySlide) {
  auto nav = UINavigationController::create(screen("root"));
  show(nav);
  runUntilIdle();
  auto incoming = screen("incoming");
  int taps = 0;
  auto button = UIButton::create(CGRect(0, 300, 375, 300));
  button->addAction([&](UIControl&) { ++taps; }, UIControl::touchUpInside);
  incoming->view()->addSubview(button);
  nav->pushViewController(incoming, true);
  advance(0.2);  // past the middle of the slide: the button is under the finger
  TouchGenerator(window).tap({300, 450});
  runUntilIdle();
  EXPECT_EQ(taps, 0);
  advance(UINavigationController::transitionDuration);
  runUntilIdle();
  TouchGenerator(window).tap({300, 450});
  runUntilIdle();
  EXPECT_EQ(taps, 1);
}

TEST_F(Controllers, TabsSwitchWithCallbacksAndAppearanceItems) {
  auto first = screen("first"), second = screen("second");
  auto tabs = UITabBarController::create();
  tabs->setViewControllers({first, second});
  show(tabs);
  EXPECT_EQ(log, (std::vector<std::string>{"first:load", "first:willAppear", "first:didAppear"}));
  log.clear();
  tabs->setSelectedIndex(1);
  EXPECT_EQ(log, (std::vector<std::string>{"first:willDisappear", "first:didDisappear", "second:load",
                                           "second:willAppear", "second:didAppear"}));
  EXPECT_EQ(second->tabBarController(), tabs);
  EXPECT_EQ(tabs->tabBar()->selectedItem(), second->tabBarItem());

  // A tap on the first tab's slot asks the delegate and switches.
  struct Refuse : UITabBarControllerDelegate {
    int asked = 0;
    bool allow = false;
    bool shouldSelect(UITabBarController&, const std::shared_ptr<UIViewController>&) override {
      ++asked;
      return allow;
    }
  };
  auto delegate = std::make_shared<Refuse>();
  tabs->delegate = delegate;
  const CGRect slot = tabs->tabBar()->convert(tabs->tabBar()->itemRect(0), window.get());
  TouchGenerator(window).tap({slot.midX(), slot.midY()});
  EXPECT_EQ(delegate->asked, 1);
  EXPECT_EQ(tabs->selectedIndex(), 1u);
  delegate->allow = true;
  TouchGenerator(window).tap({slot.midX(), slot.midY()});
  EXPECT_EQ(tabs->selectedIndex(), 0u);
}

TEST_F(Controllers, ANavigationControllersScreenFollowsItsTabAsTheBarTurnsOpaque) {
  auto inner = screen("inner");
  auto navigation = UINavigationController::create(inner);
  navigation->setNavigationBarHidden(true);
  auto tabs = UITabBarController::create();
  tabs->setViewControllers({screen("first"), navigation});
  show(tabs);
  tabs->tabBar()->isTranslucent = false;
  tabs->setSelectedIndex(1);
  window->layoutIfNeeded();
  const CGFloat above = 812 - tabs->tabBar()->frame().height();
  EXPECT_EQ(navigation->view()->frame().height(), above);
  EXPECT_EQ(inner->view()->frame(), CGRect(0, 0, 375, above));
}

TEST_F(Controllers, PresentCoversThePresenterAndDismissClearsItFirst) {
  auto root = screen("root");
  show(root);
  log.clear();
  auto sheet = screen("sheet");
  bool presented = false;
  root->present(sheet, true, [&] { presented = true; });
  EXPECT_EQ(root->presentedViewController(), sheet);
  EXPECT_EQ(sheet->presentingViewController(), root);
  EXPECT_FALSE(presented);

  // A second presentation while one is showing is refused with a warning.
  ConsoleCapture console;
  root->present(screen("other"), false);
  ASSERT_EQ(console.logMessages().size(), 1u);
  EXPECT_NE(console.logMessages()[0].find("which is already presenting Screen"), std::string::npos);
  EXPECT_EQ(root->presentedViewController(), sheet);

  advance(0.35);
  runUntilIdle();
  EXPECT_TRUE(presented);
  EXPECT_EQ(log, (std::vector<std::string>{"sheet:load", "sheet:willAppear", "root:willDisappear",
                                           "sheet:didAppear", "root:didDisappear"}));
  log.clear();
  std::shared_ptr<UIViewController> seenInCompletion = sheet;
  sheet->dismiss(false, [&] { seenInCompletion = root->presentedViewController(); });
  runUntilIdle();
  EXPECT_EQ(seenInCompletion, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"sheet:willDisappear", "root:willAppear", "sheet:didDisappear",
                                           "root:didAppear"}));
  EXPECT_EQ(sheet->view()->superview(), nullptr);
}

TEST_F(Controllers, OverFullScreenKeepsThePresenterWithoutCallbacks) {
  auto root = screen("root");
  show(root);
  log.clear();
  auto panel = screen("panel");
  panel->modalPresentationStyle = UIModalPresentationStyle::overFullScreen;
  root->present(panel, false);
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"panel:load", "panel:willAppear", "panel:didAppear"}));
  EXPECT_EQ(root->view()->window(), window);  // still behind
  panel->dismiss(false);
  runUntilIdle();
  EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(Controllers, EdgeSwipePopsWithTheFingerOrSnapsBack) {
  auto root = screen("root");
  auto nav = UINavigationController::create(root);
  show(nav);
  auto detail = screen("detail");
  nav->pushViewController(detail, false);
  runUntilIdle();
  log.clear();

  // A short slow drag snaps back: the detail stays.
  TouchGenerator touches(window);
  touches.drag({5, 400}, {100, 400}, 1.0, 20);
  advance(0.5);
  runUntilIdle();
  EXPECT_EQ(nav->topViewController(), detail);
  EXPECT_EQ(detail->view()->frame().origin.x, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"root:willAppear", "detail:willDisappear", "root:willDisappear",
                                           "detail:willAppear", "root:didDisappear", "detail:didAppear"}));

  // Past the middle: the pop completes.
  touches.drag({5, 400}, {300, 400}, 0.5, 20);
  advance(0.5);
  runUntilIdle();
  EXPECT_EQ(nav->topViewController(), root);
  EXPECT_EQ(detail->parent(), nullptr);
}

TEST_F(Controllers, ChildContainmentAndNearestContainers) {
  auto parent = screen("parent");
  auto child = screen("child");
  parent->addChild(child);
  auto tabs = UITabBarController::create();
  auto nav = UINavigationController::create(parent);
  tabs->setViewControllers({nav});
  EXPECT_EQ(child->navigationController(), nav);
  EXPECT_EQ(child->tabBarController(), tabs);
  child->removeFromParent();
  EXPECT_EQ(child->parent(), nullptr);
  EXPECT_EQ(child->navigationController(), nullptr);
}

}  // namespace
}  // namespace ios
