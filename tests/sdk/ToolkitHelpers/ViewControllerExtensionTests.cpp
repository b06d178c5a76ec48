#include <Application/AppDelegate.h>
#include <Toast/UIViewToast.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIButton.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITabBarController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Extensions/UIViewControllerExtension.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include "UIKit/ControllerTestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGRect;
using ios::UIAlertAction;
using ios::UIAlertActionStyle;
using ios::UIAlertController;
using ios::UIAlertControllerStyle;
using ios::UIViewController;

using ios::test::findButton;

// A key window of 320 x 480 showing a plain screen, with the framework's AppDelegate holding it.
class ControllerHelpers : public ios::test::WindowTest {
 protected:
  ControllerHelpers() : WindowTest({320, 480}) {}
  void SetUp() override {
    WindowTest::SetUp();
    show(screen);
    delegate = AppDelegate::create();
    delegate->setWindow(window);
    ios::UIApplication::shared()->setDelegate(delegate);
  }
  void TearDown() override {
    ios::UIApplication::shared()->setDelegate(nullptr);
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    WindowTest::TearDown();
  }
  bool tap(const std::string& title) { return ios::test::tapButton(window, title); }
  std::shared_ptr<UIAlertController> shownAlert() const {
    return std::dynamic_pointer_cast<UIAlertController>(screen->presentedViewController());
  }
  std::vector<std::shared_ptr<ios::ToastView>> toasts() const {
    std::vector<std::shared_ptr<ios::ToastView>> found;
    for (const auto& view : window->subviews())
      if (auto toast = std::dynamic_pointer_cast<ios::ToastView>(view)) found.push_back(toast);
    return found;
  }

  std::shared_ptr<UIViewController> screen = std::make_shared<UIViewController>();
  std::shared_ptr<AppDelegate> delegate;
};

TEST_F(ControllerHelpers, TitleAndACentredTwoSecondToastOnTheDelegatesWindow) {
  changeTitle(*screen, "Thẻ của tôi");
  EXPECT_EQ(screen->navigationItem.title, "Thẻ của tôi");

  showMessage(*screen, "Lưu ảnh thành công");
  auto shown = toasts();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]->message(), "Lưu ảnh thành công");
  EXPECT_EQ(shown[0]->duration(), 2.0);
  EXPECT_EQ(shown[0]->center(), (ios::CGPoint{160, 240}));
  advance(1.9);
  EXPECT_EQ(toasts().size(), 1u);
  advance(1.0);  // past the 2 s and the fade
  runUntilIdle();
  EXPECT_TRUE(toasts().empty());
}

TEST_F(ControllerHelpers, MessageWithoutTheFrameworksDelegateOrItsWindowShowsNothing) {
  delegate->setWindow(nullptr);
  showMessage(*screen, "A");
  EXPECT_TRUE(toasts().empty());

  // A host's own delegate, even with a window, is not the framework's.
  class HostDelegate : public ios::UIApplicationDelegate {
   public:
    std::shared_ptr<ios::UIWindow> window() const override { return window_; }
    void setWindow(std::shared_ptr<ios::UIWindow> window) override { window_ = std::move(window); }

   private:
    std::shared_ptr<ios::UIWindow> window_;
  };
  auto host = std::make_shared<HostDelegate>();
  host->setWindow(window);
  ios::UIApplication::shared()->setDelegate(host);
  showMessage(*screen, "B");
  EXPECT_TRUE(toasts().empty());
  EXPECT_EQ(appDelegate(*screen), nullptr);

  ios::UIApplication::shared()->setDelegate(nullptr);
  showMessage(*screen, "C");
  EXPECT_TRUE(toasts().empty());
}

TEST_F(ControllerHelpers, OneButtonAlertSaysOKUnlessGivenATitle) {
  showAlert(*screen, "Thông báo", "Không có kết nối mạng");
  auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyle::alert);
  EXPECT_EQ(alert->title, "Thông báo");
  EXPECT_EQ(alert->message, "Không có kết nối mạng");
  EXPECT_EQ(alert->actions().size(), 1u);
  settle();
  // The one button only closes the alert.
  ASSERT_TRUE(tap("OK"));
  settle();
  EXPECT_EQ(screen->presentedViewController(), nullptr);

  showAlert(*screen, "Thông báo", "Đã lưu", std::string("Đồng ý"));
  settle();
  EXPECT_NE(findButton(window, "Đồng ý"), nullptr);
  EXPECT_EQ(findButton(window, "OK"), nullptr);
}

TEST_F(ControllerHelpers, AlertsAndSheetsCarryTheCallersActionsInOrder) {
  std::vector<std::string> handled;
  auto make = [&](const std::string& title, UIAlertActionStyle style) {
    return UIAlertAction::create(title, style,
                                 [&handled, title](UIAlertAction&) { handled.push_back(title); });
  };
  auto camera = make("Chụp ảnh", UIAlertActionStyle::default_);
  auto library = make("Chọn ảnh", UIAlertActionStyle::default_);
  auto cancel = make("Hủy", UIAlertActionStyle::cancel);
  showAlertSheet(*screen, "Ảnh", "Chọn nguồn", {camera, library, cancel});
  auto sheet = shownAlert();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->preferredStyle(), UIAlertControllerStyle::actionSheet);
  EXPECT_EQ(sheet->message, "Chọn nguồn");
  EXPECT_EQ(sheet->actions(), (std::vector<std::shared_ptr<UIAlertAction>>{camera, library, cancel}));
  settle();
  ASSERT_TRUE(tap("Chọn ảnh"));
  settle();
  EXPECT_EQ(handled, std::vector<std::string>{"Chọn ảnh"});
  EXPECT_EQ(screen->presentedViewController(), nullptr);

  showAlert(*screen, "Xóa", "Bạn chắc chứ?", std::vector<std::shared_ptr<UIAlertAction>>{cancel, camera});
  ASSERT_NE(shownAlert(), nullptr);
  EXPECT_EQ(shownAlert()->preferredStyle(), UIAlertControllerStyle::alert);
  EXPECT_EQ(shownAlert()->actions(), (std::vector<std::shared_ptr<UIAlertAction>>{cancel, camera}));
  settle();
}

TEST_F(ControllerHelpers, AnAlertWithNoActionsHasNoButtonsAndStays) {
  showAlert(*screen, "Đang xử lý", "", std::vector<std::shared_ptr<UIAlertAction>>{});
  auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_TRUE(alert->actions().empty());
  settle();
  EXPECT_EQ(findButton(alert->view(), "OK"), nullptr);
  advance(10);
  EXPECT_EQ(screen->presentedViewController(), alert);
}

TEST_F(ControllerHelpers, OnlyTheProgressFormLocksTouchesAndOneStopUnlocks) {
  int taps = 0;
  auto button = ios::UIButton::create(CGRect(20, 100, 200, 44));
  button->setTitle("Thanh toán", ios::UIControl::normal);
  button->addAction([&taps](ios::UIControl&) { ++taps; }, ios::UIControl::touchUpInside);
  screen->view()->addSubview(button);

  startLoading(*screen);
  startLoading(*screen, "Đang tải");
  EXPECT_TRUE(screen->view()->isUserInteractionEnabled());
  ASSERT_TRUE(tap("Thanh toán"));
  EXPECT_EQ(taps, 1);

  startLoading(*screen, 0.5f);
  startLoading(*screen, 0.9f);
  EXPECT_FALSE(screen->view()->isUserInteractionEnabled());
  ASSERT_TRUE(tap("Thanh toán"));
  EXPECT_EQ(taps, 1);

  stopLoading(*screen);
  EXPECT_TRUE(screen->view()->isUserInteractionEnabled());
  ASSERT_TRUE(tap("Thanh toán"));
  EXPECT_EQ(taps, 2);
}

TEST_F(ControllerHelpers, ModalWhenPresentedDirectlyOrInsideAPresentedNavigationController) {
  // The window's root, with no navigation controller and never presented: not modal.
  EXPECT_FALSE(isModal(*screen));

  auto pushed = std::make_shared<UIViewController>();
  auto navigation = ios::UINavigationController::create(std::make_shared<UIViewController>());
  navigation->pushViewController(pushed, false);
  screen->present(navigation, false);
  settle();
  EXPECT_TRUE(isModal(*pushed));
  EXPECT_TRUE(isModal(*navigation->viewControllers().front()));
  navigation->dismiss(false);
  settle();
  EXPECT_FALSE(isModal(*pushed));

  auto popup = std::make_shared<UIViewController>();
  screen->present(popup, false);
  settle();
  EXPECT_TRUE(isModal(*popup));
}

TEST_F(ControllerHelpers, NavigationAndTabRootsAreModalOnlyWhenPresented) {
  auto root = std::make_shared<UIViewController>();
  auto navigation = ios::UINavigationController::create(root);
  auto shell = ios::UITabBarController::create();
  shell->setViewControllers({navigation});
  window->setRootViewController(shell);
  settle();
  EXPECT_FALSE(isModal(*root));
  EXPECT_FALSE(isModal(*navigation));

  // Tabs presented by tabs make their screens modal.
  auto inner = std::make_shared<UIViewController>();
  auto presentedTabs = ios::UITabBarController::create();
  presentedTabs->setViewControllers({inner});
  shell->present(presentedTabs, false);
  settle();
  EXPECT_TRUE(isModal(*inner));
  EXPECT_FALSE(isModal(*root));
}

TEST_F(ControllerHelpers, TopControllerFollowsTabsNavigationAndPresentation) {
  auto tabs = ios::UITabBarController::create();
  auto s = std::make_shared<UIViewController>();
  auto navigation = ios::UINavigationController::create(std::make_shared<UIViewController>());
  navigation->pushViewController(s, false);
  tabs->setViewControllers({std::make_shared<UIViewController>(), navigation});
  tabs->setSelectedIndex(1);
  window->setRootViewController(tabs);
  settle();
  EXPECT_EQ(getTopViewController(tabs), s);
  EXPECT_EQ(getTopViewController(), s);

  auto p = std::make_shared<UIViewController>();
  s->present(p, false);
  settle();
  EXPECT_EQ(getTopViewController(tabs), p);
  EXPECT_EQ(getTopViewController(), p);

  // A plain controller is its own top; nothing gives nothing.
  auto alone = std::make_shared<UIViewController>();
  EXPECT_EQ(getTopViewController(alone), alone);
  EXPECT_EQ(getTopViewController(nullptr), nullptr);
}

TEST_F(ControllerHelpers, WithoutAKeyWindowThereIsNoTopController) {
  ios::UIApplication::shared()->setKeyWindow(nullptr);
  EXPECT_EQ(getTopViewController(), nullptr);
}

}  // namespace
}  // namespace kerbelin
