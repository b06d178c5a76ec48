#include <UIKit/IdleWaiter.h>
#include <UIKit/UIScrollView.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <string>

namespace ios {
namespace {

class IdleWaiterTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    scroll = UIScrollView::create({0, 0, 375, 600});
    scroll->setContentSize({375, 3000});
    window->addSubview(scroll);
    window->layoutIfNeeded();
  }
  std::shared_ptr<UIScrollView> scroll;
};

// A host waits on the real clock, a script on the virtual one: either way the wait lasts until the
// animated scroll has arrived, and no longer.
TEST_F(IdleWaiterTest, WaitsOutAnAnimatedScrollOnEitherClock) {
  for (const bool virtualClock : {true, false}) {
    SCOPED_TRACE(virtualClock ? "virtual clock" : "real clock");
    if (!virtualClock) loop().useSystemClock();
    scroll->setContentOffset({0, 0});
    scroll->setContentOffset({0, 800}, true);
    ASSERT_TRUE(IdleWaiter(window).hasMotion());
    std::string reason;
    const double start = now();
    EXPECT_TRUE(IdleWaiter(window).waitUntilIdle(5, reason)) << reason;
    EXPECT_FALSE(scroll->isScrollAnimating());
    EXPECT_EQ(scroll->contentOffset().y, 800);
    EXPECT_LT(now() - start, 5);
  }
}

TEST_F(IdleWaiterTest, GivesUpWithTheReasonWhenARequestStaysOut) {
  loop().beginExternalWork();
  std::string reason;
  EXPECT_FALSE(IdleWaiter(window).waitUntilIdle(0.05, reason));
  EXPECT_EQ(reason.rfind("still waiting for 1 request(s)", 0), 0u) << reason;
}

}  // namespace
}  // namespace ios
