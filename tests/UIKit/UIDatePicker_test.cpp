#include <Foundation/Calendar.h>
#include <Foundation/TimeZone.h>
#include <UIKit/UIDatePicker.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include "ControllerTestSupport.h"

#include <string>
#include <vector>

namespace ios {
namespace {

using Column = UIDatePicker::Column;

class DatePicker : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    calendar = Calendar(*TimeZone::named("Asia/Ho_Chi_Minh"));
    picker = UIDatePicker::create();
    picker->calendar = calendar;
    picker->addAction([this](UIControl&) { changes.push_back(picker->date()); }, UIControl::valueChanged);
  }
  Date day(int y, int m, int d, int hour = 9) {
    return *calendar.date(DateComponents{.year = y, .month = m, .day = d, .hour = hour});
  }
  std::string shown() {
    return picker->text(Column::day) + "/" + picker->text(Column::month) + "/" + picker->text(Column::year);
  }

  Calendar calendar = Calendar::current();
  std::shared_ptr<UIDatePicker> picker;
  std::vector<Date> changes;
};

TEST_F(DatePicker, StepsMoveByCalendarUnitsAndReportValueChanged) {
  picker->setDate(day(2024, 1, 31));
  EXPECT_EQ(shown(), "31/01/2024");
  EXPECT_TRUE(changes.empty());  // setting in code tells nobody

  picker->step(Column::month, 1);  // Jan 31 + 1 month clamps to Feb 29 in a leap year
  EXPECT_EQ(shown(), "29/02/2024");
  picker->step(Column::year, 1);
  EXPECT_EQ(shown(), "28/02/2025");
  picker->step(Column::day, -1);
  EXPECT_EQ(shown(), "27/02/2025");
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes.back(), day(2025, 2, 27));  // the time of day is kept
}

TEST_F(DatePicker, TheDateStaysWithinTheLimitsAndButtonsAtALimitAreDisabled) {
  // The birthday field: a hundred years back up to the moment the screen loaded.
  const Date now = day(2026, 12, 6, 20);
  picker->setDate(now);
  picker->setMinimumDate(calendar.date(Calendar::Component::year, -100, now));
  picker->setMaximumDate(now);
  EXPECT_FALSE(picker->stepButton(Column::day, 1)->isEnabled());
  EXPECT_FALSE(picker->stepButton(Column::year, 1)->isEnabled());
  EXPECT_TRUE(picker->stepButton(Column::year, -1)->isEnabled());
  picker->step(Column::year, 1);
  EXPECT_EQ(picker->date(), now);
  EXPECT_TRUE(changes.empty());  // nothing moved

  picker->setDate(day(1900, 1, 1));  // below the minimum: clamped up to it
  EXPECT_EQ(picker->date(), *picker->minimumDate());
  picker->setMinimumDate(std::nullopt);
  picker->setDate(day(1900, 1, 1));
  EXPECT_EQ(shown(), "01/01/1900");
  picker->setMaximumDate(day(1899, 6, 1));  // a new limit pulls the current date in
  EXPECT_EQ(shown(), "01/06/1899");
}

TEST_F(DatePicker, TappingTheDrawnButtonsSteps) {
  picker->setFrame(CGRect(0, 500, 375, 216));
  window->addSubview(picker);
  picker->setDate(day(2020, 5, 10));
  window->layoutIfNeeded();
  TouchGenerator touches(window);
  touches.tap(test::centreInWindow(picker->stepButton(Column::day, 1)));
  touches.tap(test::centreInWindow(picker->stepButton(Column::month, -1)));
  EXPECT_EQ(shown(), "11/04/2020");
  EXPECT_EQ(changes.size(), 2u);
}

// Receives the toolbar's actions by selector.
class FieldScreen : public NSObject {
 public:
  std::vector<std::string> log;
  void toTextFieldDone(std::shared_ptr<NSObject> sender) {
    log.push_back("done");
    lastSender = sender;
  }
  void cancelDatePicker() { log.push_back("cancel"); }
  std::shared_ptr<NSObject> lastSender;
};

const auto fieldScreenRegistration = ClassRegistration<FieldScreen>("ToolbarTestFieldScreen")
                                         .method("toTextFieldDone:", &FieldScreen::toTextFieldDone)
                                         .method("cancelDatePicker", &FieldScreen::cancelDatePicker);

TEST_F(DatePicker, AToolbarPutsItsButtonsAtTheEndsAroundAFlexibleSpaceAndSendsTheirActions) {
  auto screen = std::make_shared<FieldScreen>();
  auto toolbar = UIToolbar::create();
  toolbar->sizeToFit();
  EXPECT_EQ(toolbar->frame().size.height, 44);
  EXPECT_GT(toolbar->frame().size.width, 0);
  auto done = UIBarButtonItem::create("Xong", UIBarButtonItemStyle::plain, screen, "toTextFieldDone:");
  auto cancel = UIBarButtonItem::create("Huỷ", UIBarButtonItemStyle::plain, screen, "cancelDatePicker");
  toolbar->setItems({done, UIBarButtonItem::flexibleSpace(), cancel}, false);
  toolbar->setFrame(CGRect(0, 768, 375, 44));

  window->addSubview(toolbar);
  window->layoutIfNeeded();
  const CGRect doneFrame = done->barView()->frame();
  const CGRect cancelFrame = cancel->barView()->frame();
  EXPECT_NEAR(doneFrame.minX(), 16, 0.5);
  EXPECT_NEAR(cancelFrame.maxX(), 375 - 16, 0.5);
  EXPECT_GT(doneFrame.width(), 20);

  ASSERT_TRUE(test::tapButton(window, "Huỷ"));
  ASSERT_TRUE(test::tapButton(window, "Xong"));
  EXPECT_EQ(screen->log, (std::vector<std::string>{"cancel", "done"}));
  EXPECT_EQ(screen->lastSender, done);  // the item is the sender

  done->setEnabled(false);
  ASSERT_TRUE(test::tapButton(window, "Xong"));
  EXPECT_EQ(screen->log.size(), 2u);
  cancel->setTitle("Đóng");  // a new title shows at once, still at the right end
  window->layoutIfNeeded();
  EXPECT_NE(test::findButton(window, "Đóng"), nullptr);
  EXPECT_NEAR(cancel->barView()->frame().maxX(), 375 - 16, 0.5);
}

TEST_F(DatePicker, WithoutFlexibleSpaceToolbarItemsSitSideBySideFromTheLeft) {
  auto screen = std::make_shared<FieldScreen>();
  auto toolbar = UIToolbar::create(CGRect(0, 0, 375, 44));
  auto a = UIBarButtonItem::create("A", UIBarButtonItemStyle::plain, screen, "cancelDatePicker");
  auto b = UIBarButtonItem::create("B", UIBarButtonItemStyle::done, screen, "cancelDatePicker");
  toolbar->setItems({a, UIBarButtonItem::fixedSpace(30), b});
  toolbar->layoutIfNeeded();
  EXPECT_NEAR(b->barView()->frame().minX(), a->barView()->frame().maxX() + 8 + 30 + 8, 0.5);
}

}  // namespace
}  // namespace ios
