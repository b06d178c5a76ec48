#include <UIKit/UIGraphics.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <numbers>
#include <string>
#include <vector>

namespace ios {
namespace {

std::shared_ptr<UIView> viewAt(CGFloat x, CGFloat y, CGFloat w, CGFloat h) {
  return UIView::create(CGRect(x, y, w, h));
}

TEST(UIView, FrameBoundsAndCenterStayConsistent) {
  auto view = viewAt(10, 20, 100, 50);
  EXPECT_EQ(view->center(), (CGPoint{60, 45}));
  EXPECT_EQ(view->bounds(), CGRect(0, 0, 100, 50));
  view->setCenter({100, 100});
  EXPECT_EQ(view->frame(), CGRect(50, 75, 100, 50));
  view->setBounds(CGRect(0, 0, 20, 20));
  EXPECT_EQ(view->frame(), CGRect(90, 90, 20, 20));  // resized about the centre
  // The transform turns about the centre and leaves bounds and centre alone.
  view->setTransform(CGAffineTransform::rotation(-std::numbers::pi / 20));
  EXPECT_EQ(view->center(), (CGPoint{100, 100}));
  EXPECT_EQ(view->bounds(), CGRect(0, 0, 20, 20));
}

TEST(UIView, AlphaKeepsAnyNumberWhileTheLayerGetsItClamped) {
  auto view = viewAt(0, 0, 10, 10);
  view->setAlpha(42);
  EXPECT_EQ(view->alpha(), 42);
  EXPECT_EQ(view->layer()->opacity(), 1.0f);
  view->setAlpha(-3);
  EXPECT_EQ(view->layer()->opacity(), 0.0f);
}

TEST(UIView, SubviewsAndTheirLayersKeepOneOrder) {
  auto parent = viewAt(0, 0, 100, 100);
  auto a = viewAt(0, 0, 1, 1), b = viewAt(0, 0, 1, 1), c = viewAt(0, 0, 1, 1);
  auto decoration = CALayer::create();
  parent->layer()->addSublayer(decoration);  // a layer the view's own code added first
  parent->addSubview(a);
  parent->addSubview(b);
  parent->insertSubview(c, 0);
  ASSERT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{c, a, b}));
  auto layerIndex = [&](const std::shared_ptr<CALayer>& layer) {
    const auto& subs = parent->layer()->sublayers();
    return std::find(subs.begin(), subs.end(), layer) - subs.begin();
  };
  EXPECT_LT(layerIndex(c->layer()), layerIndex(a->layer()));
  EXPECT_LT(layerIndex(a->layer()), layerIndex(b->layer()));

  parent->bringSubviewToFront(c);
  EXPECT_EQ(parent->subviews().back(), c);
  EXPECT_GT(layerIndex(c->layer()), layerIndex(b->layer()));
  parent->addSubview(a);  // adding an existing subview moves it to the front
  EXPECT_EQ(parent->subviews().back(), a);

  auto other = viewAt(0, 0, 10, 10);
  other->addSubview(b);  // moving to another superview
  EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{c, a}));
  EXPECT_EQ(b->layer()->superlayer(), other->layer());

  // A view never becomes a subview of its own descendant.
  b->addSubview(other);
  EXPECT_EQ(other->superview(), nullptr);

  a->removeFromSuperview();
  EXPECT_EQ(a->layer()->superlayer(), nullptr);
}

TEST(UIView, ViewWithTagSearchesDepthFirstReceiverFirst) {
  auto root = viewAt(0, 0, 10, 10);
  auto first = viewAt(0, 0, 1, 1), second = viewAt(0, 0, 1, 1), nested = viewAt(0, 0, 1, 1);
  first->tag = 7;
  second->tag = 7;
  nested->tag = 9;
  auto holder = viewAt(0, 0, 1, 1);
  holder->addSubview(nested);
  root->addSubview(holder);
  root->addSubview(first);
  root->addSubview(second);
  EXPECT_EQ(root->viewWithTag(7), first);  // the earlier-added of two matches
  EXPECT_EQ(root->viewWithTag(9), nested);
  EXPECT_EQ(root->viewWithTag(0), root);   // the receiver itself
  EXPECT_EQ(root->viewWithTag(5), nullptr);
}

TEST(UIView, HitTestingFollowsTheTouchRules) {
  auto root = viewAt(0, 0, 200, 200);
  auto back = viewAt(0, 0, 100, 100), front = viewAt(50, 50, 100, 100);
  root->addSubview(back);
  root->addSubview(front);
  EXPECT_EQ(root->hitTest({75, 75}, nullptr), front);  // front to back
  EXPECT_EQ(root->hitTest({25, 25}, nullptr), back);
  EXPECT_EQ(root->hitTest({190, 190}, nullptr), root);
  EXPECT_EQ(root->hitTest({250, 10}, nullptr), nullptr);

  front->setUserInteractionEnabled(false);
  EXPECT_EQ(root->hitTest({75, 75}, nullptr), back);  // falls through to the view behind
  front->setUserInteractionEnabled(true);
  front->setAlpha(0.009);
  EXPECT_EQ(root->hitTest({75, 75}, nullptr), back);
  front->setAlpha(0.01);
  EXPECT_EQ(root->hitTest({75, 75}, nullptr), front);
  front->setHidden(true);
  EXPECT_EQ(root->hitTest({75, 75}, nullptr), back);

  // A subview sticking out of its superview's bounds is not reached outside them.
  auto outside = viewAt(90, 0, 50, 50);
  back->addSubview(outside);
  EXPECT_EQ(root->hitTest({120, 10}, nullptr), root);
  // A clear background still takes touches.
  back->setBackgroundColor(UIColor::clear());
  EXPECT_EQ(root->hitTest({10, 10}, nullptr), back);
}

TEST(UIView, ConvertsThroughTransformsAndScrolledBounds) {
  auto window = UIWindow::create(CGRect(0, 0, 375, 812));
  auto container = viewAt(20, 100, 300, 300);
  auto child = viewAt(10, 10, 50, 50);
  window->addSubview(container);
  container->addSubview(child);
  EXPECT_EQ(child->convert(CGPoint{0, 0}, window.get()), (CGPoint{30, 110}));
  EXPECT_EQ(container->convertFrom(CGPoint{30, 110}, nullptr), (CGPoint{10, 10}));

  // A bounds origin shifts the content, as scrolling does.
  container->setBounds(CGRect(0, 40, 300, 300));
  EXPECT_EQ(child->convert(CGPoint{0, 0}, nullptr), (CGPoint{30, 70}));
  EXPECT_EQ(child->convert(CGRect(0, 0, 50, 50), container.get()), CGRect(10, 10, 50, 50));
}

class LayoutRecorder : public UIView {
 public:
  LayoutRecorder(std::vector<std::string>& log, std::string name) : UIView(CGRect(0, 0, 10, 10)), log_(log), name_(std::move(name)) {}
  void layoutSubviews() override {
    log_.push_back(name_);
    if (onLayout) onLayout();
  }
  std::function<void()> onLayout;

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class UIViewLayout : public test::MainLoopTest {};

TEST_F(UIViewLayout, LayoutPassRunsTopDownOncePerRequest) {
  std::vector<std::string> log;
  auto window = UIWindow::create(CGRect(0, 0, 100, 100));
  auto parent = std::make_shared<LayoutRecorder>(log, "parent");
  auto child = std::make_shared<LayoutRecorder>(log, "child");
  window->addSubview(parent);
  parent->addSubview(child);
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"parent", "child"}));

  log.clear();
  runUntilIdle();
  EXPECT_TRUE(log.empty());  // nothing asked

  // A parent that resizes its child in its own layout lays the child out in the same pass.
  parent->onLayout = [&] { child->setFrame(CGRect(0, 0, 50, 50)); };
  parent->setNeedsLayout();
  child->setNeedsLayout();
  child->layoutIfNeeded();  // starts from the highest waiting ancestor
  EXPECT_EQ(log, (std::vector<std::string>{"parent", "child"}));
  log.clear();
  parent->onLayout = nullptr;
  child->setFrame(CGRect(0, 0, 60, 60));  // a size change marks the view
  EXPECT_TRUE(log.empty());              // marking does not lay out
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"child"}));
}

class WindowMoves : public UIView {
 public:
  explicit WindowMoves(std::vector<std::string>& log) : log_(log) {}
  void willMoveToWindow(const std::shared_ptr<UIWindow>& w) override { log_.push_back(w ? "will window" : "will nil"); }
  void didMoveToWindow() override { log_.push_back(window() ? "did window" : "did nil"); }
  void didMoveToSuperview() override { log_.push_back(superview() ? "superview" : "no superview"); }

 private:
  std::vector<std::string>& log_;
};

TEST(UIView, TellsSubtreesWhenTheyEnterAndLeaveAWindow) {
  std::vector<std::string> log;
  auto window = UIWindow::create(CGRect(0, 0, 10, 10));
  auto container = viewAt(0, 0, 10, 10);
  auto leaf = std::make_shared<WindowMoves>(log);
  container->addSubview(leaf);
  EXPECT_EQ(log, (std::vector<std::string>{"superview"}));
  log.clear();
  window->addSubview(container);
  EXPECT_EQ(log, (std::vector<std::string>{"will window", "did window"}));
  log.clear();
  container->removeFromSuperview();
  EXPECT_EQ(log, (std::vector<std::string>{"will nil", "did nil"}));
}

TEST(UIView, TintAndSafeAreaComeFromAncestors) {
  auto window = UIWindow::create(UIScreen::main()->bounds());
  auto view = viewAt(0, 0, 375, 812);
  window->addSubview(view);
  EXPECT_TRUE(view->tintColor()->isEqual(*UIColor::systemBlue()));
  window->setTintColor(UIColor::red());
  EXPECT_TRUE(view->tintColor()->isEqual(*UIColor::red()));

  EXPECT_EQ(view->safeAreaInsets(), UIScreen::main()->safeAreaInsets());
  auto middle = viewAt(0, 300, 375, 100);
  window->addSubview(middle);
  EXPECT_EQ(middle->safeAreaInsets(), UIEdgeInsets::zero);
  EXPECT_EQ(viewAt(0, 0, 10, 10)->safeAreaInsets(), UIEdgeInsets::zero);  // no window
}

TEST(UIView, DrawHierarchyRendersIntoTheCurrentImageContext) {
  auto view = viewAt(0, 0, 20, 10);
  view->setBackgroundColor(UIColor::red());
  auto child = viewAt(10, 0, 10, 10);
  child->setBackgroundColor(UIColor::blue());
  view->addSubview(child);
  EXPECT_FALSE(view->drawHierarchy(view->bounds(), true));  // no context
  UIGraphicsBeginImageContextWithOptions(CGSize{20, 10}, false, 1);
  EXPECT_TRUE(view->drawHierarchy(view->bounds(), true));
  auto image = UIGraphicsGetCurrentContext()->makeImage();
  UIGraphicsEndImageContext();
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixel(5, 5), 0xFFFF0000u);
  EXPECT_EQ(image->pixel(15, 5), 0xFF0000FFu);
}

}  // namespace
}  // namespace ios
