#include <QuartzCore/Renderer.h>
#include <UIKit/UIActivityIndicatorView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

namespace ios {
namespace {

class Spinners : public test::MainLoopTest {
 protected:
  void SetUp() override {
    test::MainLoopTest::SetUp();
    window = UIWindow::create(CGRect(0, 0, 200, 200));
  }
  std::shared_ptr<UIWindow> window;
};

TEST_F(Spinners, ANewStyleResizesAboutTheCentre) {
  auto spinner = UIActivityIndicatorView::create();
  EXPECT_TRUE(spinner->isHidden());  // stopped
  spinner->setCenter({100, 100});
  spinner->setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle::whiteLarge);
  EXPECT_EQ(spinner->frame(), CGRect(81.5, 81.5, 37, 37));
  EXPECT_TRUE(spinner->setValue(2, "activityIndicatorViewStyle"));  // gray, as interface files set it
  EXPECT_EQ(spinner->color(), UIColor::gray());
  EXPECT_EQ(spinner->frame(), CGRect(90, 90, 20, 20));
}

TEST_F(Spinners, SpinsOnlyWhileAnimatingInAWindow) {
  auto spinner = UIActivityIndicatorView::create(UIActivityIndicatorViewStyle::gray);
  window->addSubview(spinner);
  advance(0.5);
  EXPECT_EQ(spinner->leadingSpoke(), 0u);

  spinner->startAnimating();
  EXPECT_TRUE(spinner->isAnimating());
  EXPECT_FALSE(spinner->isHidden());
  advance(0.25);
  EXPECT_EQ(spinner->leadingSpoke(), 3u);  // one spoke every 1/12 s

  spinner->removeFromSuperview();
  advance(0.5);
  EXPECT_EQ(spinner->leadingSpoke(), 3u);
  EXPECT_TRUE(spinner->isAnimating());  // it resumes in a window
  window->addSubview(spinner);
  advance(1.0 / 12);
  EXPECT_EQ(spinner->leadingSpoke(), 4u);

  spinner->stopAnimating();
  EXPECT_TRUE(spinner->isHidden());
  advance(0.5);
  EXPECT_EQ(spinner->leadingSpoke(), 4u);

  spinner->setHidesWhenStopped(false);
  EXPECT_FALSE(spinner->isHidden());
  spinner->startAnimating();
  spinner.reset();  // the view goes: its timer with it
  advance(1);
}

TEST_F(Spinners, DrawsTwelveSpokesFadingBehindTheLead) {
  auto spinner = UIActivityIndicatorView::create(UIActivityIndicatorViewStyle::whiteLarge);
  spinner->setColor(UIColor::black());
  spinner->setHidesWhenStopped(false);
  auto image = Renderer::renderImage(*spinner->layer(), 1);
  ASSERT_TRUE(image);
  auto alphaAt = [&](int x, int y) { return static_cast<int>(image->pixel(x, y) >> 24); };
  // The lead points up and moves clockwise, so the spoke just after it (up and to the right) is the
  // end of the fading tail, and the one just before it (up and to the left) nearly as strong as the lead.
  const int lead = alphaAt(18, 5);
  const int last = alphaAt(24, 7);
  const int previous = alphaAt(12, 7);
  EXPECT_GT(previous, last);
  EXPECT_GT(lead, 200);
  EXPECT_GT(last, 0);
  EXPECT_LT(last, lead / 2);
  EXPECT_EQ(alphaAt(18, 18), 0);  // the centre is empty
}

}  // namespace
}  // namespace ios
