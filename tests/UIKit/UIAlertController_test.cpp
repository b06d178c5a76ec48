#include <Foundation/Timer.h>
#include <UIKit/UIAlertController.h>
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

class Alerts : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    show(presenter);
    presenter->log.clear();
  }
  std::shared_ptr<UIAlertAction> action(const std::string& title, UIAlertActionStyle style) {
    return UIAlertAction::create(title, style, [this, title](UIAlertAction& a) {
      handled.push_back(title);
      handlerSawPresented = presenter->presentedViewController() != nullptr;
      EXPECT_EQ(a.title(), title);
    });
  }

  std::shared_ptr<test::AppearanceLog> presenter = std::make_shared<test::AppearanceLog>();
  std::vector<std::string> handled;
  bool handlerSawPresented = true;
};

TEST_F(Alerts, AlertFadesInOverAPresenterThatStaysAndShowsOneButtonPerAction) {
  auto alert = UIAlertController::create("Thông báo", "Vui lòng vào Cài đặt và cho phép truy cập camera.",
                                         UIAlertControllerStyle::alert);
  alert->addAction(action("Hủy", UIAlertActionStyle::cancel));
  alert->addAction(action("Cài đặt", UIAlertActionStyle::default_));
  presenter->present(alert, true);
  // It fades: the view covers the window from the start instead of sliding up from below.
  EXPECT_EQ(alert->view()->frame(), window->bounds());
  settle();

  EXPECT_EQ(presenter->presentedViewController(), alert);
  EXPECT_EQ(alert->presentingViewController(), presenter);
  EXPECT_EQ(presenter->view()->window(), window);  // still on screen behind the alert
  EXPECT_TRUE(presenter->log.empty());             // and told nothing
  EXPECT_EQ(alert->view()->alpha(), 1);

  auto cancel = findButton(window, "Hủy");
  auto settings = findButton(window, "Cài đặt");
  ASSERT_TRUE(cancel && settings);
  EXPECT_EQ(cancel, alert->buttonFor(*alert->actions()[0]));
  // Two actions sit side by side, the cancel one on the left, inside a box centred on screen.
  const CGRect c = cancel->convert(cancel->bounds(), nullptr);
  const CGRect s = settings->convert(settings->bounds(), nullptr);
  EXPECT_DOUBLE_EQ(c.minY(), s.minY());
  EXPECT_LT(c.maxX(), s.minX() + 1);
  const CGRect box = cancel->superview()->convert(cancel->superview()->bounds(), nullptr);
  EXPECT_NEAR(box.midX(), 187.5, 0.5);
  EXPECT_NEAR(box.midY(), 406, 0.5);
  EXPECT_NEAR(box.width(), 270, 0.5);
  EXPECT_GT(c.minY(), box.minY() + 30);  // the title and the message come first
}

TEST_F(Alerts, ATapDismissesTheAlertAndOnlyThenRunsTheHandlerOnce) {
  auto alert = UIAlertController::create("Thông báo", "Lỗi", UIAlertControllerStyle::alert);
  alert->loadViewIfNeeded();  // an action added after the view loaded still gets its button
  alert->addAction(action("OK", UIAlertActionStyle::default_));
  presenter->present(alert, true);
  settle();

  ASSERT_TRUE(tapButton(window, "OK"));
  EXPECT_TRUE(handled.empty());  // the dismissal runs first
  EXPECT_TRUE(alert->isBeingDismissed());
  // A second tap during the dismissal does nothing more.
  auto ok = findButton(window, "OK");
  ASSERT_TRUE(ok);
  TouchGenerator(window).tap(test::centreInWindow(ok));
  settle();

  EXPECT_EQ(handled, std::vector<std::string>{"OK"});
  EXPECT_FALSE(handlerSawPresented);
  EXPECT_EQ(presenter->presentedViewController(), nullptr);
  EXPECT_EQ(alert->view()->superview(), nullptr);
  EXPECT_EQ(findButton(window, "OK"), nullptr);
  EXPECT_TRUE(presenter->log.empty());
}

TEST_F(Alerts, ThreeOrMoreActionsStackInOrderWithTheCancelLastAndDisabledOnesIgnoreTaps) {
  auto alert = UIAlertController::create("Chọn", std::nullopt, UIAlertControllerStyle::alert);
  alert->addAction(action("Hủy", UIAlertActionStyle::cancel));
  alert->addAction(action("Xóa", UIAlertActionStyle::destructive));
  auto disabled = action("Lưu", UIAlertActionStyle::default_);
  disabled->isEnabled = false;
  alert->addAction(disabled);
  presenter->present(alert, false);
  settle();

  std::vector<CGFloat> tops;
  for (const char* title : {"Xóa", "Lưu", "Hủy"}) {
    auto button = findButton(window, title);
    ASSERT_TRUE(button) << title;
    tops.push_back(button->convert(button->bounds(), nullptr).minY());
  }
  EXPECT_LT(tops[0], tops[1]);
  EXPECT_LT(tops[1], tops[2]);
  EXPECT_FALSE(equalColors(findButton(window, "Xóa")->currentTitleColor(),
                           findButton(window, "Hủy")->currentTitleColor()));

  ASSERT_TRUE(tapButton(window, "Lưu"));
  settle();
  EXPECT_TRUE(handled.empty());
  EXPECT_EQ(presenter->presentedViewController(), alert);

  ASSERT_TRUE(tapButton(window, "Xóa"));
  settle();
  EXPECT_EQ(handled, std::vector<std::string>{"Xóa"});
}

TEST_F(Alerts, AnActionSheetGroupsItsCancelAtTheBottomAndABackdropTapCancels) {
  auto sheet = UIAlertController::create("Ảnh QR", std::nullopt, UIAlertControllerStyle::actionSheet);
  sheet->addAction(action("Hủy", UIAlertActionStyle::cancel));
  sheet->addAction(action("Chụp ảnh", UIAlertActionStyle::default_));
  sheet->addAction(action("Thư viện", UIAlertActionStyle::default_));
  presenter->present(sheet, true);
  settle();

  auto cancel = findButton(window, "Hủy");
  auto library = findButton(window, "Thư viện");
  ASSERT_TRUE(cancel && library);
  const CGRect c = cancel->convert(cancel->bounds(), nullptr);
  const CGRect l = library->convert(library->bounds(), nullptr);
  EXPECT_NE(cancel->superview(), library->superview());  // a group of its own
  EXPECT_GT(c.minY(), l.maxY());
  EXPECT_NEAR(c.maxY(), 812 - 34, 0.5);  // above the home indicator
  EXPECT_NEAR(c.width(), 375 - 16, 0.5);

  // A tap on the sheet's title is no tap on the backdrop.
  const CGRect group = library->superview()->convert(library->superview()->bounds(), nullptr);
  TouchGenerator(window).tap({group.midX(), group.minY() + 10});
  settle();
  EXPECT_TRUE(handled.empty());
  EXPECT_EQ(presenter->presentedViewController(), sheet);

  // A tap on the dimmed area above the sheet acts as the cancel button.
  TouchGenerator(window).tap({187, 100});
  settle();
  EXPECT_EQ(handled, std::vector<std::string>{"Hủy"});
  EXPECT_EQ(presenter->presentedViewController(), nullptr);
}

TEST_F(Alerts, WithoutACancelActionABackdropTapLeavesTheSheetUp) {
  auto sheet = UIAlertController::create("Ảnh", std::nullopt, UIAlertControllerStyle::actionSheet);
  sheet->addAction(action("Lưu", UIAlertActionStyle::default_));
  presenter->present(sheet, true);
  settle();
  TouchGenerator(window).tap({187, 100});
  settle();
  EXPECT_TRUE(handled.empty());
  EXPECT_EQ(presenter->presentedViewController(), sheet);
}

TEST_F(Alerts, AnAlertWithoutActionsStaysUntilCodeDismissesIt) {
  // The photo-saved notice: no buttons, taken down by a one-shot timer with a completion.
  auto alert = UIAlertController::create("", "Lưu ảnh thành công", UIAlertControllerStyle::alert);
  presenter->present(alert, true);
  settle();
  TouchGenerator(window).tap({187, 406});  // the box
  TouchGenerator(window).tap({20, 100});   // the backdrop
  settle();
  EXPECT_EQ(presenter->presentedViewController(), alert);

  bool completed = false;
  bool clearedAtCompletion = false;
  Timer::scheduledTimer(1.0, false, [&](Timer&) {
    alert->dismiss(true, [&] {
      completed = true;
      clearedAtCompletion = presenter->presentedViewController() == nullptr;
    });
  });
  advance(1.0);
  EXPECT_FALSE(completed);
  settle();
  EXPECT_TRUE(completed);
  EXPECT_TRUE(clearedAtCompletion);
}

TEST(AlertsDeathTest, ASecondCancelActionIsAProgrammerError) {
  auto alert = UIAlertController::create("A", "B", UIAlertControllerStyle::alert);
  alert->addAction(UIAlertAction::create("Hủy", UIAlertActionStyle::cancel));
  EXPECT_DEATH(alert->addAction(UIAlertAction::create("Thôi", UIAlertActionStyle::cancel)),
               "only have one action");
}

}  // namespace
}  // namespace ios
