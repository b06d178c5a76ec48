#include <Foundation/Console.h>
#include <Foundation/Data.h>
#include <Foundation/ProcessInfo.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/lib/MLTransition.h>
#include <Ultilities/lib/MLTransitionEncrypt.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <optional>
#include <string>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;
using ios::UINavigationController;
using ios::UIViewController;

class SwipeBack : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    MLTransition::invalidate();
  }
  void TearDown() override {
    MLTransition::invalidate();
    ios::ProcessInfo::processInfo().setOperatingSystemVersion({12, 0, 0});
    window.reset();
    nav.reset();
    MainLoopTest::TearDown();
  }

  // A shown navigation controller holding `count` screens, the top one on top. Without `swipeBack`
  // the swipe-back it installed is taken off again, for tests that probe the begin rule directly.
  void showStack(int count, bool swipeBack = true) {
    window = ios::UIWindow::create(CGRect(0, 0, 375, 812));
    root = UIViewController::create();
    nav = UINavigationController::create(root);
    MLTransition::attach(nav);
    if (auto pan = MLTransition_panGestureRecognizer(*nav); pan && !swipeBack) {
      nav->view()->removeGestureRecognizer(pan);
    }
    window->setRootViewController(nav);
    window->makeKeyAndVisible();
    for (int i = 1; i < count; ++i) nav->pushViewController(UIViewController::create(), false);
    runUntilIdle();
  }

  // A drag, lifted, and whatever animation it started run to its end.
  void swipe(CGPoint from, CGPoint to, double seconds = 0.3) {
    ios::TouchGenerator(window).drag(from, to, seconds, 10);
    advance(0.5);
    runUntilIdle();
  }

  std::size_t depth() const { return nav->viewControllers().size(); }

  std::shared_ptr<ios::UIWindow> window;
  std::shared_ptr<UIViewController> root;
  std::shared_ptr<UINavigationController> nav;
};

TEST_F(SwipeBack, InstallsOnePanPerControllerOnlyWhileSwitchedOn) {
  showStack(2);
  EXPECT_EQ(MLTransition_panGestureRecognizer(*nav), nullptr);  // off by default
  EXPECT_TRUE(nav->interactivePopGestureRecognizer()->isEnabled());

  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  EXPECT_TRUE(MLTransition::isEnabled());
  MLTransition::attach(nav);
  const auto pan = MLTransition_panGestureRecognizer(*nav);
  ASSERT_TRUE(pan);
  EXPECT_FALSE(nav->interactivePopGestureRecognizer()->isEnabled());
  const auto recognizers = nav->view()->gestureRecognizers().size();

  MLTransition::attach(nav);  // at most one
  EXPECT_EQ(MLTransition_panGestureRecognizer(*nav), pan);
  EXPECT_EQ(nav->view()->gestureRecognizers().size(), recognizers);

  // The edge type applies to controllers installed afterwards.
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(
      MLTransitionGestureRecognizerTypeScreenEdgePan);
  auto other = UINavigationController::create(UIViewController::create());
  other->loadViewIfNeeded();  // installs by itself as its view loads
  auto edge = std::dynamic_pointer_cast<ios::UIScreenEdgePanGestureRecognizer>(
      MLTransition_panGestureRecognizer(*other));
  ASSERT_TRUE(edge);
  EXPECT_EQ(edge->edges, ios::UIRectEdgeLeft);
}

TEST_F(SwipeBack, AnOldSystemLeavesItOff) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(
      MLTransitionGestureRecognizerTypeScreenEdgePan);
  ios::ProcessInfo::processInfo().setOperatingSystemVersion({6, 1, 0});
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  EXPECT_FALSE(MLTransition::isEnabled());
  EXPECT_EQ(MLTransition::gestureRecognizerType(), MLTransitionGestureRecognizerTypeScreenEdgePan);
  showStack(2);
  EXPECT_EQ(MLTransition_panGestureRecognizer(*nav), nullptr);
}

TEST_F(SwipeBack, ARightwardPanFromAnywherePopsWithTheFinger) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(2);
  const auto top = nav->topViewController();
  ios::TouchGenerator touches(window);
  touches.drag({100, 400}, {300, 400}, 0.3, 10, false);
  runUntilIdle();
  EXPECT_EQ(top->view()->frame().origin.x, 200);  // the screen follows the finger
  touches.up();
  advance(0.5);
  runUntilIdle();
  EXPECT_EQ(depth(), 1u);
  EXPECT_EQ(nav->topViewController(), root);
  EXPECT_EQ(top->parent(), nullptr);
}

TEST_F(SwipeBack, RefusedWithOneScreenOrLeftwardOrSteepDrift) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(1);
  swipe({100, 400}, {330, 400});
  EXPECT_EQ(depth(), 1u);

  showStack(2);
  swipe({330, 400}, {100, 400});  // leftward
  EXPECT_EQ(depth(), 2u);
  swipe({100, 400}, {250, 500});  // down by 2/3 of the way across: more than 0.618
  EXPECT_EQ(depth(), 2u);
  swipe({100, 400}, {300, 340});  // up by 0.3 of the way across: more than 0.2
  EXPECT_EQ(depth(), 2u);
  swipe({100, 400}, {300, 500});  // down by half the way across is tolerated
  EXPECT_EQ(depth(), 1u);

  showStack(2);
  swipe({100, 400}, {300, 370});  // up by 0.15 of the way across is tolerated
  EXPECT_EQ(depth(), 1u);
}

TEST_F(SwipeBack, AnUpwardFlickSteeperThanTheLimitNeverBegins) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(2);
  ios::TouchGenerator touches(window);
  auto flick = [&](CGPoint end) {
    touches.down({100, 400});
    advance(0.01);
    touches.move({107, 407});  // not yet 10 points from the start
    advance(0.2);
    touches.move(end);  // begins here: the translation drifts down gently, the velocity points up
    advance(0.05);
    touches.move({end.x + 230, end.y});
    touches.up();
    advance(0.5);
    runUntilIdle();
  };
  {
    ios::ConsoleCapture capture;
    flick({111, 405});  // velocity (20, -10): angle -0.46
    EXPECT_EQ(depth(), 2u);
    EXPECT_TRUE(capture.logMessages().empty());  // refused before the ratio is logged
  }
  ios::ConsoleCapture capture;
  flick({113, 406});  // velocity (30, -5): angle -0.17
  EXPECT_EQ(depth(), 1u);
  EXPECT_EQ(capture.logMessages(), (std::vector<std::string>{"RATIO: 0.461538", "translation.y: 6.000000",
                                                             "translation.x: 13.000000"}));
}

TEST_F(SwipeBack, NoSwipeWhileAPushIsAnimatingAndATranslationWithNoWidthCountsAsATinyOne) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(2, false);
  // Asks the begin rule directly when a probe pan begins, its translation put back to nothing.
  auto probe = ios::UIPanGestureRecognizer::create({}, "");
  std::optional<bool> answer;
  probe->addAction([&](ios::UIGestureRecognizer& recognizer) {
    if (recognizer.state() != ios::UIGestureRecognizer::State::began) return;
    auto& pan = static_cast<ios::UIPanGestureRecognizer&>(recognizer);
    pan.setTranslation({0, 0}, nullptr);
    answer = MLTransition::gestureRecognizerShouldBegin(*nav, pan);
  });
  nav->view()->addGestureRecognizer(probe);
  nav->pushViewController(UIViewController::create(), true);
  ios::TouchGenerator(window).drag({100, 400}, {200, 400}, 0.1, 5);
  ASSERT_TRUE(answer);
  EXPECT_FALSE(*answer);
  advance(0.5);
  runUntilIdle();

  answer.reset();
  ios::ConsoleCapture capture;
  ios::TouchGenerator(window).drag({100, 400}, {200, 400}, 0.3, 10);  // once the push has ended
  ASSERT_TRUE(answer);
  EXPECT_TRUE(*answer);
  EXPECT_EQ(capture.logMessages(), (std::vector<std::string>{"RATIO: 0.000000", "translation.y: 0.000000",
                                                             "translation.x: 0.000010"}));
}

TEST_F(SwipeBack, ViewsCanBlockTheSwipeForTheirArea) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(2);
  const auto& screen = nav->topViewController()->view();
  auto slider = ios::UIView::create(CGRect(0, 300, 375, 200));
  auto knob = ios::UIView::create(CGRect(50, 50, 100, 100));
  slider->addSubview(knob);
  screen->addSubview(slider);
  setDisableMLTransition(*slider, true);

  // The screen sits below the bar: the knob covers (50...150, 438...538) of the window.
  swipe({60, 480}, {330, 480});  // lands on the knob, whose ancestor is flagged
  EXPECT_EQ(depth(), 2u);

  setDisableMLTransition(*slider, false);
  bool blocking = true;
  int asked = 0;
  setDisableMLTransitionBlock(*knob, [&] {
    ++asked;
    return blocking;
  });
  swipe({60, 480}, {330, 480});
  EXPECT_EQ(depth(), 2u);
  EXPECT_GT(asked, 0);
  swipe({100, 200}, {330, 200});  // outside the knob
  EXPECT_EQ(depth(), 1u);

  showStack(2);
  setDisableMLTransition(*nav->view(), true);  // the flag on the controller's view blocks every swipe
  swipe({100, 200}, {330, 200});
  EXPECT_EQ(depth(), 2u);
}

TEST_F(SwipeBack, SwitchingOffPerControllerOrProcessWide) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(3);
  enabledMLTransition(*nav, false);
  swipe({100, 400}, {330, 400});
  EXPECT_EQ(depth(), 3u);
  enabledMLTransition(*nav, true);
  swipe({100, 400}, {330, 400});
  EXPECT_EQ(depth(), 2u);

  MLTransition::invalidate();
  EXPECT_TRUE(MLTransition_panGestureRecognizer(*nav));  // stays installed but never begins
  swipe({100, 400}, {330, 400});
  EXPECT_EQ(depth(), 2u);
}

TEST_F(SwipeBack, TheEdgeModeStartsAtTheLeftEdgeWithoutDirectionTests) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(
      MLTransitionGestureRecognizerTypeScreenEdgePan);
  showStack(3);
  swipe({100, 400}, {330, 400});
  EXPECT_EQ(depth(), 3u);
  ios::ConsoleCapture capture;
  swipe({5, 400}, {300, 600});  // downward by 0.68 of the way: would be refused by a plain pan
  EXPECT_EQ(depth(), 2u);
  EXPECT_TRUE(capture.logMessages().empty());
}

TEST_F(SwipeBack, ScrollViewsLetTheSwipeTryFirstUnlessTheyScrollSideways) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(3);
  auto list = ios::UIScrollView::create(CGRect(0, 0, 375, 812));
  list->setContentSize({375, 3000});
  nav->topViewController()->view()->addSubview(list);
  swipe({100, 400}, {330, 400});
  EXPECT_EQ(depth(), 2u);

  auto carousel = ios::UIScrollView::create(CGRect(0, 300, 375, 200));
  carousel->setContentSize({1500, 200});
  carousel->setContentOffset({600, 0});
  nav->topViewController()->view()->addSubview(carousel);
  swipe({100, 400}, {330, 400});
  EXPECT_EQ(depth(), 2u);  // the carousel kept its pan
  EXPECT_LT(carousel->contentOffset().x, 600);
  swipe({5, 400}, {300, 400});  // within 10 points of the edge the swipe-back comes first
  EXPECT_EQ(depth(), 1u);
}

TEST_F(SwipeBack, TheScrollRuleOnlyConcernsAScrollViewsOwnPanAndASwipeBack) {
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypePan);
  showStack(2);
  auto list = ios::UIScrollView::create(CGRect(0, 0, 375, 812));
  nav->topViewController()->view()->addSubview(list);
  auto swipeBack = MLTransition_panGestureRecognizer(*nav);
  auto stranger = ios::UIPanGestureRecognizer::create({}, "");
  EXPECT_FALSE(MLTransition::scrollViewShouldRequireFailureOf(*list, *stranger, *swipeBack));
  EXPECT_FALSE(
      MLTransition::scrollViewShouldRequireFailureOf(*list, *list->panGestureRecognizer(), *stranger));
  auto edge = ios::UIScreenEdgePanGestureRecognizer::create({}, "");
  setMLTransition_NavController(*edge, nav);
  EXPECT_TRUE(MLTransition::scrollViewShouldRequireFailureOf(*list, *list->panGestureRecognizer(), *edge));
  // The controller is held weakly.
  auto gone = UINavigationController::create();
  setMLTransition_NavController(*stranger, gone);
  EXPECT_EQ(MLTransition_NavController(*stranger), gone);
  gone.reset();
  EXPECT_EQ(MLTransition_NavController(*stranger), nullptr);
}

class PlainTransition : public ios::UIPercentDrivenInteractiveTransition {
 public:
  void update(double) override {}
  void finish() override {}
  void cancel() override {}
};

TEST_F(SwipeBack, APlainPercentDrivenTransitionPopsWhenThePanBegins) {
  showStack(2, false);
  auto transition = std::make_shared<PlainTransition>();
  ASSERT_TRUE(transition->respondsTo("handleNavigationTransition:"));
  auto pan = ios::UIPanGestureRecognizer::create(transition, "handleNavigationTransition:");
  nav->view()->addGestureRecognizer(pan);
  ios::TouchGenerator(window).drag({100, 400}, {120, 400}, 0.1, 4);  // no NavController: nothing
  advance(0.5);
  runUntilIdle();
  EXPECT_EQ(depth(), 2u);

  setMLTransition_NavController(*pan, nav);
  ios::TouchGenerator(window).drag({100, 400}, {120, 400}, 0.1, 4);
  advance(0.5);
  runUntilIdle();
  EXPECT_EQ(depth(), 1u);  // one pop at Began, an animated one
}

TEST(MLTransitionFlags, ChangesAreAnnouncedToObservers) {
  auto view = ios::UIView::create();
  std::vector<std::string> keys;
  view->addObserver("disableMLTransition",
                    [&](const ios::KeyValueChange& change) { keys.push_back(change.key); });
  view->addObserver("disableMLTransitionBlock",
                    [&](const ios::KeyValueChange& change) { keys.push_back(change.key); });
  setDisableMLTransition(*view, true);
  setDisableMLTransitionBlock(*view, [] { return true; });
  EXPECT_EQ(keys, (std::vector<std::string>{"disableMLTransition", "disableMLTransitionBlock"}));
}

TEST(MLTransitionText, Rot13AndItsBase64Wrapping) {
  EXPECT_EQ(mlRot13("Hello, World! 123"), "Uryyb, Jbeyq! 123");
  EXPECT_EQ(mlRot13(*mlRot13("Zebra-az")), "Zebra-az");
  EXPECT_EQ(mlRot13("Vi\xE1\xBB\x87t"), std::nullopt);  // no ASCII form
  const auto encoded = mlEncryptString("handleNavigationTransition:");
  ASSERT_TRUE(encoded);
  EXPECT_EQ(mlDecryptString(*encoded), "handleNavigationTransition:");
  EXPECT_EQ(mlDecryptString("!!!!"), std::nullopt);  // not base64
  const auto notUtf8 = mlRot13(ios::Data(std::string("\xFF\xFE")).base64EncodedString());
  EXPECT_EQ(mlDecryptString(*notUtf8), std::nullopt);
}

}  // namespace
}  // namespace kerbelin
