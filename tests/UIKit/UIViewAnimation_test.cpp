#include <QuartzCore/CATransaction.h>
#include <UIKit/UIView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <optional>
#include <string>
#include <vector>

namespace ios {
namespace {

class UIViewAnimation : public test::MainLoopTest {
 protected:
  void TearDown() override {
    UIView::setAnimationsEnabled(true);
    test::MainLoopTest::TearDown();
  }
};

TEST_F(UIViewAnimation, ModelChangesAtOnceWhileTheScreenMovesOverTheDuration) {
  auto view = UIView::create(CGRect(0, 0, 100, 100));
  std::optional<bool> finished;
  UIView::animate(0.3, [&] { view->setAlpha(0); }, [&](bool f) { finished = f; });
  EXPECT_EQ(view->alpha(), 0);  // the model value, at once
  EXPECT_NEAR(view->layer()->presentation().opacity, 1, 1e-9);

  advance(0.15);
  const CGFloat halfway = view->layer()->presentation().opacity;
  EXPECT_GT(halfway, 0.1);
  EXPECT_LT(halfway, 0.9);

  advance(0.14);  // 0.29 s: not yet
  EXPECT_FALSE(finished);
  advance(0.01);  // 0.30 s
  runUntilIdle();
  EXPECT_EQ(finished, true);
  EXPECT_FALSE(view->layer()->hasAnimations());
  EXPECT_EQ(view->layer()->presentation().opacity, 0);
}

TEST_F(UIViewAnimation, ZeroDurationCompletesOnALaterTurnNotInsideTheCall) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  std::vector<std::string> log;
  UIView::animate(0, [&] { view->setFrame(CGRect(0, 0, 20, 20)); }, [&](bool f) { log.push_back(f ? "done" : "cut"); });
  log.push_back("returned");
  EXPECT_EQ(view->frame(), CGRect(0, 0, 20, 20));
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"returned", "done"}));

  // A block that changes nothing still completes, later.
  bool empty = false;
  UIView::animate(0.3, [] {}, [&](bool) { empty = true; });
  EXPECT_FALSE(empty);
  runUntilIdle();
  EXPECT_TRUE(empty);
}

TEST_F(UIViewAnimation, ReplacedAnimationsFinishFalseAndTheNewOneContinuesFromTheScreen) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  std::vector<bool> results;
  UIView::animate(1.0, 0, UIViewAnimationOptions::curveLinear, [&] { view->setCenter({105, 5}); },
                  [&](bool f) { results.push_back(f); });
  advance(0.5);
  const CGPoint midway = view->layer()->presentation().position;
  EXPECT_NEAR(midway.x, 55, 1e-6);
  UIView::animate(1.0, 0, UIViewAnimationOptions::curveLinear, [&] { view->setCenter({5, 5}); },
                  [&](bool f) { results.push_back(f); });
  EXPECT_NEAR(view->layer()->presentation().position.x, 55, 1e-6);  // no jump
  runUntilIdle();
  EXPECT_EQ(results, (std::vector<bool>{false}));
  advance(1.0);
  runUntilIdle();
  EXPECT_EQ(results, (std::vector<bool>{false, true}));
  EXPECT_EQ(view->layer()->presentation().position, (CGPoint{5, 5}));
}

TEST_F(UIViewAnimation, SpringSettlesOnTheNewValueAtTheEnd) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  bool done = false;
  UIView::animate(0.3, 0, 0.5, 0.2, 0, [&] { view->setTransform(CGAffineTransform::scale(2, 2)); },
                  [&](bool) { done = true; });
  advance(0.1);
  EXPECT_NE(view->layer()->presentation().transform.m11, 2);
  advance(0.2);
  runUntilIdle();
  EXPECT_TRUE(done);
  EXPECT_EQ(view->layer()->presentation().transform.m11, 2);
  EXPECT_EQ(view->transform(), CGAffineTransform::scale(2, 2));
}

TEST_F(UIViewAnimation, DelayHoldsTheOldValueUntilItStarts) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  bool done = false;
  UIView::animate(0.2, 0.5, 0, [&] { view->setAlpha(0.5); }, [&](bool) { done = true; });
  advance(0.4);
  EXPECT_NEAR(view->layer()->presentation().opacity, 1, 1e-9);
  advance(0.3);
  runUntilIdle();
  EXPECT_TRUE(done);
}

TEST_F(UIViewAnimation, DisabledAnimationsApplyAtOnceAndStillComplete) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  UIView::setAnimationsEnabled(false);
  bool done = false;
  UIView::animate(5, [&] { view->setAlpha(0.2); }, [&](bool f) { done = f; });
  EXPECT_FALSE(view->layer()->hasAnimations());
  EXPECT_NEAR(view->layer()->presentation().opacity, 0.2, 1e-6);
  runUntilIdle();
  EXPECT_TRUE(done);

  UIView::setAnimationsEnabled(true);
  UIView::performWithoutAnimation([&] { view->setAlpha(1); });
  EXPECT_FALSE(view->layer()->hasAnimations());
}

TEST_F(UIViewAnimation, CrossDissolveFadesAnOverlayAndRemovesIt) {
  auto window = UIWindow::create(CGRect(0, 0, 50, 50));
  window->setBackgroundColor(UIColor::red());
  const auto layersBefore = window->layer()->sublayers().size();
  bool done = false;
  UIView::transition(window, 0.3, UIViewAnimationOptions::transitionCrossDissolve,
                     [&] { window->setBackgroundColor(UIColor::blue()); }, [&](bool f) { done = f; });
  EXPECT_EQ(window->layer()->sublayers().size(), layersBefore + 1);  // the old look on top
  EXPECT_FALSE(window->layer()->hasAnimations());                    // the change itself applied at once
  advance(0.3);
  runUntilIdle();
  EXPECT_TRUE(done);
  EXPECT_EQ(window->layer()->sublayers().size(), layersBefore);
}

TEST_F(UIViewAnimation, TransactionCompletionWaitsForEveryAnimationInside) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  bool transactionDone = false, blockDone = false;
  CATransaction::begin();
  CATransaction::setCompletionBlock([&] { transactionDone = true; });
  UIView::animate(0.5, [&] { view->setAlpha(0); }, [&](bool) { blockDone = true; });
  CATransaction::commit();
  runUntilIdle();
  EXPECT_FALSE(transactionDone);
  advance(0.5);
  runUntilIdle();
  EXPECT_TRUE(blockDone);
  EXPECT_TRUE(transactionDone);

  bool emptyDone = false;
  CATransaction::begin();
  CATransaction::setCompletionBlock([&] { emptyDone = true; });
  CATransaction::commit();
  EXPECT_FALSE(emptyDone);
  runUntilIdle();
  EXPECT_TRUE(emptyDone);
}

TEST_F(UIViewAnimation, RemovingAnimationsReportsUnfinished) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  std::optional<bool> finished;
  UIView::animate(1, [&] { view->setAlpha(0); }, [&](bool f) { finished = f; });
  view->layer()->removeAllAnimations();
  runUntilIdle();
  EXPECT_EQ(finished, false);
  EXPECT_EQ(view->layer()->presentation().opacity, 0);
}

// Everything due by the end of an `advance` has happened when it returns, however the ends of
// several fades fall together: no completion waits for a turn after it.
TEST_F(UIViewAnimation, FadesEndingWithinOneAdvanceHaveAllCompletedWhenItReturns) {
  auto window = UIWindow::create(CGRect(0, 0, 100, 100));
  auto first = UIView::create(CGRect(0, 0, 10, 10));
  auto second = UIView::create(CGRect(0, 0, 10, 10));
  window->addSubview(first);
  window->addSubview(second);
  std::vector<std::string> log;
  auto fadeOut = [&](const std::shared_ptr<UIView>& view, const std::string& name) {
    UIView::animate(
        0.3, [view] { view->setAlpha(0); },
        [view, name, &log](bool finished) {
          view->removeFromSuperview();
          log.push_back(name + (finished ? " done" : " cut"));
        });
  };

  // Two fades of different views that end at the same moment.
  fadeOut(first, "first");
  fadeOut(second, "second");
  advance(0.5);
  EXPECT_EQ(log, (std::vector<std::string>{"first done", "second done"}));
  EXPECT_TRUE(window->subviews().empty());

  // Two overlapping fades of the same view: the later one takes over and ends inside the advance,
  // as does the same view fading after an opacity change that cut the first.
  log.clear();
  window->addSubview(first);
  first->setAlpha(1);
  fadeOut(first, "a");
  advance(0.1);
  first->setAlpha(0.5);
  fadeOut(first, "b");
  advance(0.3);  // the second fade ends exactly now
  EXPECT_EQ(log, (std::vector<std::string>{"a cut", "b done"}));

  // A fade ending exactly at the advanced time whose completion starts another short fade and an
  // enclosing transaction that waits for both.
  log.clear();
  window->addSubview(first);
  window->addSubview(second);
  first->setAlpha(1);
  second->setAlpha(1);
  bool transactionDone = false;
  CATransaction::begin();
  CATransaction::setCompletionBlock([&] { transactionDone = true; });
  UIView::animate(
      0.2, 0.1, UIViewAnimationOptions::curveLinear, [&] { first->setAlpha(0); },
      [&](bool) {
        log.push_back("delayed done");
        fadeOut(second, "chained");
      });
  CATransaction::commit();
  advance(0.3);
  EXPECT_EQ(log, (std::vector<std::string>{"delayed done"}));
  EXPECT_TRUE(transactionDone);
  advance(0.3);
  EXPECT_EQ(log, (std::vector<std::string>{"delayed done", "chained done"}));
  EXPECT_FALSE(second->superview());
}

}  // namespace
}  // namespace ios
