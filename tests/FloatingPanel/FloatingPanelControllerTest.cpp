#include <FloatingPanel/FloatingPanelController.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <string>
#include <vector>

namespace ios {
namespace {

constexpr CGFloat kScreenHeight = 812;  // the default screen: 375 x 812, safe area 44 / 34
constexpr CGFloat kSheet = 330;         // visible height at full
constexpr CGFloat kFullY = kScreenHeight - kSheet;

// Full shows kSheet points at the bottom and the tip hides the panel, as the app's sheets do.
class SheetLayout : public FloatingPanelLayout {
 public:
  FloatingPanelPosition initialPosition() const override { return FloatingPanelPosition::tip; }
  std::optional<CGFloat> insetFor(FloatingPanelPosition position) const override {
    if (position == FloatingPanelPosition::full) return kFullY;
    if (position == FloatingPanelPosition::tip) return 0.0;
    return std::nullopt;
  }
};

std::string nameOf(FloatingPanelPosition position) {
  static const char* const kNames[] = {"full", "half", "tip", "hidden"};  // in declaration order
  return kNames[static_cast<int>(position)];
}

class Recorder : public FloatingPanelControllerDelegate {
 public:
  std::vector<std::string> events;
  std::shared_ptr<FloatingPanelLayout> layout = std::make_shared<SheetLayout>();
  CGPoint releaseVelocity;

  std::shared_ptr<FloatingPanelLayout> layoutFor(FloatingPanelController&) override { return layout; }
  void floatingPanelDidChangePosition(FloatingPanelController& panel) override {
    events.push_back("position " + nameOf(panel.position()));
  }
  bool floatingPanelShouldBeginDragging(FloatingPanelController&) override {
    events.push_back("shouldBegin");
    return true;
  }
  void floatingPanelWillBeginDragging(FloatingPanelController&) override {
    events.push_back("willBeginDragging");
  }
  void floatingPanelDidMove(FloatingPanelController&) override {
    if (events.empty() || events.back() != "move") events.push_back("move");  // one entry per run of moves
  }
  void floatingPanelDidEndDragging(FloatingPanelController&, CGPoint velocity,
                                   FloatingPanelPosition target) override {
    releaseVelocity = velocity;
    events.push_back("endDragging " + nameOf(target));
  }
  void floatingPanelWillBeginDecelerating(FloatingPanelController&) override {
    events.push_back("willDecelerate");
  }
  void floatingPanelDidEndDecelerating(FloatingPanelController& panel) override {
    events.push_back("didDecelerate " + nameOf(panel.position()));
  }
  void floatingPanelDidEndRemove(FloatingPanelController&) override { events.push_back("removed"); }
};

class FloatingPanelTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    host = UIViewController::create();
    show(host);
    runUntilIdle();
    recorder = std::make_shared<Recorder>();
    panel = FloatingPanelController::create();
    panel->setDelegate(recorder);
    content = UIViewController::create();
    panel->set(content);
  }
  void TearDown() override {
    panel.reset();
    host.reset();
    WindowTest::TearDown();
  }

  // Adds the panel at tip and slides it to full, then forgets the events so far.
  void showAtFull() {
    panel->addPanel(host);
    panel->move(FloatingPanelPosition::full, true);
    advance(FloatingPanelController::animationDuration);
    runUntilIdle();
    recorder->events.clear();
  }
  CGFloat surfaceY() const { return panel->surfaceView()->frame().minY(); }

  std::shared_ptr<UIViewController> host;
  std::shared_ptr<Recorder> recorder;
  std::shared_ptr<FloatingPanelController> panel;
  std::shared_ptr<UIViewController> content;
};

TEST_F(FloatingPanelTest, AddedWithoutAnimationItRestsOutOfSightAtTheTip) {
  panel->addPanel(host);
  EXPECT_EQ(panel->position(), FloatingPanelPosition::tip);
  EXPECT_EQ(surfaceY(), kScreenHeight);
  EXPECT_EQ(panel->surfaceView()->frame().size, CGSize(375, kSheet));
  EXPECT_EQ(panel->backdropView()->frame(), host->view()->bounds());
  EXPECT_EQ(panel->backdropView()->alpha(), 0);
  // The content fills the surface once laid out.
  runUntilIdle();
  EXPECT_EQ(content->parent(), panel);
  EXPECT_EQ(content->view()->frame(), CGRect(0, 0, 375, kSheet));
}

TEST_F(FloatingPanelTest, AnAnimatedMoveArrivesOnTheClockAndThenRunsItsCompletion) {
  panel->addPanel(host);
  bool completed = false;
  panel->move(FloatingPanelPosition::full, true, [&] { completed = true; });
  EXPECT_EQ(panel->position(), FloatingPanelPosition::full);  // the destination from the start
  advance(FloatingPanelController::animationDuration / 2);
  EXPECT_GT(surfaceY(), kFullY);
  EXPECT_LT(surfaceY(), kScreenHeight);
  EXPECT_GT(panel->backdropView()->alpha(), 0);
  EXPECT_LT(panel->backdropView()->alpha(), 0.3);
  EXPECT_FALSE(completed);
  advance(FloatingPanelController::animationDuration / 2);
  EXPECT_TRUE(completed);
  EXPECT_EQ(surfaceY(), kFullY);
  EXPECT_DOUBLE_EQ(panel->backdropView()->alpha(), 0.3);
  // Code moves report the position change only, never the deceleration of a drag.
  EXPECT_EQ(recorder->events, std::vector<std::string>{"position full"});
}

TEST_F(FloatingPanelTest, TheBackdropTakesTapsOnlyWhileItDims) {
  int backdropTaps = 0;
  auto tap = std::make_shared<UITapGestureRecognizer>();
  tap->addAction([&](UIGestureRecognizer&) { ++backdropTaps; });
  panel->backdropView()->addGestureRecognizer(tap);
  int hostTaps = 0;
  auto hostTap = std::make_shared<UITapGestureRecognizer>();
  hostTap->addAction([&](UIGestureRecognizer&) { ++hostTaps; });
  host->view()->addGestureRecognizer(hostTap);
  panel->addPanel(host);

  TouchGenerator touches(window);
  touches.tap(CGPoint{100, 200});  // at the tip the backdrop is clear and lets the tap through
  runUntilIdle();
  EXPECT_EQ(backdropTaps, 0);
  EXPECT_EQ(hostTaps, 1);

  panel->move(FloatingPanelPosition::full, false);
  touches.tap(CGPoint{100, 200});
  runUntilIdle();
  EXPECT_EQ(backdropTaps, 1);
  EXPECT_EQ(hostTaps, 1);
}

TEST_F(FloatingPanelTest, ADragDownReportsInOrderAndSettlesAtTheTip) {
  showAtFull();
  TouchGenerator touches(window);
  touches.drag(CGPoint{187, kFullY + 40}, CGPoint{187, kFullY + 240}, 0.2);
  // Released below the middle and moving down: the tip is chosen, the settle has only begun.
  EXPECT_EQ(recorder->events,
            (std::vector<std::string>{"shouldBegin", "willBeginDragging", "move", "endDragging tip",
                                      "position tip", "willDecelerate"}));
  EXPECT_GT(recorder->releaseVelocity.y, 500);
  EXPECT_EQ(panel->position(), FloatingPanelPosition::tip);
  EXPECT_LT(surfaceY(), kScreenHeight);
  advance(FloatingPanelController::animationDuration);
  EXPECT_EQ(recorder->events.back(), "didDecelerate tip");
  EXPECT_EQ(surfaceY(), kScreenHeight);
}

TEST_F(FloatingPanelTest, AQuickFlickCarriesPastTheMiddle) {
  showAtFull();
  TouchGenerator touches(window);
  // Only 60 points down, but fast: the projected resting point is past the middle.
  touches.drag(CGPoint{187, kFullY + 40}, CGPoint{187, kFullY + 100}, 0.05, 5);
  EXPECT_LT(surfaceY(), kFullY + 100);
  EXPECT_EQ(panel->position(), FloatingPanelPosition::tip);
  advance(FloatingPanelController::animationDuration);
  EXPECT_EQ(recorder->events.back(), "didDecelerate tip");
}

TEST_F(FloatingPanelTest, DragsStopAtTheInteractionBuffer) {
  showAtFull();
  TouchGenerator touches(window);
  touches.drag(CGPoint{187, kFullY + 40}, CGPoint{187, kFullY - 200}, 0.5, 10, false);
  EXPECT_EQ(surfaceY(), kFullY - 6);
  touches.up();
  advance(FloatingPanelController::animationDuration);
  EXPECT_EQ(surfaceY(), kFullY);
}

TEST_F(FloatingPanelTest, GrabbingTheSurfaceStopsAMoveAndDropsItsCompletion) {
  showAtFull();
  bool completed = false;
  panel->move(FloatingPanelPosition::tip, true, [&] { completed = true; });
  advance(0.05);
  const CGFloat grabbedAt = surfaceY();
  ASSERT_GT(grabbedAt, kFullY);
  TouchGenerator touches(window);
  touches.down(CGPoint{187, grabbedAt + 20});
  touches.move(CGPoint{187, grabbedAt + 5});
  touches.move(CGPoint{187, grabbedAt - 10});
  EXPECT_FALSE(panel->isAnimating());
  advance(0.3);
  touches.up();
  advance(1);
  EXPECT_FALSE(completed);
  EXPECT_EQ(panel->position(), FloatingPanelPosition::full);
  EXPECT_EQ(surfaceY(), kFullY);
}

TEST_F(FloatingPanelTest, RemovingSlidesOutThenDetachesAndCompletes) {
  showAtFull();
  bool completed = false;
  panel->removePanelFromParent(true, [&] { completed = true; });
  advance(FloatingPanelController::animationDuration / 2);
  EXPECT_EQ(panel->parent(), host);
  EXPECT_FALSE(completed);
  advance(FloatingPanelController::animationDuration / 2);
  EXPECT_TRUE(completed);
  EXPECT_EQ(panel->parent(), nullptr);
  EXPECT_EQ(panel->view()->superview(), nullptr);
  EXPECT_TRUE(host->children().empty());
  EXPECT_EQ(recorder->events, (std::vector<std::string>{"position hidden", "removed"}));
}

class TrackedScrollTest : public FloatingPanelTest {
 protected:
  void SetUp() override {
    FloatingPanelTest::SetUp();
    list = UIScrollView::create(CGRect(0, 0, 375, kSheet));
    list->setContentSize(CGSize{375, 2000});
    content->view()->addSubview(list);
    panel->track(list);
    showAtFull();
    runUntilIdle();
  }
  std::shared_ptr<UIScrollView> list;
};

TEST_F(TrackedScrollTest, AtTheTopOfTheListADownwardDragMovesThePanel) {
  TouchGenerator touches(window);
  touches.drag(CGPoint{187, kFullY + 40}, CGPoint{187, kFullY + 140}, 0.5, 10, false);
  EXPECT_GT(surfaceY(), kFullY + 50);
  EXPECT_EQ(list->contentOffset().y, 0);  // held at its top while the panel moves
  touches.up();
  advance(1);
  EXPECT_EQ(list->contentOffset().y, 0);
}

TEST_F(TrackedScrollTest, AnUpwardDragOrAScrolledListScrollsTheList) {
  TouchGenerator touches(window);
  touches.drag(CGPoint{187, kFullY + 240}, CGPoint{187, kFullY + 40}, 0.5, 10);
  EXPECT_EQ(surfaceY(), kFullY);
  EXPECT_GT(list->contentOffset().y, 150);
  advance(3);
  recorder->events.clear();
  const CGFloat scrolled = list->contentOffset().y;
  touches.drag(CGPoint{187, kFullY + 40}, CGPoint{187, kFullY + 100}, 0.5, 10);
  EXPECT_EQ(surfaceY(), kFullY);
  EXPECT_LT(list->contentOffset().y, scrolled);
  EXPECT_TRUE(recorder->events.empty() || recorder->events == std::vector<std::string>{"shouldBegin"});
}

TEST_F(FloatingPanelTest, APanelNobodyHoldsGoesAwayOnceItsMoveIsDropped) {
  panel->addPanel(host);
  panel->move(FloatingPanelPosition::full, true, [keep = host] {});
  std::weak_ptr<FloatingPanelController> weak = panel;
  panel->removePanelFromParent(false);
  panel.reset();
  loop().resetForTesting();  // drops the pending frame, which held the panel and its completion
  EXPECT_TRUE(weak.expired());
}

}  // namespace
}  // namespace ios
