#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include "ControllerTestSupport.h"

#include <string>
#include <vector>

namespace ios {
namespace {

using test::findButton;
using test::tapButton;

std::shared_ptr<UIViewController> titled(const std::string& title) {
  auto controller = UIViewController::create();
  controller->navigationItem.title = title;
  return controller;
}

class NavigationBar : public test::WindowTest {
 protected:
  NavigationBar() : WindowTest(UIScreen::main()->bounds().size) {}
  void show(const std::shared_ptr<UIViewController>& root) {
    nav = UINavigationController::create(root);
    WindowTest::show(nav);
  }
  CGFloat barHeight() const {
    return UIScreen::main()->safeAreaInsets().top + UINavigationBar::contentHeight;
  }

  std::shared_ptr<UINavigationController> nav;
};

TEST_F(NavigationBar, ShowsTheTopTitleAndABackButtonThatPops) {
  show(titled("Thẻ của tôi"));
  const auto& bar = nav->navigationBar();
  EXPECT_EQ(bar->titleLabel()->text(), "Thẻ của tôi");
  EXPECT_TRUE(bar->backButton()->isHidden());  // nothing below the root
  EXPECT_EQ(nav->topViewController()->view()->frame().minY(), barHeight());

  nav->pushViewController(titled("Chi tiết"), true);
  EXPECT_EQ(bar->titleLabel()->text(), "Chi tiết");  // at the start of the push
  settle();
  EXPECT_FALSE(bar->backButton()->isHidden());
  ASSERT_TRUE(tapButton(window, "Thẻ của tôi"));  // the back button names the screen below
  EXPECT_TRUE(nav->isTransitioning());
  settle();
  EXPECT_EQ(nav->viewControllers().size(), 1u);
  EXPECT_EQ(bar->titleLabel()->text(), "Thẻ của tôi");
  EXPECT_TRUE(bar->backButton()->isHidden());
  // The title sits in the middle of the bar's content row.
  const CGRect title = bar->titleLabel()->frame();
  EXPECT_NEAR(title.midX(), bar->bounds().midX(), 0.5);
  EXPECT_NEAR(title.maxY(), barHeight(), 0.5);
}

TEST_F(NavigationBar, ItemsDecideTitleBackTextAndSideButtons) {
  auto root = UIViewController::create();
  root->title = "Ví";  // no item title: the controller's title
  root->navigationItem.backButtonTitle = "Về ví";
  show(root);
  EXPECT_EQ(nav->navigationBar()->titleLabel()->text(), "Ví");

  auto detail = titled("Chi tiết");
  int saves = 0;
  auto save = UIBarButtonItem::create(UIBarButtonSystemItem::save);
  detail->navigationItem.rightBarButtonItem = save;
  std::static_pointer_cast<UIButton>(save->barView())
      ->addAction([&](UIControl&) { ++saves; }, UIControl::touchUpInside);
  nav->pushViewController(detail, false);
  settle();
  ASSERT_NE(findButton(window, "Về ví"), nullptr);
  ASSERT_TRUE(tapButton(window, "Lưu"));
  EXPECT_EQ(saves, 1);
  EXPECT_NEAR(save->barView()->frame().maxX(), window->bounds().width() - 8, 0.5);

  auto locked = titled("Thanh toán");
  locked->navigationItem.hidesBackButton = true;
  nav->pushViewController(locked, false);
  settle();
  EXPECT_TRUE(nav->navigationBar()->backButton()->isHidden());

  auto custom = titled("Lọc");
  auto close = UIBarButtonItem::create(UIBarButtonSystemItem::cancel);
  custom->navigationItem.leftBarButtonItem = close;
  auto titleView = UILabel::create(CGRect(0, 0, 100, 30));
  custom->navigationItem.titleView = titleView;
  nav->pushViewController(custom, false);
  settle();
  EXPECT_TRUE(nav->navigationBar()->backButton()->isHidden());  // the left item takes its place
  EXPECT_EQ(close->barView()->superview(), nav->navigationBar());
  EXPECT_EQ(titleView->superview(), nav->navigationBar());
  EXPECT_TRUE(nav->navigationBar()->titleLabel()->isHidden());
  EXPECT_NEAR(titleView->frame().midX(), window->bounds().midX(), 0.5);
}

TEST_F(NavigationBar, HidingWithAnAnimationSlidesTheBarAwayAndGivesItsRoomToTheScreen) {
  show(titled("A"));
  auto top = nav->topViewController();
  nav->setNavigationBarHidden(true, true);
  EXPECT_TRUE(nav->isNavigationBarHidden());
  EXPECT_FALSE(nav->navigationBar()->isHidden());  // still sliding
  EXPECT_EQ(top->view()->frame().minY(), 0);       // the model value is the end state
  advance(UINavigationController::hideShowBarDuration);
  runUntilIdle();
  EXPECT_TRUE(nav->navigationBar()->isHidden());
  EXPECT_EQ(top->view()->frame(), window->bounds());

  nav->setNavigationBarHidden(false, true);
  EXPECT_FALSE(nav->navigationBar()->isHidden());
  settle();
  EXPECT_EQ(nav->navigationBar()->frame().minY(), 0);
  EXPECT_EQ(top->view()->frame().minY(), barHeight());

  // Hidden without animation, as the tabs of the app do: pushed screens get the whole window.
  nav->setNavigationBarHidden(true, false);
  EXPECT_TRUE(nav->navigationBar()->isHidden());
  auto next = titled("B");
  nav->pushViewController(next, true);
  settle();
  EXPECT_EQ(next->view()->frame(), window->bounds());
}

TEST_F(NavigationBar, AQuickSecondBackTapDuringThePopDoesNotPopTwice) {
  show(titled("1"));
  nav->pushViewController(titled("2"), false);
  nav->pushViewController(titled("3"), false);
  settle();
  ASSERT_TRUE(tapButton(window, "2"));
  auto back = nav->navigationBar()->backButton();
  TouchGenerator(window).tap(test::centreInWindow(back));
  settle();
  EXPECT_EQ(nav->viewControllers().size(), 2u);
}

}  // namespace
}  // namespace ios
