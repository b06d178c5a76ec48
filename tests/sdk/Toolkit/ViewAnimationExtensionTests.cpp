#include <UIKit/UIView.h>
#include <Ultilities/Extensions/UIViewAnimationExtension.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <algorithm>

namespace kerbelin {
namespace {

using ios::CGRect;
using ios::UIView;

class ViewAnimations : public ios::test::MainLoopTest {};

TEST_F(ViewAnimations, ScaleKeepsAPerspectiveAndScalesAboutTheAnchor) {
  auto view = UIView::create(CGRect(0, 0, 100, 100));
  scaleNormal(*view);
  const auto normal = view->layer()->transform();
  EXPECT_DOUBLE_EQ(normal.m34, -0.001);
  EXPECT_EQ(normal.m11, 1.0);

  setScale(*view, 2);
  EXPECT_EQ(view->layer()->transform().m11, 2.0);
  EXPECT_EQ(view->layer()->transform().m33, 2.0);
  EXPECT_EQ(view->layer()->frame(), CGRect(-50, -50, 200, 200));

  scaleBigger(*view);
  EXPECT_DOUBLE_EQ(view->layer()->transform().m22, 1.3);

  setScale(*view, 0);
  EXPECT_EQ(view->layer()->frame().size, ios::CGSize::zero);
  EXPECT_FALSE(view->layer()->hasAnimations());  // at once, no animation of its own
}

TEST_F(ViewAnimations, SpringRunsForThreeTenthsAndThenCompletes) {
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  int completions = 0;
  bool finishedFlag = false;
  spring([&] { view->setAlpha(0.5); },
         [&](bool finished) {
           ++completions;
           finishedFlag = finished;
         });
  EXPECT_EQ(view->alpha(), 0.5);
  advance(0.25);
  runUntilIdle();
  EXPECT_EQ(completions, 0);
  advance(0.05);
  runUntilIdle();
  EXPECT_EQ(completions, 1);
  EXPECT_TRUE(finishedFlag);
}

TEST_F(ViewAnimations, MovesSpringTheOriginAndKeepWhatWasReadAtTheCall) {
  auto view = UIView::create(CGRect(10, 20, 100, 50));
  moveX(view, 50);
  EXPECT_EQ(view->frame(), CGRect(50, 20, 100, 50));  // the model value moves at once
  EXPECT_TRUE(view->layer()->hasAnimations());
  view->setFrame(CGRect(50, 20, 100, 60));  // a change between the two calls is seen by the second
  moveX(view, 80);
  EXPECT_EQ(view->frame(), CGRect(80, 20, 100, 60));
  advance(0.3);
  runUntilIdle();
  EXPECT_FALSE(view->layer()->hasAnimations());
  EXPECT_EQ(view->layer()->presentation().position.x, 130);

  moveY(view, 5);
  EXPECT_EQ(view->frame(), CGRect(80, 5, 100, 60));
  movePoint(view, 1, 2);
  EXPECT_EQ(view->frame(), CGRect(1, 2, 100, 60));
  movePoint(view, ios::CGPoint{3, 4});
  EXPECT_EQ(view->frame(), CGRect(3, 4, 100, 60));
}

TEST_F(ViewAnimations, AlphaToFadesButKeepsTheViewInTheTree) {
  auto parent = UIView::create(CGRect(0, 0, 100, 100));
  auto view = UIView::create(CGRect(0, 0, 10, 10));
  parent->addSubview(view);
  alphaTo(view, 0);
  EXPECT_EQ(view->alpha(), 0);
  advance(0.15);
  const double midway = view->layer()->presentation().opacity;
  EXPECT_GT(midway, 0.0);
  EXPECT_LT(midway, 1.0);
  advance(0.15);
  runUntilIdle();
  EXPECT_FALSE(view->layer()->hasAnimations());
  EXPECT_EQ(view->layer()->presentation().opacity, 0);
  EXPECT_EQ(view->superview(), parent);
  EXPECT_FALSE(view->isHidden());
}

TEST_F(ViewAnimations, BubbleJumpsUpThenSpringsBackPastNormal) {
  auto view = UIView::create(CGRect(0, 0, 100, 100));
  bubble(view);
  const auto model = view->layer()->transform();
  EXPECT_EQ(model.m11, 1.0);
  EXPECT_DOUBLE_EQ(model.m34, -0.001);  // the end is not the plain identity
  EXPECT_DOUBLE_EQ(view->layer()->presentation().transform.m11, 1.2);

  double lowest = 2;
  for (int i = 0; i < 30; ++i) {
    advance(0.01);
    lowest = std::min(lowest, view->layer()->presentation().transform.m11);
  }
  runUntilIdle();
  EXPECT_LT(lowest, 1.0);  // damping 0.5 swings below the end before settling
  EXPECT_FALSE(view->layer()->hasAnimations());
  EXPECT_DOUBLE_EQ(view->layer()->presentation().transform.m11, 1.0);
}

}  // namespace
}  // namespace kerbelin
