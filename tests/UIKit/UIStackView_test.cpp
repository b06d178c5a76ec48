#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIStackView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include "AutoLayoutTestViews.h"

namespace ios {
namespace {

using test::ContentBox;
using C = NSLayoutConstraint;

class UIStackViewTest : public test::MainLoopTest {
 protected:
  // A stack pinned to the window's top-left corner, `width` wide, its height left to its content.
  std::shared_ptr<UIStackView> pinnedStack(const std::vector<std::shared_ptr<UIView>>& views, CGFloat width) {
    auto stack = UIStackView::create(views);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    window_->addSubview(stack);
    C::activate({stack->leadingAnchor().constraintEqualTo(window_->leadingAnchor()),
                 stack->topAnchor().constraintEqualTo(window_->topAnchor()),
                 stack->widthAnchor().constraintEqualToConstant(width)});
    return stack;
  }
  // A vertical stack of a, b and c, 5 points apart.
  std::shared_ptr<UIStackView> verticalStack() {
    auto stack = pinnedStack({a, b, c}, 200);
    stack->setAxis(UILayoutConstraintAxis::vertical);
    stack->setSpacing(5);
    return stack;
  }
  std::shared_ptr<UIWindow> window_ = UIWindow::create(CGRect(0, 0, 375, 667));
  std::shared_ptr<ContentBox> a = ContentBox::make(50, 20), b = ContentBox::make(60, 30),
                              c = ContentBox::make(70, 40);
};

TEST_F(UIStackViewTest, AVerticalStackLinesItsViewsUpAndSizesItselfToThem) {
  auto stack = verticalStack();
  EXPECT_EQ(stack->arrangedSubviews(), (std::vector<std::shared_ptr<UIView>>{a, b, c}));
  EXPECT_EQ(stack->subviews().size(), 3u);
  EXPECT_FALSE(b->translatesAutoresizingMaskIntoConstraints());
  runUntilIdle();
  EXPECT_EQ(a->frame(), CGRect(0, 0, 200, 20));
  EXPECT_EQ(b->frame(), CGRect(0, 25, 200, 30));
  EXPECT_EQ(c->frame(), CGRect(0, 60, 200, 40));
  EXPECT_EQ(stack->frame(), CGRect(0, 0, 200, 100));
  EXPECT_FALSE(c->hasAmbiguousLayout());
}

TEST_F(UIStackViewTest, AHiddenArrangedViewCollapsesAndTheOthersCloseUp) {
  auto stack = verticalStack();
  b->setHidden(true);
  runUntilIdle();
  EXPECT_EQ(b->frame().height(), 0);
  EXPECT_EQ(c->frame(), CGRect(0, 25, 200, 40));  // one spacing, not two
  EXPECT_EQ(stack->frame().height(), 65);

  b->setHidden(false);
  runUntilIdle();
  EXPECT_EQ(c->frame().minY(), 60);
  EXPECT_EQ(stack->frame().height(), 100);

  // Hiding the first view as well as the last.
  a->setHidden(true);
  c->setHidden(true);
  runUntilIdle();
  EXPECT_EQ(b->frame(), CGRect(0, 0, 200, 30));
  EXPECT_EQ(stack->frame().height(), 30);
}

TEST_F(UIStackViewTest, RemovingAnArrangedViewKeepsItAsASubviewUntilItLeavesTheStack) {
  auto stack = pinnedStack({a, b}, 200);
  stack->setAxis(UILayoutConstraintAxis::vertical);
  runUntilIdle();
  stack->removeArrangedSubview(a);
  EXPECT_EQ(stack->arrangedSubviews(), (std::vector<std::shared_ptr<UIView>>{b}));
  EXPECT_EQ(a->superview(), stack);
  runUntilIdle();
  EXPECT_EQ(b->frame().minY(), 0);
  EXPECT_EQ(stack->frame().height(), 30);

  stack->insertArrangedSubview(a, 0);
  runUntilIdle();
  EXPECT_EQ(b->frame().minY(), 20);

  b->removeFromSuperview();
  EXPECT_EQ(stack->arrangedSubviews(), (std::vector<std::shared_ptr<UIView>>{a}));
  for (const auto& constraint : stack->constraints()) {
    EXPECT_NE(constraint->firstItem(), b);
    EXPECT_NE(constraint->secondItem(), b);
  }
  runUntilIdle();
  EXPECT_EQ(stack->frame().height(), 20);
}

TEST_F(UIStackViewTest, HorizontalDistributions) {
  auto stack = pinnedStack({a, b, c}, 300);
  stack->setSpacing(10);
  stack->setDistribution(UIStackViewDistribution::fillEqually);
  runUntilIdle();
  // Thirds of 280 with their edges on the 2x pixel grid: 93.5, 93, 93.5.
  for (const auto& v : {a, b, c}) EXPECT_NEAR(v->frame().width(), 280.0 / 3, 0.5);
  EXPECT_EQ(c->frame().minX(), 206.5);  // 2 * (280 / 3 + 10), rounded to the nearest pixel
  EXPECT_EQ(a->frame().height(), 40);  // fill across: the tallest sets the stack's height
  EXPECT_EQ(stack->frame().height(), 40);

  stack->setDistribution(UIStackViewDistribution::equalSpacing);
  runUntilIdle();
  EXPECT_EQ(a->frame(), CGRect(0, 0, 50, 40));
  EXPECT_EQ(b->frame().minX(), 50 + 60);  // (300 - 180) / 2 between each pair
  EXPECT_EQ(c->frame().minX(), 300 - 70);
}

TEST_F(UIStackViewTest, CrossAxisAlignments) {
  auto stack = pinnedStack({a, c}, 200);
  stack->setAxis(UILayoutConstraintAxis::vertical);
  stack->setAlignment(UIStackViewAlignment::center);
  runUntilIdle();
  EXPECT_EQ(a->frame(), CGRect(75, 0, 50, 20));
  EXPECT_EQ(c->frame(), CGRect(65, 20, 70, 40));

  stack->setAlignment(UIStackViewAlignment::trailing);
  runUntilIdle();
  EXPECT_EQ(a->frame(), CGRect(150, 0, 50, 20));

  stack->setAlignment(UIStackViewAlignment::leading);
  runUntilIdle();
  EXPECT_EQ(c->frame(), CGRect(0, 20, 70, 40));
}

TEST_F(UIStackViewTest, AStackSizedByItsContentAcrossTheAxisHugsItsWidestView) {
  auto stack = UIStackView::create({a, c});
  stack->setAxis(UILayoutConstraintAxis::vertical);
  stack->setAlignment(UIStackViewAlignment::leading);
  EXPECT_EQ(stack->systemLayoutSizeFitting(UILayoutFittingCompressedSize), (CGSize{70, 60}));
}

}  // namespace
}  // namespace ios
