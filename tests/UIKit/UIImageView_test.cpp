#include <QuartzCore/Renderer.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>
#include <support/VirtualTime.h>

#include <string>
#include <vector>

namespace ios {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;

using test::solid;

TEST(UIImageView, InitWithImageTakesItsSize) {
  auto view = UIImageView::create(solid(40, 20, kRed, 2));
  EXPECT_EQ(view->frame(), CGRect(0, 0, 20, 10));
  EXPECT_EQ(view->intrinsicContentSize(), (CGSize{20, 10}));
  view->setImage(nullptr);
  EXPECT_EQ(view->intrinsicContentSize(), (CGSize{UIView::noIntrinsicMetric, UIView::noIntrinsicMetric}));
  EXPECT_EQ(view->layer()->contents(), nullptr);
}

struct Placement {
  UIViewContentMode mode;
  std::vector<CGPoint> covered;
  std::vector<CGPoint> empty;
};

// A 20 x 10 image in a 40 x 40 view.
TEST(UIImageView, EveryContentModePlacesTheImage) {
  const std::vector<Placement> cases = {
      {UIViewContentMode::scaleToFill, {{1, 1}, {38, 38}}, {}},
      {UIViewContentMode::scaleAspectFit, {{1, 11}, {38, 28}}, {{20, 5}, {20, 35}}},
      {UIViewContentMode::scaleAspectFill, {{1, 1}, {38, 38}}, {}},
      {UIViewContentMode::redraw, {{1, 1}, {38, 38}}, {}},
      {UIViewContentMode::center, {{11, 16}, {28, 23}}, {{5, 20}, {20, 10}, {35, 20}}},
      {UIViewContentMode::top, {{11, 1}, {28, 8}}, {{20, 20}, {5, 5}}},
      {UIViewContentMode::bottom, {{11, 31}, {28, 38}}, {{20, 20}, {5, 35}}},
      {UIViewContentMode::left, {{1, 16}, {18, 23}}, {{30, 20}, {5, 5}}},
      {UIViewContentMode::right, {{21, 16}, {38, 23}}, {{10, 20}, {35, 5}}},
      {UIViewContentMode::topLeft, {{1, 1}, {18, 8}}, {{30, 5}, {5, 20}}},
      {UIViewContentMode::topRight, {{21, 1}, {38, 8}}, {{10, 5}, {35, 20}}},
      {UIViewContentMode::bottomLeft, {{1, 31}, {18, 38}}, {{30, 35}, {5, 20}}},
      {UIViewContentMode::bottomRight, {{21, 31}, {38, 38}}, {{10, 35}, {35, 20}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    auto view = UIImageView::create(CGRect(0, 0, 40, 40));
    view->setImage(solid(20, 10, kRed));
    view->setContentMode(c.mode);
    auto image = Renderer::renderImage(*view->layer(), 1);
    ASSERT_TRUE(image);
    for (CGPoint p : c.covered)
      EXPECT_EQ(image->pixel(static_cast<int>(p.x), static_cast<int>(p.y)), kRed) << p.x << "," << p.y;
    for (CGPoint p : c.empty)
      EXPECT_EQ(image->pixel(static_cast<int>(p.x), static_cast<int>(p.y)), 0u) << p.x << "," << p.y;
  }
}

TEST(UIImageView, HighlightingShowsTheHighlightedImage) {
  auto normal = solid(4, 4, kRed);
  auto highlighted = solid(4, 4, kBlue);
  auto view = UIImageView::create(normal, highlighted);
  EXPECT_EQ(view->displayedImage(), normal);
  view->setHighlighted(true);
  EXPECT_EQ(view->displayedImage(), highlighted);
  EXPECT_EQ(Renderer::renderImage(*view->layer(), 1)->pixel(2, 2), kBlue);
  view->setHighlightedImage(nullptr);  // nothing to highlight with: the image shows
  EXPECT_EQ(view->displayedImage(), normal);
}

TEST(UIImageView, TemplateImagesTakeTheTintColour) {
  auto view = UIImageView::create(solid(4, 4, kRed)->withRenderingMode(UIImageRenderingMode::alwaysTemplate));
  view->setTintColor(UIColor::green());
  EXPECT_EQ(Renderer::renderImage(*view->layer(), 1)->pixel(1, 1), kGreen);
  view->setImage(solid(4, 4, kRed));  // an original image is left as it is
  EXPECT_EQ(Renderer::renderImage(*view->layer(), 1)->pixel(1, 1), kRed);
}

class ImageViewAnimation : public test::MainLoopTest {
 protected:
  void SetUp() override {
    test::MainLoopTest::SetUp();
    window = UIWindow::create(CGRect(0, 0, 100, 100));
    frames = {solid(2, 2, kRed), solid(2, 2, kGreen), solid(2, 2, kBlue)};
    still = solid(2, 2, 0xFF000000);
    view = UIImageView::create(still);
    window->addSubview(view);
  }
  // The bitmap on screen, by the frame it belongs to: 0-2, -1 for the still image.
  int shown() const {
    const auto& contents = view->layer()->contents();
    for (std::size_t i = 0; i < frames.size(); ++i)
      if (contents == frames[i]->cgImage()) return static_cast<int>(i);
    return contents == still->cgImage() ? -1 : -2;
  }
  std::shared_ptr<UIWindow> window;
  std::vector<std::shared_ptr<UIImage>> frames;
  std::shared_ptr<UIImage> still;
  std::shared_ptr<UIImageView> view;
};

TEST_F(ImageViewAnimation, FramesAdvanceOnTheClock) {
  view->animationImages = frames;
  view->animationDuration = 0.3;
  EXPECT_EQ(shown(), -1);
  view->startAnimating();
  EXPECT_TRUE(view->isAnimating());
  EXPECT_EQ(shown(), 0);
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    advance(0.1);
    seen.push_back(shown());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));
  view->stopAnimating();
  EXPECT_EQ(shown(), -1);
  advance(0.5);
  EXPECT_EQ(shown(), -1);
}

TEST_F(ImageViewAnimation, ARepeatCountEndsTheAnimation) {
  view->animationImages = frames;
  view->animationDuration = 0.3;
  view->animationRepeatCount = 2;
  view->startAnimating();
  advance(0.55);
  EXPECT_TRUE(view->isAnimating());
  EXPECT_EQ(shown(), 2);
  advance(0.1);
  EXPECT_FALSE(view->isAnimating());
  EXPECT_EQ(shown(), -1);
}

TEST_F(ImageViewAnimation, FramesStopOutsideAWindowAndWithTheView) {
  view->animationImages = frames;  // no duration: 1/30 s a frame
  view->startAnimating();
  view->removeFromSuperview();
  const int before = shown();
  advance(1.0 / 30);
  EXPECT_EQ(shown(), before);
  window->addSubview(view);
  advance(1.0 / 30);
  EXPECT_NE(shown(), before);
  view.reset();  // its timer must go with it
  advance(1);
}

TEST_F(ImageViewAnimation, AnimatedImagesPlayByThemselves) {
  view->setImage(UIImage::animatedImage(frames, 0.6));
  EXPECT_FALSE(view->isAnimating());
  EXPECT_EQ(shown(), 0);
  advance(0.2);
  EXPECT_EQ(shown(), 1);
  advance(0.2);
  EXPECT_EQ(shown(), 2);
  view->setImage(still);
  advance(0.2);
  EXPECT_EQ(shown(), -1);
}

}  // namespace
}  // namespace ios
