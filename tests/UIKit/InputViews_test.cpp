#include <UIKit/UIDatePicker.h>
#include <UIKit/UITextField.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include "ControllerTestSupport.h"

namespace ios {
namespace {

// Two date fields sharing one picker and one toolbar, as the history filter does.
class InputViews : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    screen = UIView::create(window->bounds());
    window->addSubview(screen);
    for (auto* field : {&from, &to}) {
      *field = UITextField::create(CGRect(16, field == &from ? 100 : 160, 343, 44));
      (*field)->inputView = picker;
      (*field)->inputAccessoryView = toolbar;
      screen->addSubview(*field);
    }
    toolbar->sizeToFit();
    window->layoutIfNeeded();
  }

  std::shared_ptr<UIView> screen;
  std::shared_ptr<UIDatePicker> picker = UIDatePicker::create();
  std::shared_ptr<UIToolbar> toolbar = UIToolbar::create();
  std::shared_ptr<UITextField> from;
  std::shared_ptr<UITextField> to;
};

TEST_F(InputViews, ATappedFieldShowsItsPickerAndToolbarWhereTheKeyboardWouldBe) {
  EXPECT_EQ(picker->superview(), nullptr);
  TouchGenerator(window).tap(test::centreInWindow(from));
  ASSERT_TRUE(from->isFirstResponder());
  EXPECT_EQ(picker->superview(), window);
  EXPECT_EQ(toolbar->superview(), window);
  EXPECT_EQ(picker->frame(), CGRect(0, 812 - 216, 375, 216));
  EXPECT_EQ(toolbar->frame(), CGRect(0, 812 - 216 - 44, 375, 44));
  EXPECT_EQ(window->subviews().back(), toolbar);  // in front of the screen

  // Moving to the other field keeps the shared views up.
  TouchGenerator(window).tap(test::centreInWindow(to));
  EXPECT_TRUE(to->isFirstResponder());
  EXPECT_FALSE(from->isFirstResponder());
  EXPECT_EQ(picker->superview(), window);
  EXPECT_EQ(toolbar->superview(), window);
}

TEST_F(InputViews, EndEditingOnAnAncestorResignsTheFieldAndTakesTheViewsDown) {
  ASSERT_TRUE(to->becomeFirstResponder());
  auto elsewhere = UIView::create(CGRect(0, 0, 10, 10));
  window->addSubview(elsewhere);
  EXPECT_TRUE(elsewhere->endEditing(true));  // the field is not inside it: untouched
  EXPECT_TRUE(to->isFirstResponder());

  EXPECT_TRUE(screen->endEditing(true));
  EXPECT_FALSE(to->isFirstResponder());
  EXPECT_FALSE(to->isEditing());
  EXPECT_EQ(picker->superview(), nullptr);
  EXPECT_EQ(toolbar->superview(), nullptr);
}

}  // namespace
}  // namespace ios
