#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIView.h>
#include <Ultilities/Extensions/UIViewConstraintExtension.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace kerbelin {
namespace {

using ios::CGRect;
using ios::NSLayoutAttribute;
using ios::NSLayoutConstraint;
using ios::NSLayoutRelation;
using ios::UIView;

// A 300 x 300 container holding one child placed by constraints the container holds: top and leading
// at 10, width 100 and height 40.
struct ConstrainedChild {
  std::shared_ptr<UIView> container = UIView::create(CGRect(0, 0, 300, 300));
  std::shared_ptr<UIView> child = UIView::create();
  std::shared_ptr<NSLayoutConstraint> width;
  std::shared_ptr<NSLayoutConstraint> height;

  ConstrainedChild() {
    child->setTranslatesAutoresizingMaskIntoConstraints(false);
    container->addSubview(child);
    width = fixed(NSLayoutAttribute::width, 100);
    height = fixed(NSLayoutAttribute::height, 40);
    container->addConstraints({pin(NSLayoutAttribute::top), pin(NSLayoutAttribute::leading), width, height});
    container->layoutIfNeeded();
  }
  std::shared_ptr<NSLayoutConstraint> fixed(NSLayoutAttribute attribute, double constant) {
    return NSLayoutConstraint::create(child, attribute, NSLayoutRelation::equal, nullptr,
                                      NSLayoutAttribute::notAnAttribute, 1, constant);
  }
  std::shared_ptr<NSLayoutConstraint> pin(NSLayoutAttribute attribute) {
    return NSLayoutConstraint::create(child, attribute, NSLayoutRelation::equal, container, attribute, 1, 10);
  }
};

TEST(ViewConstraintLookup, FindsOnlyTheSuperviewsConstraintsWhoseFirstItemIsTheView) {
  ConstrainedChild f;
  EXPECT_EQ(constraintForAttribute(*f.child, NSLayoutAttribute::height), f.height);
  EXPECT_EQ(constraintForAttribute(*f.child, NSLayoutAttribute::width), f.width);
  EXPECT_EQ(constraintConstantforAttribute(*f.child, NSLayoutAttribute::top), 10);

  // Held by the view itself: not searched.
  auto own = UIView::create();
  own->setTranslatesAutoresizingMaskIntoConstraints(false);
  f.container->addSubview(own);
  own->addConstraint(NSLayoutConstraint::create(own, NSLayoutAttribute::height, NSLayoutRelation::equal,
                                                nullptr, NSLayoutAttribute::notAnAttribute, 1, 25));
  EXPECT_EQ(constraintForAttribute(*own, NSLayoutAttribute::height), nullptr);
  EXPECT_TRUE(std::isnan(constraintConstantforAttribute(*own, NSLayoutAttribute::height)));

  // Naming the view as the second item does not count either.
  f.container->addConstraint(NSLayoutConstraint::create(
      f.child, NSLayoutAttribute::bottom, NSLayoutRelation::equal, own, NSLayoutAttribute::top, 1, -5));
  EXPECT_EQ(constraintForAttribute(*own, NSLayoutAttribute::top), nullptr);
  EXPECT_NE(constraintForAttribute(*f.child, NSLayoutAttribute::bottom), nullptr);

  // No superview, nothing to search.
  auto loose = UIView::create(CGRect(0, 0, 10, 10));
  EXPECT_EQ(constraintForAttribute(*loose, NSLayoutAttribute::height), nullptr);
  EXPECT_TRUE(std::isnan(constraintConstantforAttribute(*loose, NSLayoutAttribute::height)));
}

TEST(ViewConstraintLookup, SettingAConstantChangesTheFoundConstraintOrAddsOne) {
  ConstrainedChild f;
  EXPECT_TRUE(setConstraintConstant(*f.child, 70, NSLayoutAttribute::height));
  EXPECT_EQ(f.height->constant(), 70);
  EXPECT_EQ(f.child->bounds().size.height, 40);  // not laid out yet: getSize lays out first
  EXPECT_EQ(getSize(*f.child), (ios::CGSize{100, 70}));

  // A second child without a width constraint gets one, fixed and held by the superview.
  auto other = UIView::create();
  other->setTranslatesAutoresizingMaskIntoConstraints(false);
  f.container->addSubview(other);
  const auto before = f.container->constraints().size();
  EXPECT_FALSE(setConstraintConstant(*other, 55, NSLayoutAttribute::width));
  ASSERT_EQ(f.container->constraints().size(), before + 1);
  auto added = f.container->constraints().back();
  EXPECT_EQ(getSize(*other).width, 55);
  // The next call finds it.
  EXPECT_TRUE(setConstraintConstant(*other, 60, NSLayoutAttribute::width));
  EXPECT_EQ(added->constant(), 60);
  EXPECT_EQ(f.container->constraints().size(), before + 1);

  auto loose = UIView::create();
  EXPECT_FALSE(setConstraintConstant(*loose, 5, NSLayoutAttribute::height));
  EXPECT_TRUE(loose->constraints().empty());
}

TEST(ViewCollapse, HidingRemembersTheConstantInAlphaAndShowingRestoresIt) {
  ConstrainedChild f;
  f.child->setAlpha(0.5);
  hideByHeight(*f.child, true);
  EXPECT_TRUE(f.child->isHidden());
  EXPECT_EQ(f.child->alpha(), 40);
  EXPECT_EQ(f.height->constant(), 0);
  f.container->layoutIfNeeded();
  EXPECT_EQ(f.child->frame().height(), 0);

  // Hiding again keeps the remembered 40 rather than the collapsed 0.
  hideByHeight(*f.child, true);
  EXPECT_EQ(f.child->alpha(), 40);

  hideByHeight(*f.child, false);
  EXPECT_FALSE(f.child->isHidden());
  EXPECT_EQ(f.height->constant(), 40);
  EXPECT_EQ(f.child->alpha(), 1.0);  // not the 0.5 it had before hiding
  f.container->layoutIfNeeded();
  EXPECT_EQ(f.child->frame(), CGRect(10, 10, 100, 40));

  // Showing a visible view changes nothing.
  f.child->setAlpha(0.3);
  hideByHeight(*f.child, false);
  EXPECT_EQ(f.child->alpha(), 0.3);
  EXPECT_EQ(f.height->constant(), 40);

  // By width, the width constraint alone is used.
  hideByWidth(*f.child, true);
  EXPECT_EQ(f.child->alpha(), 100);
  EXPECT_EQ(f.width->constant(), 0);
  EXPECT_EQ(f.height->constant(), 40);
  hideByWidth(*f.child, false);
  EXPECT_EQ(f.width->constant(), 100);
}

TEST(ViewCollapse, WithoutAConstraintTheMeasuredSizeIsRememberedAndAZeroConstraintAdded) {
  auto container = UIView::create(CGRect(0, 0, 300, 300));
  auto label = ios::UILabel::create();
  label->setText("Mua Thẻ");
  label->setTranslatesAutoresizingMaskIntoConstraints(false);
  container->addSubview(label);
  container->addConstraints(
      {NSLayoutConstraint::create(label, NSLayoutAttribute::top, NSLayoutRelation::equal, container,
                                  NSLayoutAttribute::top, 1, 0),
       NSLayoutConstraint::create(label, NSLayoutAttribute::leading, NSLayoutRelation::equal, container,
                                  NSLayoutAttribute::leading, 1, 0)});
  container->layoutIfNeeded();
  const double measured = label->intrinsicContentSize().height;
  ASSERT_GT(measured, 0);

  hideByHeight(*label, true);
  EXPECT_TRUE(label->isHidden());
  EXPECT_EQ(label->alpha(), measured);
  auto added = constraintForAttribute(*label, NSLayoutAttribute::height);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->constant(), 0);
  container->layoutIfNeeded();
  EXPECT_EQ(label->frame().height(), 0);

  hideByHeight(*label, false);
  EXPECT_FALSE(label->isHidden());
  EXPECT_EQ(added->constant(), measured);
  EXPECT_EQ(label->alpha(), 1.0);
  container->layoutIfNeeded();
  EXPECT_EQ(label->frame().height(), measured);
}

TEST(ViewCollapse, ShowingAViewThatHasNoConstraintDoesNothing) {
  auto container = UIView::create(CGRect(0, 0, 300, 300));
  auto child = UIView::create(CGRect(0, 0, 50, 50));
  container->addSubview(child);
  child->setHidden(true);
  child->setAlpha(0.25);
  hideByHeight(*child, false);
  EXPECT_TRUE(child->isHidden());
  EXPECT_EQ(child->alpha(), 0.25);
  EXPECT_TRUE(container->constraints().empty());
}

TEST(ViewSizing, SizeToSubviewsTakesTheFittingHeightAndAlwaysAWidthOf320) {
  auto view = UIView::create(CGRect(40, 40, 100, 100));
  auto content = UIView::create();
  content->setTranslatesAutoresizingMaskIntoConstraints(false);
  view->addSubview(content);
  view->addConstraints(
      {NSLayoutConstraint::create(content, NSLayoutAttribute::top, NSLayoutRelation::equal, view,
                                  NSLayoutAttribute::top, 1, 8),
       NSLayoutConstraint::create(view, NSLayoutAttribute::bottom, NSLayoutRelation::equal, content,
                                  NSLayoutAttribute::bottom, 1, 12),
       NSLayoutConstraint::create(content, NSLayoutAttribute::leading, NSLayoutRelation::equal, view,
                                  NSLayoutAttribute::leading, 1, 0),
       NSLayoutConstraint::create(content, NSLayoutAttribute::width, NSLayoutRelation::equal, nullptr,
                                  NSLayoutAttribute::notAnAttribute, 1, 90),
       NSLayoutConstraint::create(content, NSLayoutAttribute::height, NSLayoutRelation::equal, nullptr,
                                  NSLayoutAttribute::notAnAttribute, 1, 50)});
  sizeToSubviews(*view);
  EXPECT_EQ(view->frame(), CGRect(0, 0, 320, 70));
}

}  // namespace
}  // namespace kerbelin
