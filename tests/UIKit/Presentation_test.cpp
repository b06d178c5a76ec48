#include <UIKit/UINavigationController.h>
#include <UIKit/UITabBarController.h>
#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include "ControllerTestSupport.h"

#include <string>
#include <vector>

namespace ios {
namespace {

// Dismisses itself as soon as it has appeared, as a picker with nothing to pick does.
class Bouncer : public UIViewController {
 public:
  void viewDidAppear(bool) override { dismiss(true); }
};

using test::AppearanceLog;

class Presentation : public test::WindowTest {};

TEST_F(Presentation, ADismissalFromViewDidAppearBringsTheCoveredPresenterBack) {
  auto presenter = std::make_shared<AppearanceLog>();
  window->setRootViewController(presenter);
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

// A screen deep in containers answers what the outermost container presents, for as long as it
// presents it, while what the containers do with presentations stays as it was.
TEST_F(Presentation, AScreenInsideContainersAnswersWhatItsAncestorPresents) {
  auto screen = std::make_shared<AppearanceLog>();
  auto navigation = UINavigationController::create(screen);
  auto tabs = UITabBarController::create();
  tabs->setViewControllers({navigation});
  window->setRootViewController(tabs);
  EXPECT_EQ(screen->presentedViewController(), nullptr);

  auto sheet = UIViewController::create();
  bool presented = false;
  screen->present(sheet, true, [&] { presented = true; });
  // The presentation belongs to the tab controller at the root, as before.
  EXPECT_EQ(sheet->presentingViewController(), tabs);
  EXPECT_EQ(screen->presentedViewController(), sheet);
  EXPECT_EQ(navigation->presentedViewController(), sheet);
  EXPECT_EQ(tabs->presentedViewController(), sheet);
  EXPECT_EQ(navigation->visibleViewController(), sheet);
  EXPECT_EQ(sheet->presentedViewController(), nullptr);  // not its presenter's answer
  advance(1);
  EXPECT_TRUE(presented);

  // A second presentation from anywhere in the hierarchy is still refused.
  auto second = UIViewController::create();
  navigation->present(second, false);
  advance(1);
  EXPECT_EQ(second->presentingViewController(), nullptr);
  EXPECT_EQ(screen->presentedViewController(), sheet);

  // A screen that is no longer in the container no longer answers for it.
  auto pushed = UIViewController::create();
  navigation->pushViewController(pushed, false);
  EXPECT_EQ(pushed->presentedViewController(), sheet);
  navigation->popViewController(false);
  advance(1);
  EXPECT_EQ(pushed->parent(), nullptr);
  EXPECT_EQ(pushed->presentedViewController(), nullptr);

  bool clearedAtCompletion = false;
  screen->dismiss(true, [&] { clearedAtCompletion = screen->presentedViewController() == nullptr; });
  EXPECT_EQ(screen->presentedViewController(), sheet);  // still there while it slides out
  advance(1);
  EXPECT_TRUE(clearedAtCompletion);
  EXPECT_EQ(tabs->presentedViewController(), nullptr);
  EXPECT_EQ(navigation->visibleViewController(), screen);
  EXPECT_TRUE(screen->isVisible());
}

// What a presented container holds answers what that container presents, not what lies below it.
TEST_F(Presentation, AScreenInAPresentedContainerAnswersOnlyItsOwnLevel) {
  auto root = UIViewController::create();
  window->setRootViewController(root);
  auto inner = UIViewController::create();
  auto modalNavigation = UINavigationController::create(inner);
  root->present(modalNavigation, false);
  advance(1);
  EXPECT_EQ(inner->presentedViewController(), nullptr);
  EXPECT_EQ(root->presentedViewController(), modalNavigation);

  auto alert = UIViewController::create();
  alert->modalPresentationStyle = UIModalPresentationStyle::custom;
  inner->present(alert, false);
  advance(1);
  EXPECT_EQ(alert->presentingViewController(), modalNavigation);
  EXPECT_EQ(inner->presentedViewController(), alert);
  EXPECT_EQ(root->presentedViewController(), modalNavigation);
}

}  // namespace
}  // namespace ios
