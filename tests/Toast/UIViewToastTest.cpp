#include <Toast/UIViewToast.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <algorithm>
#include <string>

namespace ios {
namespace {

class UIViewToast : public test::WindowTest {
 protected:
  UIViewToast() : WindowTest({320, 480}) {}

  // The toast boxes on the window now.
  std::vector<std::shared_ptr<ToastView>> toasts() const {
    std::vector<std::shared_ptr<ToastView>> found;
    for (const auto& view : window->subviews()) {
      if (auto toast = std::dynamic_pointer_cast<ToastView>(view)) found.push_back(toast);
    }
    return found;
  }
};

// The centred two-second toast the app shows is told through its message helper.
const std::string kMessage = "Bạn cần chấp nhận điều khoản dịch vụ";

TEST_F(UIViewToast, ALongMessageWrapsWithinEightyPercentOfTheWidth) {
  std::string longMessage;
  for (int i = 0; i < 12; ++i) longMessage += kMessage + " ";
  makeToast(*window, longMessage, 2.0, ToastPosition::center);
  auto toast = activeToast(*window);
  ASSERT_TRUE(toast);
  EXPECT_LE(toast->frame().size.width, 256.0 + 0.001);
  EXPECT_GT(toast->frame().size.height, 3 * 16);  // several lines
}

TEST_F(UIViewToast, ANewToastWaitsForTheCurrentOne) {
  makeToast(*window, "first", 2.0, ToastPosition::center);
  makeToast(*window, "second", 1.0, ToastPosition::center);
  EXPECT_EQ(queuedToastCount(*window), 1u);
  ASSERT_EQ(toasts().size(), 1u);
  EXPECT_EQ(toasts()[0]->message(), "first");

  advance(2.2);
  runUntilIdle();
  ASSERT_EQ(toasts().size(), 1u);
  EXPECT_EQ(toasts()[0]->message(), "second");
  EXPECT_EQ(queuedToastCount(*window), 0u);
  advance(1.2);
  runUntilIdle();
  EXPECT_TRUE(toasts().empty());
}

TEST_F(UIViewToast, TheManagersDefaultsApplyToAMessageAlone) {
  makeToast(*window, kMessage);
  auto toast = activeToast(*window);
  ASSERT_TRUE(toast);
  EXPECT_GT(toast->center().y, 240);  // bottom
  advance(2.9);
  EXPECT_FALSE(toast->isHiding());
  advance(0.1);
  EXPECT_TRUE(toast->isHiding());
}

TEST_F(UIViewToast, ATapDismissesEarlyAndTheNextOneShows) {
  makeToast(*window, "tap me", 5.0, ToastPosition::center);
  makeToast(*window, "queued", 5.0, ToastPosition::center);
  advance(0.3);
  TouchGenerator touches(window);
  touches.tap(CGPoint(160, 240));
  advance(0.3);
  runUntilIdle();
  ASSERT_EQ(toasts().size(), 1u);
  EXPECT_EQ(toasts()[0]->message(), "queued");
}

}  // namespace
}  // namespace ios
