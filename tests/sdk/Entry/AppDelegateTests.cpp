// The application delegate's launch: the tab shell becomes its window's root with a 0.3 s
// cross-dissolve, and a launch without a window changes nothing.

#include <Application/AppDelegate.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <Foundation/ClassRegistry.h>
#include <QuartzCore/CALayer.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIWindow.h>
#include <gtest/gtest.h>
#include <sdk/Entry/EntryTestSupport.h>

namespace kerbelin::test {
namespace {

class AppDelegateTest : public EntryTest {
 protected:
  void TearDown() override {
    app->setDelegate(nullptr);
    EntryTest::TearDown();
  }

  const std::shared_ptr<ios::UIApplication>& app = ios::UIApplication::shared();
};

TEST_F(AppDelegateTest, LaunchingMakesTheSharedShellTheWindowsRootWithACrossDissolve) {
  auto delegate = AppDelegate::create();
  app->setDelegate(delegate);
  auto window = ios::UIWindow::create();
  delegate->setWindow(window);
  window->setRootViewController(ios::UIViewController::create());
  window->makeKeyAndVisible();
  runUntilIdle();
  const auto layersBefore = window->layer()->sublayers().size();

  EXPECT_TRUE(delegate->didFinishLaunchingWithOptions(*app, ios::Dictionary::object()));
  EXPECT_EQ(window->rootViewController(), TabbarViewController::sharedInstance());
  EXPECT_TRUE(TabbarViewController::sharedInstance()->isViewLoaded());

  // The old look fades out above the new one for 0.3 s.
  ASSERT_EQ(window->layer()->sublayers().size(), layersBefore + 1);
  auto overlay = window->layer()->sublayers().back();
  advance(0.29);
  EXPECT_EQ(overlay->superlayer(), window->layer());
  advance(0.02);
  EXPECT_EQ(overlay->superlayer(), nullptr);
  EXPECT_EQ(window->rootViewController(), TabbarViewController::sharedInstance());
  EXPECT_EQ(sharedAppDelegate(), delegate);
}

TEST_F(AppDelegateTest, LaunchingWithoutAWindowReportsSuccessAndShowsNothing) {
  auto delegate = AppDelegate::create();
  app->setDelegate(delegate);
  EXPECT_TRUE(delegate->didFinishLaunchingWithOptions(*app, ios::Dictionary()));
  runUntilIdle();
  EXPECT_EQ(delegate->window(), nullptr);
  EXPECT_EQ(app->keyWindow(), nullptr);

  // A delegate that is not the application's finds no window through the application either.
  app->setDelegate(nullptr);
  auto other = AppDelegate::create();
  auto window = ios::UIWindow::create();
  other->setWindow(window);
  EXPECT_TRUE(other->didFinishLaunchingWithOptions(*app, ios::Dictionary::object()));
  EXPECT_EQ(window->rootViewController(), nullptr);
  EXPECT_EQ(sharedAppDelegate(), nullptr);
}

TEST_F(AppDelegateTest, AHostCanMakeTheDelegateByNameAndSetItsWindowByKey) {
  auto made = ios::makeObject<AppDelegate>("AppDelegate");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->window(), nullptr);
  auto window = ios::UIWindow::create();
  ASSERT_TRUE(made->setValue(window, "window"));
  EXPECT_EQ(made->window(), window);
}

}  // namespace
}  // namespace kerbelin::test
