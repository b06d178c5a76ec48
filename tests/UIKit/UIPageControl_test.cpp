#include <QuartzCore/Renderer.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIPageControl.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

namespace ios {
namespace {

TEST(UIPageControl, PagesAreKeptInRange) {
  auto control = UIPageControl::create();
  control->setNumberOfPages(3);
  control->setCurrentPage(5);
  EXPECT_EQ(control->currentPage(), 2);
  control->setNumberOfPages(2);
  EXPECT_EQ(control->currentPage(), 1);
  control->setCurrentPage(-1);
  EXPECT_EQ(control->currentPage(), 0);
  EXPECT_GT(UIPageControl::sizeForNumberOfPages(4).width, UIPageControl::sizeForNumberOfPages(3).width);
  EXPECT_EQ(control->intrinsicContentSize(), UIPageControl::sizeForNumberOfPages(2));
}

TEST(UIPageControl, DrawsTheCurrentDotInItsColour) {
  auto control = UIPageControl::create(CGRect(0, 0, 100, 37));
  control->setNumberOfPages(3);
  control->setCurrentPage(1);
  control->setPageIndicatorTintColor(UIColor::blue());
  control->setCurrentPageIndicatorTintColor(UIColor::red());
  auto image = Renderer::renderImage(*control->layer(), 1);
  // Three 7-point dots 16 points apart, centred: the middle one at x 50.
  EXPECT_EQ(image->pixel(50, 18), 0xFFFF0000u);
  EXPECT_EQ(image->pixel(34, 18), 0xFF0000FFu);
  EXPECT_EQ(image->pixel(66, 18), 0xFF0000FFu);
  EXPECT_EQ(image->pixel(42, 18), 0u);

  control->setNumberOfPages(1);
  control->setHidesForSinglePage(true);
  auto single = Renderer::renderImage(*control->layer(), 1);
  EXPECT_EQ(single->pixel(50, 18), 0u);
}

class PageControlTaps : public test::WindowTest {
 protected:
  PageControlTaps() : WindowTest({320, 100}) {}
};

TEST_F(PageControlTaps, TapsTurnPagesAndSendValueChanged) {
  auto control = UIPageControl::create(CGRect(60, 20, 200, 37));
  control->setNumberOfPages(3);
  window->addSubview(control);
  int changes = 0;
  control->addAction([&](UIControl&) { ++changes; }, UIControl::valueChanged);
  TouchGenerator touches(window);
  touches.tap({230, 38});  // right half
  EXPECT_EQ(control->currentPage(), 1);
  touches.tap({230, 38});
  touches.tap({230, 38});  // already on the last page: nothing changes
  EXPECT_EQ(control->currentPage(), 2);
  EXPECT_EQ(changes, 2);
  touches.tap({80, 38});  // left half
  EXPECT_EQ(control->currentPage(), 1);
  EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace ios
