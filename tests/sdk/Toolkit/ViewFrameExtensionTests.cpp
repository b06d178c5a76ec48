#include <CoreText/NSAttributedString.h>
#include <Foundation/Console.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Extensions/UIViewFrameExtension.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <optional>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;
using ios::CGSize;
using ios::UIView;

TEST(ViewFrame, PartsReadAndRebuildTheFrame) {
  auto view = UIView::create(CGRect(10, 20, 100, 50));
  using Floats = std::vector<ios::CGFloat>;
  EXPECT_EQ((Floats{x(*view), y(*view), w(*view), h(*view), right(*view), bottom(*view)}),
            (Floats{10, 20, 100, 50, 110, 70}));
  const Floats offset = {rightWithOffset(*view, 5), botttomWithOffset(*view, 5), leftWithOffset(*view, 5),
                         topWithOffset(*view, 5)};
  EXPECT_EQ(offset, (Floats{115, 75, 5, 15}));

  setRight(*view, 200);
  setBottom(*view, 100);
  EXPECT_EQ(view->frame(), CGRect(100, 50, 100, 50));
  setSize(*view, CGSize{30, 40});
  setPosition(*view, CGPoint{0, 0});
  EXPECT_EQ(view->frame(), CGRect(0, 0, 30, 40));
  setX(*view, 7);
  setY(*view, 8);
  setW(*view, 9);
  setH(*view, 10);
  EXPECT_EQ(view->frame(), CGRect(7, 8, 9, 10));
  setLeft(*view, 1);
  setTop(*view, 2);
  EXPECT_EQ(position(*view), (CGPoint{1, 2}));
  EXPECT_EQ(size(*view), (CGSize{9, 10}));
}

TEST(ViewFrame, ConstrainCenteredFixesTheSizeAtTheCall) {
  auto container = UIView::create(CGRect(0, 0, 300, 300));
  auto subview = UIView::create(CGRect(0, 0, 80, 30));
  container->addSubview(subview);
  constrainCentered(*container, subview);
  EXPECT_EQ(container->constraints().size(), 4u);
  container->layoutIfNeeded();
  EXPECT_EQ(subview->frame(), CGRect(110, 135, 80, 30));

  // A later frame change does not move the constants: the next layout keeps 80 x 30.
  subview->setFrame(CGRect(0, 0, 10, 10));
  container->setFrame(CGRect(0, 0, 400, 400));
  container->layoutIfNeeded();
  EXPECT_EQ(subview->frame(), CGRect(160, 185, 80, 30));
}

TEST(ViewFrame, ConstrainToEdgesFillsTheContainer) {
  auto container = UIView::create(CGRect(0, 0, 200, 120));
  auto subview = UIView::create(CGRect(5, 5, 10, 10));
  container->addSubview(subview);
  constrainToEdges(*container, subview);
  EXPECT_EQ(container->constraints().size(), 4u);
  container->layoutIfNeeded();
  EXPECT_EQ(subview->frame(), CGRect(0, 0, 200, 120));
  container->setFrame(CGRect(0, 0, 300, 60));
  container->layoutIfNeeded();
  EXPECT_EQ(subview->frame(), CGRect(0, 0, 300, 60));
}

TEST(ViewFrame, RemoveAllArrangedSubviewsEmptiesTheStack) {
  auto stack = ios::UIStackView::create();
  removeAllArrangedSubviews(*stack);  // nothing to do
  auto a = UIView::create();
  auto b = UIView::create();
  stack->addArrangedSubview(a);
  stack->addArrangedSubview(b);
  auto own = ios::NSLayoutConstraint::create(a, ios::NSLayoutAttribute::width, ios::NSLayoutRelation::equal,
                                             nullptr, ios::NSLayoutAttribute::notAnAttribute, 1, 40);
  a->addConstraint(own);
  ASSERT_TRUE(own->isActive());

  removeAllArrangedSubviews(*stack);
  EXPECT_TRUE(stack->arrangedSubviews().empty());
  EXPECT_TRUE(stack->subviews().empty());
  EXPECT_EQ(a->superview(), nullptr);
  EXPECT_EQ(b->superview(), nullptr);
  EXPECT_FALSE(own->isActive());
}

using WindowedViews = ios::test::WindowTest;

TEST_F(WindowedViews, SafeAreaInsetsTestLooksAtEveryEdge) {
  auto loose = UIView::create(CGRect(0, 0, 100, 100));
  EXPECT_FALSE(hasSafeAreaInsets(*loose));
  auto middle = UIView::create(CGRect(0, 200, 375, 200));
  window->addSubview(middle);
  EXPECT_FALSE(hasSafeAreaInsets(*middle));
  auto bottomOnly = UIView::create(CGRect(0, 400, 375, 412));
  window->addSubview(bottomOnly);
  EXPECT_EQ(bottomOnly->safeAreaInsets().top, 0);
  EXPECT_EQ(bottomOnly->safeAreaInsets().bottom, 34);
  EXPECT_TRUE(hasSafeAreaInsets(*bottomOnly));
}

class WindowDelegate : public ios::UIApplicationDelegate {
 public:
  std::shared_ptr<ios::UIWindow> window() const override { return window_; }
  void setWindow(std::shared_ptr<ios::UIWindow> window) override { window_ = std::move(window); }

 private:
  std::shared_ptr<ios::UIWindow> window_;
};

TEST_F(WindowedViews, DistanceIsMeasuredInTheDelegatesWindowAndPrinted) {
  auto delegate = std::make_shared<WindowDelegate>();
  delegate->setWindow(window);
  ios::UIApplication::shared()->setDelegate(delegate);
  ASSERT_EQ(APPDELEGATE(), delegate);

  auto container = UIView::create(CGRect(100, 100, 200, 200));
  window->addSubview(container);
  auto a = UIView::create(CGRect(0, 0, 20, 20));  // centre (110, 110) in the window
  container->addSubview(a);
  auto b = UIView::create(CGRect(100, 140, 20, 20));  // centre (110, 150), directly in the window
  window->addSubview(b);
  {
    ios::ConsoleCapture capture;
    EXPECT_DOUBLE_EQ(distance(*a, *b), 40.0);
    EXPECT_EQ(capture.output(), "40.0\n");
  }

  // Views outside any tree count with their centres as they stand.
  auto p = UIView::create(CGRect(0, 0, 10, 10));  // centre (5, 5)
  auto q = UIView::create(CGRect(3, 4, 10, 10));  // centre (8, 9)
  ios::ConsoleCapture capture;
  EXPECT_DOUBLE_EQ(distance(*p, *q), 5.0);
  EXPECT_EQ(capture.output(), "5.0\n");
}

TEST_F(WindowedViews, TapOnAttributedTextFindsTheCharacterUnderTheFinger) {
  auto label = ios::UILabel::create(CGRect(0, 100, 300, 40));
  label->setTextAlignment(ios::NSTextAlignment::center);
  label->setUserInteractionEnabled(true);
  window->addSubview(label);
  auto tap = ios::UITapGestureRecognizer::create({}, "");
  label->addGestureRecognizer(tap);
  std::optional<ios::NSRange> range;
  std::optional<bool> hit;
  tap->addAction([&](ios::UIGestureRecognizer& recognizer) {
    hit = didTapAttributedTextInLabel(static_cast<ios::UITapGestureRecognizer&>(recognizer), *label, *range);
  });
  ios::TouchGenerator touches(window);
  auto tapWith = [&](ios::NSRange r, CGPoint at) {
    range = r;
    hit.reset();
    touches.tap(at);
    runUntilIdle();
    return hit;
  };

  // Plain text only: never a hit.
  label->setText("Hello world");
  EXPECT_EQ(tapWith({0, 11}, CGPoint{150, 120}), false);

  // "aaaaa bbbbb": the middle of the label is the space between the words.
  label->setAttributedText(ios::NSAttributedString::create("aaaaa bbbbb"));
  EXPECT_EQ(tapWith({0, 11}, CGPoint{150, 120}), true);
  EXPECT_EQ(tapWith({0, 2}, CGPoint{150, 120}), false);
  EXPECT_EQ(tapWith({4, 3}, CGPoint{150, 120}), true);
  EXPECT_EQ(tapWith({5, 0}, CGPoint{150, 120}), false);
  // Far left of the text: the first word.
  EXPECT_EQ(tapWith({0, 5}, CGPoint{110, 120}), true);
  EXPECT_EQ(tapWith({6, 5}, CGPoint{110, 120}), false);
}

}  // namespace
}  // namespace kerbelin
