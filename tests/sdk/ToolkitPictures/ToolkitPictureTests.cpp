// What the toolkit's drawing looks like: one reference picture per effect, recorded on purpose and
// checked by eye, so that a change in gradients, blurs or the loading overlay shows up as a diff.

#include <CoreText/UIFont.h>
#include <QuartzCore/CAGradientLayer.h>
#include <QuartzCore/Renderer.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Extensions/GradientView.h>
#include <Ultilities/Extensions/UIImageEffectsExtension.h>
#include <Ultilities/Extensions/UIViewGradientView.h>
#include <Ultilities/lib/WSLoadingView.h>

#include <gtest/gtest.h>
#include <support/ReferenceImage.h>
#include <support/VirtualTime.h>

#include <memory>
#include <string>

namespace kerbelin {
namespace {

using ios::CGRect;
using ios::UIColor;
using ios::UIView;

std::shared_ptr<UIView> box(const CGRect& frame, std::shared_ptr<UIColor> color, double radius = 0) {
  auto view = UIView::create(frame);
  view->setBackgroundColor(std::move(color));
  view->layer()->setCornerRadius(radius);
  return view;
}

std::shared_ptr<ios::UILabel> label(const CGRect& frame, const std::string& text, double size,
                                    std::shared_ptr<UIColor> color) {
  auto view = ios::UILabel::create(frame);
  view->setText(text);
  view->setFont(ios::UIFont::boldSystemFont(size));
  view->setTextColor(std::move(color));
  view->setTextAlignment(ios::NSTextAlignment::center);
  return view;
}

template <class View>
std::shared_ptr<View> gradient(double x, std::shared_ptr<UIColor> from, std::shared_ptr<UIColor> to,
                               bool diagonal) {
  auto view = View::create(CGRect(x, 10, 64, 100));
  view->setStartColor(std::move(from));
  view->setEndColor(std::move(to));
  if (diagonal) {
    view->setDiagonalMode(true);
  } else {
    view->setHorizontalMode(true);
  }
  return view;
}

TEST(ToolkitPictures, BothGradientViewsAcrossAndCorner) {
  auto root = box(CGRect(0, 0, 300, 120), UIColor::create(0.95, 1));
  auto orange = UIColor::create(1, 0.34, 0.13, 1), navy = UIColor::create(0.1, 0.2, 0.6, 1);
  auto yellow = UIColor::create(1, 0.85, 0.1, 1), teal = UIColor::create(0, 0.55, 0.5, 1);
  root->addSubview(gradient<GradientView>(10, orange, navy, false));
  root->addSubview(gradient<GradientView>(82, orange, navy, true));
  root->addSubview(gradient<UIViewExtension::GradientView>(154, yellow, teal, false));
  root->addSubview(gradient<UIViewExtension::GradientView>(226, yellow, teal, true));
  for (const auto& view : root->subviews()) view->setNeedsLayout();
  root->layoutIfNeeded();
  auto picture = ios::Renderer::renderImage(*root->layer(), 2);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(ios::test::matchesReference(*picture, "toolkit-gradient-views"));
}

// A 160-point landscape: sky, sun, two hills, a house and a caption, flattened into a bitmap.
std::shared_ptr<ios::UIImage> landscape() {
  auto scene = box(CGRect(0, 0, 160, 160), nullptr);
  auto sky = ios::CAGradientLayer::create();
  sky->setFrame(CGRect(0, 0, 160, 160));
  sky->setColors({ios::CGColor::rgb(0.2, 0.5, 0.9), ios::CGColor::rgb(0.75, 0.9, 1)});
  scene->layer()->addSublayer(sky);
  scene->addSubview(box(CGRect(100, 18, 40, 40), UIColor::create(1, 0.8, 0.1, 1), 20));
  scene->addSubview(box(CGRect(-40, 95, 150, 120), UIColor::create(0.2, 0.6, 0.25, 1), 60));
  scene->addSubview(box(CGRect(60, 105, 160, 120), UIColor::create(0.1, 0.45, 0.2, 1), 60));
  scene->addSubview(box(CGRect(30, 88, 36, 30), UIColor::create(0.85, 0.2, 0.15, 1)));
  scene->addSubview(box(CGRect(42, 102, 12, 16), UIColor::create(0.35, 0.2, 0.1, 1)));
  scene->addSubview(label(CGRect(0, 130, 160, 26), "Đà Lạt", 20, UIColor::white()));
  scene->layoutIfNeeded();
  return ios::UIImage::create(ios::Renderer::renderImage(*scene->layer(), 1), 1);
}

TEST(ToolkitPictures, BlurPresetsBesideTheOriginal) {
  auto source = landscape();
  ASSERT_TRUE(source);
  const std::shared_ptr<ios::UIImage> tiles[] = {
      source,
      applyLightEffect(*source),
      applyExtraLightEffect(*source),
      applyDarkEffect(*source),
      applyTintEffectWithColor(*source, UIColor::create(0.1, 0.3, 0.9, 1)),
      applyTintEffectWithColor(*source, UIColor::create(0.9, 0.3, 0.1, 1)),
  };
  auto root = box(CGRect(0, 0, 512, 344), UIColor::create(0.3, 1));
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(tiles[i]) << "tile " << i;
    auto view = ios::UIImageView::create(CGRect(8 + (i % 3) * 168, 8 + (i / 3) * 168, 160, 160));
    view->setImage(tiles[i]);
    root->addSubview(view);
  }
  auto picture = ios::Renderer::renderImage(*root->layer(), 1);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(ios::test::matchesReference(*picture, "toolkit-blur-presets"));
}

// A key window showing a plain list screen under the overlay, with the spinner stopped part-way round
// over the second card's cover.
class LoadingPicture : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    window = ios::UIWindow::create();
    window->setBackgroundColor(UIColor::create(0.94, 0.94, 0.96, 1));
    window->makeKeyAndVisible();
    window->addSubview(box(CGRect(0, 0, 375, 88), UIColor::create(0, 0.48, 1, 1)));
    window->addSubview(label(CGRect(0, 50, 375, 30), "Ưu đãi của tôi", 18, UIColor::white()));
    for (int i = 0; i < 4; ++i) {
      const double top = 108 + i * 170;
      window->addSubview(box(CGRect(16, top, 343, 150), UIColor::white(), 10));
      window->addSubview(label(CGRect(16, top + 8, 343, 24), "Thẻ quà tặng " + std::to_string(i + 1), 16,
                               UIColor::create(0.2, 1)));
      window->addSubview(box(CGRect(26, top + 40, 323, 100), UIColor::create(1, 0.6, 0.3, 1), 6));
    }
    runUntilIdle();
  }

  void TearDown() override {
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    window.reset();
    MainLoopTest::TearDown();
  }

  std::shared_ptr<ios::CGImage> renderAfterAFewSpokes() {
    advance(0.3);  // between the third and fourth step, so the lead spoke is the same every run
    window->layoutIfNeeded();
    return ios::Renderer::renderImage(*window->layer(), 1);
  }

  // The spinner covers a few hundred of the screen's 300 000 pixels: allow far fewer strays than that.
  static ::testing::AssertionResult matches(const ios::CGImage& picture, const std::string& name) {
    return ios::test::matchesReference(picture, name, 8, 0.0001);
  }

  std::shared_ptr<ios::UIWindow> window;
};

TEST_F(LoadingPicture, SmallGraySpinnerInTheMiddle) {
  ASSERT_TRUE(WSLoadingView::show().isShowing());
  auto picture = renderAfterAFewSpokes();
  ASSERT_TRUE(picture);
  EXPECT_TRUE(matches(*picture, "toolkit-loading-show"));
}

TEST_F(LoadingPicture, DimmedScreenUnderAWhiteSpinner) {
  ASSERT_TRUE(WSLoadingView::showWithMask().isShowing());
  auto picture = renderAfterAFewSpokes();
  ASSERT_TRUE(picture);
  EXPECT_TRUE(matches(*picture, "toolkit-loading-mask"));
}

}  // namespace
}  // namespace kerbelin
