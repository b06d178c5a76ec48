// A finger leaves the content between device pixels; the content must still show on them. This file
// is built twice: at the default scale 2, and with KERBELIN_TEST_SCREEN_SCALE=3 into a binary of its
// own, since the screen is fixed once read.

#include <QuartzCore/CARenderer.h>
#include <QuartzCore/Renderer.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#ifndef KERBELIN_TEST_SCREEN_SCALE
#define KERBELIN_TEST_SCREEN_SCALE 2
#endif

namespace ios {
namespace {

constexpr CGFloat kGridScale = KERBELIN_TEST_SCREEN_SCALE;
const bool kGridScreenConfigured = UIScreen::configure(
    {.points = {375, 812}, .scale = kGridScale, .nativePixels = {0, 0}, .safeAreaInsets = {44, 0, 34, 0}});

bool onDevicePixel(CGFloat value) {
  const double pixels = value * kGridScale;
  return std::fabs(pixels - std::round(pixels)) < 1e-9;
}

class GridOffsets : public UIScrollViewDelegate {
 public:
  std::vector<CGFloat> seen;
  void scrollViewDidScroll(UIScrollView& view) override { seen.push_back(view.contentOffset().y); }
};

class PixelGridTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_EQ(UIScreen::main()->scale(), kGridScale);
    scroll = UIScrollView::create(CGRect(0, 100, 375, 600));
    scroll->setContentSize({375, 5000});
    offsets = std::make_shared<GridOffsets>();
    scroll->setDelegate(offsets);
    window->addSubview(scroll);
    window->layoutIfNeeded();
  }
  std::shared_ptr<UIScrollView> scroll;
  std::shared_ptr<GridOffsets> offsets;
};

TEST_F(PixelGridTest, EveryOffsetAFingerOrTheMotionAfterItLeavesIsOnTheGrid) {
  struct Case {
    std::string motion;
    std::function<void(TouchGenerator&, UIScrollView&)> run;
    CGFloat restsNear;  // where the unrounded motion has taken the content; NaN for a computed target
  };
  const Case cases[] = {
      {"drag held between pixels",
       [](TouchGenerator& finger, UIScrollView&) { finger.drag({100, 600}, {100, 412.7}, 0.7, 7, false); },
       187.3 - 187.3 / 7},
      {"fling",
       [](TouchGenerator& finger, UIScrollView&) {
         finger.drag({100, 600}, {100, 383.3}, 0.1, 6);
         RunLoop::main().advance(10);
       },
       NAN},
      {"rubber band at the top",
       [](TouchGenerator& finger, UIScrollView&) {
         finger.drag({100, 200}, {100, 297.1}, 0.7, 7);
         RunLoop::main().advance(5);
       },
       0},
      {"animated to a point between pixels",
       [](TouchGenerator&, UIScrollView& s) {
         s.setContentOffset({0, 333.33}, true);
         RunLoop::main().advance(1);
       },
       333.33},
      {"paging to a page between pixels",
       [](TouchGenerator& finger, UIScrollView& s) {
         s.isPagingEnabled = true;
         s.setFrame(CGRect(0, 100, 375, 200.3));
         finger.drag({100, 280}, {100, 201.7}, 0.1, 6);
         RunLoop::main().advance(1);
       },
       200.3},
      // Movements smaller than a pixel add up instead of being lost or rounded up one by one.
      {"drag by tenths of a pixel",
       [](TouchGenerator& touches, UIScrollView&) {
         touches.down({100, 600});
         RunLoop::main().advance(0.02);
         touches.move({100, 580});  // past the pan's hysteresis: the drag begins here
         for (int i = 1; i <= 40; ++i) {
           RunLoop::main().advance(0.02);
           touches.move({100, 580 - i * 0.1 / kGridScale});
         }
       },
       4 / kGridScale},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.motion);
    scroll->setContentOffset({0, 0});
    offsets->seen.clear();
    TouchGenerator finger(window);
    c.run(finger, *scroll);
    const CGFloat y = scroll->contentOffset().y;
    EXPECT_TRUE(onDevicePixel(y)) << y;
    if (!std::isnan(c.restsNear)) {
      EXPECT_NEAR(y, c.restsNear, 0.5 / kGridScale + 1e-9);
    }
    finger.up();
    advance(10);
    ASSERT_FALSE(offsets->seen.empty());
    for (CGFloat seen : offsets->seen) EXPECT_TRUE(onDevicePixel(seen)) << seen;
    EXPECT_FALSE(scroll->isDecelerating());
    scroll->isPagingEnabled = false;
    scroll->setFrame(CGRect(0, 100, 375, 600));
  }
}

// ---- A list flung under a kept frame

class FlungRow : public UITableViewCell {
 public:
  using UITableViewCell::UITableViewCell;
  std::shared_ptr<UILabel> label;

  void fill(int row) {
    if (!label) {
      label = UILabel::create();
      label->setFrame(CGRect(16, 6, 200, 20));
      contentView()->addSubview(label);
      auto swatch = UIView::create(CGRect(240, 4, 40, 26));
      swatch->setBackgroundColor(UIColor::orange());
      swatch->layer()->setCornerRadius(6);
      contentView()->addSubview(swatch);
    }
    label->setText("Dòng số " + std::to_string(row));
    contentView()->setBackgroundColor(row % 2 ? UIColor::white() : UIColor::create(0.94, 0.95, 1, 1));
  }
};

class FlungRows : public UITableViewDataSource, public UITableViewDelegate {
 public:
  int numberOfRowsInSection(UITableView&, int) override { return 200; }
  std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& table, const IndexPath& indexPath) override {
    auto cell = std::static_pointer_cast<FlungRow>(table.dequeueReusableCell("Row", indexPath));
    cell->fill(indexPath.row);
    return cell;
  }
  CGFloat heightForRowAt(UITableView&, const IndexPath&) override { return 34; }
};

class FlungListTest : public test::WindowTest {
 protected:
  FlungListTest() : WindowTest({300, 400}) {}
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_EQ(UIScreen::main()->scale(), kGridScale);
    window->setBackgroundColor(UIColor::white());
    table = UITableView::create(CGRect(0, 0, 300, 400), UITableViewStyle::plain);
    table->setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior::never);
    table->setBackgroundColor(UIColor::white());
    table->decelerationRate = UIScrollView::DecelerationRate::fast;
    table->registerClass<FlungRow>("Row");
    table->setDataSource(rows);
    table->setDelegate(rows);
    window->addSubview(table);
    // Drawn above the list, as a floating button is.
    badge = UIView::create(CGRect(20, 20, 60, 30));
    badge->setBackgroundColor(UIColor::create(0.9, 0.3, 0.1, 1));
    window->addSubview(badge);
    window->layoutIfNeeded();
    frame.render(*window->layer());
  }

  // Where the kept frame differs from drawing the window afresh; empty when it does not.
  std::string differenceFromAFreshPicture() const {
    auto fresh = Renderer::renderImage(*window->layer(), kGridScale);
    auto kept = frame.makeImage();
    if (!fresh || !kept || fresh->width() != kept->width() || fresh->height() != kept->height()) return "sizes";
    for (int y = 0; y < fresh->height(); ++y)
      for (int x = 0; x < fresh->width(); ++x)
        if (fresh->pixel(x, y) != kept->pixel(x, y))
          return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return {};
  }

  // One frame: the clock moves a frame on, the window is laid out and its kept frame brought up to
  // date. Returns the device pixels the frame redrew beyond the strip the list scrolled by and the
  // badge above it, in its old place and its new.
  long long renderFrame(TouchGenerator& finger, const CGPoint* fingerTo) {
    const CGFloat before = table->contentOffset().y;
    advance(UIScrollView::frameInterval);
    if (fingerTo) finger.move(*fingerTo);
    window->layoutIfNeeded();
    frame.render(*window->layer());
    long long damaged = 0;
    for (const auto& r : frame.damage()) damaged += r.area();
    const long long width = static_cast<long long>(300 * kGridScale);
    const auto strip = static_cast<long long>(std::llround(std::fabs(table->contentOffset().y - before) * kGridScale));
    const auto badgeArea = static_cast<long long>(60 * kGridScale * 30 * kGridScale);
    return damaged - strip * width - 2 * badgeArea;
  }

  std::shared_ptr<UITableView> table;
  std::shared_ptr<FlungRows> rows = std::make_shared<FlungRows>();
  std::shared_ptr<UIView> badge;
  CARenderer frame{kGridScale};
};

TEST_F(FlungListTest, AFlungListRedrawsOnlyWhatScrollsInAndWhatLiesAboveAndMatchesAFreshPicture) {
  TouchGenerator finger(window);
  finger.down({150, 300});
  int frames = 0, redrawnBeyond = 0;
  // Up at a finger's uneven pace, then released with speed.
  for (CGFloat y : {289.0, 262.7, 231.9, 197.35, 160.4, 121.15}) {
    const CGPoint to{150, y};
    if (renderFrame(finger, &to) > 0) ++redrawnBeyond;
    EXPECT_EQ(differenceFromAFreshPicture(), "") << "dragging, frame " << frames;
    ++frames;
  }
  finger.up();
  ASSERT_TRUE(table->isDecelerating());
  while (table->isDecelerating() && frames < 300) {
    if (renderFrame(finger, nullptr) > 0) ++redrawnBeyond;
    EXPECT_EQ(differenceFromAFreshPicture(), "") << "decelerating, frame " << frames;
    ++frames;
  }
  EXPECT_GT(table->contentOffset().y, 300);
  EXPECT_EQ(redrawnBeyond, 0) << "of " << frames << " frames";
}

}  // namespace
}  // namespace ios
