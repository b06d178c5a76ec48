#include <UIKit/TouchGenerator.h>
#include <UIKit/UIRefreshControl.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <functional>
#include <string>
#include <vector>

namespace ios {
namespace {

// Logs the delegate calls by name, with the offset at each `scrollViewDidScroll`.
class ScrollLog : public UIScrollViewDelegate {
 public:
  std::vector<std::string> calls;
  std::vector<CGFloat> scrolledY;
  CGPoint velocity;
  CGPoint proposedTarget;
  bool willDecelerate = false;
  std::function<void(UIScrollView&)> onScroll;
  std::function<void(CGPoint&)> onWillEnd;

  void scrollViewDidScroll(UIScrollView& view) override {
    record("didScroll");
    scrolledY.push_back(view.contentOffset().y);
    if (onScroll) onScroll(view);
  }
  void scrollViewWillBeginDragging(UIScrollView&) override { record("willBeginDragging"); }
  void scrollViewWillEndDragging(UIScrollView&, CGPoint v, CGPoint& target) override {
    record("willEndDragging");
    velocity = v;
    proposedTarget = target;
    if (onWillEnd) onWillEnd(target);
  }
  void scrollViewDidEndDragging(UIScrollView&, bool decelerate) override {
    record("didEndDragging");
    willDecelerate = decelerate;
  }
  void scrollViewWillBeginDecelerating(UIScrollView&) override { record("willBeginDecelerating"); }
  void scrollViewDidEndDecelerating(UIScrollView&) override { record("didEndDecelerating"); }
  void scrollViewDidEndScrollingAnimation(UIScrollView&) override { record("didEndScrollingAnimation"); }

  // The calls with runs of didScroll folded into one entry.
  std::vector<std::string> folded() const {
    std::vector<std::string> out;
    for (const auto& c : calls)
      if (out.empty() || out.back() != c || c != "didScroll") out.push_back(c);
    return out;
  }
  int count(const std::string& name) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
  }

 private:
  void record(const std::string& name) { calls.push_back(name); }
};

class ScrollViewTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    // Below the top safe area, so that the insets are the scroll view's own.
    scroll = UIScrollView::create(CGRect(0, 100, 375, 600));
    scroll->setContentSize({375, 3000});
    window->addSubview(scroll);
    log = std::make_shared<ScrollLog>();
    scroll->setDelegate(log);
    window->layoutIfNeeded();
    log->calls.clear();
    log->scrolledY.clear();
  }
  void TearDown() override {
    scroll.reset();
    WindowTest::TearDown();
  }

  std::shared_ptr<UIScrollView> scroll;
  std::shared_ptr<ScrollLog> log;
};

TEST_F(ScrollViewTest, ProgrammaticOffsetNotifiesAtOnceAndOnlyOnChange) {
  scroll->setContentOffset({0, 120});
  EXPECT_EQ(log->calls, (std::vector<std::string>{"didScroll"}));
  scroll->setContentOffset({0, 120});
  EXPECT_EQ(log->calls.size(), 1u);
  EXPECT_EQ(scroll->bounds().origin, (CGPoint{0, 120}));
}

TEST_F(ScrollViewTest, OffsetSetFromInsideDidScrollReentersBeforeTheOuterCallReturns) {
  std::vector<std::string> trace;
  log->onScroll = [&](UIScrollView& view) {
    trace.push_back("enter " + std::to_string(static_cast<int>(view.contentOffset().y)));
    if (view.contentOffset().y > 100) view.setContentOffset({0, 40});
    trace.push_back("leave " + std::to_string(static_cast<int>(view.contentOffset().y)));
  };
  scroll->setContentOffset({0, 150});
  EXPECT_EQ(trace, (std::vector<std::string>{"enter 150", "enter 40", "leave 40", "leave 40"}));
  EXPECT_EQ(scroll->contentOffset().y, 40);
}

TEST_F(ScrollViewTest, DragWithDecelerationCallsTheDelegateInUIKitsOrder) {
  TouchGenerator touches(window);
  touches.drag({100, 600}, {100, 400}, 0.1, 10);
  EXPECT_FALSE(scroll->isDragging());
  EXPECT_TRUE(scroll->isDecelerating());
  advance(10);
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_EQ(log->folded(),
            (std::vector<std::string>{"willBeginDragging", "didScroll", "willEndDragging", "didEndDragging",
                                      "willBeginDecelerating", "didScroll", "didEndDecelerating"}));
  EXPECT_TRUE(log->willDecelerate);
  // The finger moved up at 2000 pt/s: 2 points per millisecond in the offset's direction.
  EXPECT_NEAR(log->velocity.y, 2.0, 0.05);
  EXPECT_EQ(log->velocity.x, 0);
  // It rests exactly where it predicted: offset at release + v·r/(1 − r).
  EXPECT_EQ(scroll->contentOffset().y, log->proposedTarget.y);
  EXPECT_GT(log->proposedTarget.y, 800);
}

TEST_F(ScrollViewTest, ReleaseTargetFollowsTheDecelerationRate) {
  scroll->setContentSize({375, 100000});
  TouchGenerator touches(window);
  touches.drag({100, 600}, {100, 400}, 0.1, 10, false);
  const CGFloat atRelease = scroll->contentOffset().y;
  touches.up();
  const CGFloat normalReach = log->proposedTarget.y - atRelease;
  EXPECT_NEAR(normalReach, log->velocity.y * 0.998 / 0.002, 1e-6);
  advance(10);

  scroll->decelerationRate = UIScrollView::DecelerationRate::fast;
  touches.drag({100, 600}, {100, 400}, 0.1, 10, false);
  const CGFloat fastStart = scroll->contentOffset().y;
  touches.up();
  EXPECT_NEAR(log->proposedTarget.y - fastStart, log->velocity.y * 0.99 / 0.01, 1e-6);
}

TEST_F(ScrollViewTest, EachPanMovementAddsToTheCurrentOffset) {
  TouchGenerator touches(window);
  touches.down({100, 600});
  advance(0.02);
  touches.move({100, 580});  // begins the pan (past the 10-point hysteresis)
  advance(0.02);
  touches.move({100, 560});
  EXPECT_EQ(scroll->contentOffset().y, 20);
  // Someone moves the content mid-drag: the next movement starts from there.
  scroll->setContentOffset({0, 500});
  advance(0.02);
  touches.move({100, 550});
  EXPECT_EQ(scroll->contentOffset().y, 510);
  touches.up();
}

TEST_F(ScrollViewTest, ResettingTheOffsetInDidScrollHoldsTheListStill) {
  log->onScroll = [](UIScrollView& view) { view.setContentOffset({0, 0}); };
  TouchGenerator touches(window);
  touches.drag({100, 600}, {100, 300}, 0.3, 15);
  advance(5);
  EXPECT_EQ(scroll->contentOffset().y, 0);
}

TEST_F(ScrollViewTest, PullPastTheTopRubberBandsAtHalfSpeedAndBouncesBack) {
  TouchGenerator touches(window);
  // 10 steps of 10 points: the pan begins at the second step, so 80 points drag past the edge.
  touches.drag({100, 200}, {100, 300}, 0.5, 10, false);
  EXPECT_EQ(scroll->contentOffset().y, -40);
  touches.move({100, 320});
  EXPECT_EQ(scroll->contentOffset().y, -50);
  RunLoop::main().advance(0.5);  // the finger rests, so the release has no speed
  touches.up();
  EXPECT_EQ(log->proposedTarget.y, 0);
  EXPECT_TRUE(scroll->isDecelerating());
  advance(3);
  EXPECT_EQ(scroll->contentOffset().y, 0);
  EXPECT_EQ(log->count("didEndDecelerating"), 1);
}

TEST_F(ScrollViewTest, WithoutBouncingTheOffsetStopsAtTheEdge) {
  scroll->bounces = false;
  TouchGenerator touches(window);
  touches.drag({100, 200}, {100, 300}, 0.5, 10);
  EXPECT_EQ(scroll->contentOffset().y, 0);
  for (CGFloat y : log->scrolledY) EXPECT_GE(y, 0);
}

TEST_F(ScrollViewTest, DelegateMayMoveTheTargetOffset) {
  log->onWillEnd = [](CGPoint& target) { target.y = 777; };
  TouchGenerator touches(window);
  touches.drag({100, 600}, {100, 400}, 0.1, 10);
  advance(10);
  EXPECT_EQ(scroll->contentOffset().y, 777);
}

TEST_F(ScrollViewTest, SlowReleaseDoesNotDecelerate) {
  TouchGenerator touches(window);
  touches.drag({100, 600}, {100, 500}, 0.5, 10, false);
  advance(0.5);
  touches.up();
  EXPECT_FALSE(log->willDecelerate);
  EXPECT_EQ(log->count("willBeginDecelerating"), 0);
  EXPECT_FALSE(scroll->isDecelerating());
}

TEST_F(ScrollViewTest, TouchDuringDecelerationStopsIt) {
  TouchGenerator touches(window);
  touches.drag({100, 600}, {100, 400}, 0.1, 10);
  advance(0.2);
  ASSERT_TRUE(scroll->isDecelerating());
  const CGFloat caught = scroll->contentOffset().y;
  touches.down({100, 400});
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_TRUE(scroll->isTracking());
  advance(1);
  EXPECT_EQ(scroll->contentOffset().y, caught);
  touches.up();
  EXPECT_FALSE(scroll->isTracking());
}

TEST_F(ScrollViewTest, PagingSnapsToTheNeighbouringPage) {
  auto pager = UIScrollView::create(CGRect(0, 100, 300, 200));
  pager->setContentSize({900, 200});
  pager->isPagingEnabled = true;
  window->addSubview(pager);
  pager->setDelegate(log);
  TouchGenerator touches(window);
  touches.drag({250, 200}, {170, 200}, 0.1, 8);
  EXPECT_EQ(log->proposedTarget, (CGPoint{300, 0}));
  advance(0.5);  // settled and reported, however far the page was
  EXPECT_EQ(pager->contentOffset(), (CGPoint{300, 0}));
  EXPECT_EQ(log->count("didEndDecelerating"), 1);
  // Caught on the way by a tap, it still comes to rest on the nearest page.
  touches.drag({250, 200}, {170, 200}, 0.1, 8);
  advance(0.1);  // past the middle of the way
  touches.tap({150, 200});
  advance(0.5);
  EXPECT_EQ(pager->contentOffset(), (CGPoint{600, 0}));
  // A slow drag less than half a page back stays.
  touches.drag({100, 200}, {200, 200}, 1.0, 10, false);
  advance(0.5);
  touches.up();
  advance(3);
  EXPECT_EQ(pager->contentOffset(), (CGPoint{600, 0}));
}

TEST_F(ScrollViewTest, AnimatedOffsetRunsOnTheClockAndEndsOnce) {
  scroll->setContentOffset({0, 900}, true);
  EXPECT_EQ(scroll->contentOffset().y, 0);
  advance(0.15);
  EXPECT_GT(scroll->contentOffset().y, 0);
  EXPECT_LT(scroll->contentOffset().y, 900);
  EXPECT_EQ(log->count("didEndScrollingAnimation"), 0);
  advance(0.2);
  EXPECT_EQ(scroll->contentOffset().y, 900);
  EXPECT_EQ(log->count("didEndScrollingAnimation"), 1);
  EXPECT_GT(log->count("didScroll"), 5);
  // Already there: nothing happens.
  scroll->setContentOffset({0, 900}, true);
  advance(1);
  EXPECT_EQ(log->count("didEndScrollingAnimation"), 1);
}

TEST_F(ScrollViewTest, ScrollRectToVisibleMovesTheLeastDistance) {
  scroll->scrollRectToVisible(CGRect(0, 1000, 10, 50), false);
  EXPECT_EQ(scroll->contentOffset().y, 450);
  scroll->scrollRectToVisible(CGRect(0, 500, 10, 50), false);
  EXPECT_EQ(scroll->contentOffset().y, 450);
  scroll->scrollRectToVisible(CGRect(0, 100, 10, 50), false);
  EXPECT_EQ(scroll->contentOffset().y, 100);
}

TEST_F(ScrollViewTest, ContentInsetWidensTheRangeAndSafeAreaAddsWhereAsked) {
  scroll->setContentInset({0, 0, 60, 0});
  EXPECT_EQ(scroll->maximumContentOffset().y, 3000 + 60 - 600);

  auto top = UIScrollView::create(CGRect(0, 0, 375, 400));
  top->alwaysBounceVertical = true;
  window->addSubview(top);
  window->layoutIfNeeded();
  EXPECT_EQ(top->adjustedContentInset().top, 44);
  EXPECT_EQ(top->contentOffset().y, -44);
  top->setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior::never);
  EXPECT_EQ(top->adjustedContentInset().top, 0);
  EXPECT_EQ(top->contentOffset().y, 0);
}

TEST_F(ScrollViewTest, DisabledScrollingIgnoresDrags) {
  scroll->setScrollEnabled(false);
  TouchGenerator(window).drag({100, 600}, {100, 400}, 0.1, 10);
  EXPECT_EQ(scroll->contentOffset().y, 0);
  EXPECT_TRUE(log->calls.empty());
}

// ---- Pull to refresh

class RefreshTest : public ScrollViewTest {
 protected:
  void SetUp() override {
    ScrollViewTest::SetUp();
    control = UIRefreshControl::create();
    control->addAction([this](UIControl&) { ++refreshes; }, UIControl::valueChanged);
    scroll->addSubview(control);
  }
  std::shared_ptr<UIRefreshControl> control;
  int refreshes = 0;
};

TEST_F(RefreshTest, PullingPastTheThresholdRefreshesAndHoldsTheSpinnerInView) {
  EXPECT_EQ(scroll->refreshControl(), control);
  EXPECT_EQ(control->frame().maxY(), 0);  // just above the content
  TouchGenerator touches(window);
  touches.drag({100, 200}, {100, 400}, 1.0, 20, false);
  advance(0.3);
  touches.up();
  EXPECT_EQ(refreshes, 1);
  EXPECT_TRUE(control->isRefreshing());
  EXPECT_EQ(scroll->adjustedContentInset().top, UIRefreshControl::height);
  advance(3);
  EXPECT_EQ(scroll->contentOffset().y, -UIRefreshControl::height);

  control->endRefreshing();
  EXPECT_FALSE(control->isRefreshing());
  advance(1);
  EXPECT_EQ(scroll->contentOffset().y, 0);
  EXPECT_EQ(scroll->adjustedContentInset().top, 0);
  EXPECT_EQ(refreshes, 1);
}

TEST_F(RefreshTest, EndRefreshingWhenIdleChangesNothing) {
  scroll->setContentOffset({0, 300});
  log->calls.clear();
  control->endRefreshing();
  advance(1);
  EXPECT_TRUE(log->calls.empty());
  EXPECT_EQ(scroll->contentOffset().y, 300);
}

// A pull too short to refresh, and a refresh whose action ends it at once: both settle at the top.
TEST_F(RefreshTest, PullsThatEndWithoutARunningRefreshSettleAtTheTop) {
  const struct {
    const char* name;
    CGFloat pullTo;
    bool endInAction;
    int refreshes;
  } cases[] = {{"short pull", 300, false, 0}, {"ended in the action", 400, true, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    refreshes = 0;
    if (c.endInAction)
      control->addAction([this](UIControl&) { control->endRefreshing(); }, UIControl::valueChanged);
    TouchGenerator touches(window);
    touches.drag({100, 200}, {100, c.pullTo}, 1.0, 20, false);
    advance(0.3);
    touches.up();
    advance(3);
    EXPECT_EQ(refreshes, c.refreshes);
    EXPECT_FALSE(control->isRefreshing());
    EXPECT_EQ(scroll->contentOffset().y, 0);
  }
}

}  // namespace
}  // namespace ios
