#include <Foundation/Console.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILayoutGuide.h>
#include <UIKit/UIView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include "AutoLayoutTestViews.h"

namespace ios {
namespace {

using test::constrainedView;
using C = NSLayoutConstraint;
using A = NSLayoutAttribute;
using R = NSLayoutRelation;

class NSLayoutConstraintTest : public test::MainLoopTest {};

TEST_F(NSLayoutConstraintTest, DescriptionAndTheMissingSecondItem) {
  auto parent = UIView::create();
  auto child = constrainedView();
  child->accessibilityIdentifier = "badge";
  parent->addSubview(child);
  auto c = C::create(child, A::height, R::equal, parent, A::height, 0.5, -4);
  EXPECT_FALSE(c->isActive());
  EXPECT_EQ(c->description(), "UIView(badge).height == UIView.height * 0.5 - 4");

  // No second item: the second attribute is none whatever was passed.
  auto fixed = C::create(child, A::width, R::equal, nullptr, A::width, 1, 30);
  EXPECT_EQ(fixed->secondAttribute(), A::notAnAttribute);
}

TEST_F(NSLayoutConstraintTest, ActivationHoldsTheConstraintOnTheClosestCommonAncestor) {
  auto root = UIView::create(CGRect(0, 0, 300, 300));
  auto left = constrainedView();
  auto container = constrainedView();
  auto inner = constrainedView();
  root->addSubview(left);
  root->addSubview(container);
  container->addSubview(inner);

  auto across = C::create(inner, A::leading, R::equal, left, A::trailing, 1, 8);
  auto up = C::create(inner, A::top, R::equal, container, A::top, 1, 0);
  auto size = C::create(inner, A::width, R::equal, nullptr, A::notAnAttribute, 1, 40);
  C::activate({across, up, size});
  EXPECT_EQ(across->holder(), root);
  EXPECT_EQ(up->holder(), container);
  EXPECT_EQ(size->holder(), inner);
  EXPECT_EQ(root->constraints(), (std::vector<std::shared_ptr<C>>{across}));
  EXPECT_EQ(container->constraints(), (std::vector<std::shared_ptr<C>>{up}));
  EXPECT_EQ(inner->constraints(), (std::vector<std::shared_ptr<C>>{size}));

  C::deactivate({across, size});
  EXPECT_FALSE(across->isActive());
  EXPECT_TRUE(root->constraints().empty());
  EXPECT_TRUE(inner->constraints().empty());
  EXPECT_TRUE(up->isActive());

  // addConstraint holds it where asked, as long as that view contains the items.
  root->addConstraint(size);
  EXPECT_EQ(size->holder(), root);
  root->removeConstraint(size);
  EXPECT_FALSE(size->isActive());

  ConsoleCapture console;
  left->addConstraint(up);  // `left` does not contain `inner`
  EXPECT_EQ(up->holder(), container);
  auto stranger = constrainedView();
  auto apart = C::create(inner, A::top, R::equal, stranger, A::top, 1, 0);
  apart->setActive(true);
  EXPECT_FALSE(apart->isActive());
  ASSERT_EQ(console.logMessages().size(), 2u);
  EXPECT_NE(console.logMessages()[1].find("no common ancestor"), std::string::npos);
}

TEST_F(NSLayoutConstraintTest, ConstraintsNeverKeepViewsAlive) {
  std::shared_ptr<C> c;
  std::weak_ptr<UIView> weakRoot;
  {
    auto root = UIView::create(CGRect(0, 0, 100, 100));
    auto child = constrainedView();
    root->addSubview(child);
    c = child->widthAnchor().constraintEqualTo(root->widthAnchor(), 0.5, 0);
    c->setActive(true);
    root->layoutIfNeeded();
    EXPECT_EQ(child->frame().width(), 50);
    weakRoot = root;
  }
  EXPECT_TRUE(weakRoot.expired());
  EXPECT_EQ(c->firstItem(), nullptr);
  EXPECT_FALSE(c->isActive());
  c->setConstant(3);  // harmless on a constraint whose views are gone
  EXPECT_EQ(c->constant(), 3);
}

TEST_F(NSLayoutConstraintTest, PriorityChangesBetweenRequiredAndOptionalAreRefusedWhileActive) {
  auto root = UIView::create(CGRect(0, 0, 300, 300));
  auto view = constrainedView();
  root->addSubview(view);
  auto strong = view->widthAnchor().constraintEqualToConstant(100);
  auto weak = view->widthAnchor().constraintEqualToConstant(200);
  strong->setPriority(999);  // inactive: anything goes
  weak->setPriority(UILayoutPriorityDefaultLow);
  C::activate({strong, weak, view->heightAnchor().constraintEqualToConstant(10),
               view->topAnchor().constraintEqualTo(root->topAnchor()),
               view->leadingAnchor().constraintEqualTo(root->leadingAnchor())});
  root->layoutIfNeeded();
  EXPECT_EQ(view->frame().width(), 100);  // 999 beats 250

  // Optional to optional on an active constraint re-solves.
  strong->setPriority(200);
  root->layoutIfNeeded();
  EXPECT_EQ(view->frame().width(), 200);

  ConsoleCapture console;
  weak->setPriority(UILayoutPriorityRequired);
  EXPECT_EQ(weak->priority(), UILayoutPriorityDefaultLow);
  ASSERT_EQ(console.logMessages().size(), 1u);
  EXPECT_NE(console.logMessages()[0].find("between required and optional"), std::string::npos);

  // Out of range values are clamped into 1...1000.
  strong->setPriority(0);
  EXPECT_EQ(strong->priority(), 1);
}

}  // namespace
}  // namespace ios
