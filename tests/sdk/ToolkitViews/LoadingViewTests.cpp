#include <Ultilities/lib/WSLoadingView.h>

#include <UIKit/TouchGenerator.h>
#include <UIKit/UIActivityIndicatorView.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <memory>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;
using ios::UIView;

constexpr long kContainer = 2125;
constexpr long kIndicator = 2521;

// A key window covering the default 375 x 812 screen, with a button under where the overlays go.
class LoadingOverlay : public ios::test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    button = ios::UIButton::create(CGRect(0, 0, 375, 812));
    button->addAction([this](ios::UIControl&) { ++taps; }, ios::UIControl::touchUpInside);
    window->addSubview(button);
    runUntilIdle();
  }

  void TearDown() override {
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    WindowTest::TearDown();
  }

  int containers() const {
    int count = 0;
    for (const auto& view : window->subviews()) count += view->tag == kContainer ? 1 : 0;
    return count;
  }

  std::shared_ptr<ios::UIButton> button;
  int taps = 0;
};

// How the overlays look is the pictures' test; here, the tags that the hides look for.
TEST_F(LoadingOverlay, TheSmallOverlayTagsItsIndicatorAndTheMaskedOneDoesNot) {
  WSLoadingView::show();
  ASSERT_EQ(window->subviews().size(), 2u);
  auto container = window->subviews().back();
  EXPECT_EQ(container->tag, kContainer);
  ASSERT_EQ(container->subviews().size(), 1u);
  auto indicator = std::dynamic_pointer_cast<ios::UIActivityIndicatorView>(container->subviews().front());
  ASSERT_TRUE(indicator);
  EXPECT_EQ(indicator->tag, kIndicator);
  EXPECT_TRUE(indicator->isAnimating());
  WSLoadingView::hide();

  WSLoadingView::showWithMask();
  auto masked = window->subviews().back();
  EXPECT_EQ(masked->tag, kContainer);
  ASSERT_EQ(masked->subviews().size(), 2u);
  auto white = std::dynamic_pointer_cast<ios::UIActivityIndicatorView>(masked->subviews()[1]);
  ASSERT_TRUE(white) << "the indicator is added after the mask, above it";
  EXPECT_TRUE(white->isAnimating());
  EXPECT_FALSE(window->viewWithTag(kIndicator));
}

TEST_F(LoadingOverlay, OnlyTheMaskedOverlayTakesTouchesAwayFromTheScreen) {
  ios::TouchGenerator finger(window);
  WSLoadingView::show();
  finger.tap({20, 20});  // outside the 100 x 100 square
  EXPECT_EQ(taps, 1);
  finger.tap({187, 406});  // inside it
  EXPECT_EQ(taps, 1);

  WSLoadingView::hide();
  WSLoadingView::showWithMask();
  finger.tap({20, 20});
  EXPECT_EQ(taps, 1);
  WSLoadingView::hide();
  finger.tap({20, 20});
  EXPECT_EQ(taps, 2);
}

TEST_F(LoadingOverlay, EachShowAddsAContainerAndEachHideRemovesOne) {
  WSLoadingView::show();
  WSLoadingView::show();
  EXPECT_EQ(containers(), 2);
  auto first = window->subviews()[1];
  auto second = window->subviews()[2];
  WSLoadingView::hide();
  EXPECT_EQ(containers(), 1);
  EXPECT_FALSE(first->superview()) << "the tag search finds the earlier container first";
  EXPECT_EQ(second->superview(), window);
  // Step 1 took the first indicator out of its container before step 2 removed that container.
  EXPECT_TRUE(first->subviews().empty());
  WSLoadingView::hide();
  EXPECT_EQ(containers(), 0);
  WSLoadingView::hide();  // nothing left to find
  WSLoadingView::hideWithAnimation();
  advance(0.3);
  runUntilIdle();
  EXPECT_EQ(window->subviews().size(), 1u);
}

TEST_F(LoadingOverlay, HideWithAnimationFadesForThreeTenthsThenRemoves) {
  WSLoadingView::show();
  auto container = window->viewWithTag(kContainer);
  auto indicator = window->viewWithTag(kIndicator);
  WSLoadingView::hideWithAnimation();
  EXPECT_EQ(container->alpha(), 0);
  EXPECT_EQ(window->viewWithTag(kContainer), container) << "still findable while it fades";
  advance(0.15);
  EXPECT_GT(container->layer()->presentation().opacity, 0.0);
  EXPECT_LT(container->layer()->presentation().opacity, 1.0);
  advance(0.14);
  EXPECT_EQ(container->superview(), window);
  advance(0.01);
  runUntilIdle();
  EXPECT_FALSE(container->superview());
  EXPECT_EQ(indicator->superview(), container) << "the indicator goes with its container";
  EXPECT_FALSE(window->viewWithTag(kIndicator));
}

TEST_F(LoadingOverlay, AFadingOverlayIsStillFoundByALaterHideAndAShowAddsANewOne) {
  WSLoadingView::showWithMask();
  auto fading = window->viewWithTag(kContainer);
  WSLoadingView::hideWithAnimation();
  WSLoadingView::show();
  EXPECT_EQ(containers(), 2);
  WSLoadingView::hide();  // finds the fading one first
  EXPECT_FALSE(fading->superview());
  EXPECT_EQ(containers(), 1);
  advance(0.3);
  runUntilIdle();
  EXPECT_EQ(containers(), 1) << "the fade's completion removes only its own container";
}

TEST_F(LoadingOverlay, AForeignViewCarryingTheTagIsWhatTheSearchFindsFirst) {
  auto foreign = UIView::create(CGRect(0, 0, 10, 10));
  foreign->tag = kContainer;
  button->addSubview(foreign);  // earlier in the window's tree than any overlay
  WSLoadingView::showWithMask();
  WSLoadingView::hide();
  EXPECT_FALSE(foreign->superview());
  EXPECT_EQ(containers(), 1);
}

TEST_F(LoadingOverlay, WithoutAKeyWindowNothingIsAddedAndNothingFails) {
  ios::UIApplication::shared()->setKeyWindow(nullptr);
  auto token = WSLoadingView::show();
  WSLoadingView::showWithMask();
  WSLoadingView::hide();
  WSLoadingView::hideWithAnimation();
  WSLoadingView::hide(token);
  advance(0.3);
  runUntilIdle();
  EXPECT_FALSE(token.isShowing());
  EXPECT_EQ(window->subviews().size(), 1u);
}

// A screen that keeps the token of its own show hides only that overlay, never another screen's.
TEST_F(LoadingOverlay, ATokenHidesOnlyTheOverlayItsShowAdded) {
  auto detail = WSLoadingView::show();
  auto page = WSLoadingView::showWithMask();
  auto pageContainer = window->subviews().back();
  EXPECT_TRUE(detail.isShowing());
  EXPECT_TRUE(page.isShowing());

  WSLoadingView::hideWithAnimation(page);
  advance(0.3);
  runUntilIdle();
  EXPECT_FALSE(page.isShowing());
  EXPECT_FALSE(pageContainer->superview());
  EXPECT_TRUE(detail.isShowing()) << "the earlier overlay of another screen stays";
  EXPECT_TRUE(window->viewWithTag(kIndicator));

  WSLoadingView::hide(page);  // already gone: nothing else is touched
  EXPECT_TRUE(detail.isShowing());
  WSLoadingView::hide(detail);
  EXPECT_FALSE(detail.isShowing());
  EXPECT_EQ(containers(), 0);
}

TEST_F(LoadingOverlay, ARequestThatShowedNothingHidesNothingWithItsEmptyToken) {
  WSLoadingView::Token none;  // e.g. a next-page request, which shows no overlay
  auto other = WSLoadingView::show();
  WSLoadingView::hideWithAnimation(none);
  WSLoadingView::hide(none);
  advance(0.3);
  runUntilIdle();
  EXPECT_TRUE(other.isShowing());
  EXPECT_EQ(containers(), 1);

  auto copy = other;  // an untargeted hide still takes a tokened overlay away, for every copy
  WSLoadingView::hide();
  EXPECT_FALSE(other.isShowing());
  EXPECT_FALSE(copy.isShowing());
}

}  // namespace
}  // namespace kerbelin
