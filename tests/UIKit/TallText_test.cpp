// Text and pictures taller or wider than one drawing surface can hold: whatever of them shows is
// drawn, as the same lines drawn in a short label are, by the window's kept frame, a fresh frame and
// a snapshot alike.

#include <CoreText/NSAttributedString.h>
#include <CoreText/NSMutableParagraphStyle.h>
#include <CoreText/UIFont.h>
#include <QuartzCore/CARenderer.h>
#include <QuartzCore/Renderer.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UITextView.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>
#include <support/WindowTest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace ios {
namespace {

// Every line is this tall, a whole number of pixels at every scale: line k of a long label and line
// 0 of a short one sit on the pixel grid alike.
constexpr CGFloat kLineHeight = 20;
const CGRect kViewport(0, 100, 375, 600);

// Lines `first` to `first + count - 1`, each short enough not to wrap.
std::shared_ptr<NSAttributedString> numberedLines(int first, int count) {
  std::string text;
  char line[64];
  for (int k = first; k < first + count; ++k) {
    std::snprintf(line, sizeof line, "%sDòng %05d – điều khoản sử dụng", k == first ? "" : "\n", k);
    text += line;
  }
  auto style = NSMutableParagraphStyle::create();
  style->minimumLineHeight = kLineHeight;
  style->maximumLineHeight = kLineHeight;
  return NSAttributedString::create(text, {{NSAttributedStringKey::font, UIFont::systemFont(15)},
                                           {NSAttributedStringKey::paragraphStyle, style}});
}

// `view` alone in a scroll view of the window.
std::shared_ptr<UIScrollView> showScrolled(UIWindow& window, const std::shared_ptr<UIView>& view) {
  auto scroll = UIScrollView::create(kViewport);
  scroll->setBackgroundColor(UIColor::white());
  scroll->addSubview(view);
  scroll->setContentSize(view->frame().size);
  window.addSubview(scroll);
  window.layoutIfNeeded();
  return scroll;
}

// A label of `text`, `width` x `height`, alone in a scroll view of the window.
std::shared_ptr<UIScrollView> showLabel(UIWindow& window, std::shared_ptr<NSAttributedString> text, CGSize size,
                                        int lines = 0) {
  auto label = UILabel::create(CGRect(CGPoint{0, 0}, size));
  label->setNumberOfLines(static_cast<std::size_t>(lines));
  label->setAttributedText(std::move(text));
  return showScrolled(window, label);
}

// A label, or a text view, of `count` lines from `first` on, as tall as they are, in a scroll view.
std::shared_ptr<UIScrollView> showLines(UIWindow& window, int first, int count, bool textView) {
  if (!textView) return showLabel(window, numberedLines(first, count), {375, count * kLineHeight});
  // The text view's insets: 8 points above and below.
  auto view = UITextView::create(CGRect(0, 0, 375, count * kLineHeight + 16));
  view->isEditable = false;
  view->setAttributedText(numberedLines(first, count));
  return showScrolled(window, view);
}

// Pixels differing by more than the reference pictures' tolerance; rows alike byte for byte are
// passed over at once.
int differingPixels(const CGImage& a, const CGImage& b) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  const auto w = static_cast<std::size_t>(a.width());
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.pixels() + y * w, b.pixels() + y * w, w * 4) == 0) continue;
    for (int x = 0; x < a.width(); ++x) {
      int worst = 0;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(test::channel(a.pixel(x, y), shift) - test::channel(b.pixel(x, y), shift)));
      count += worst > 8;
    }
  }
  return count;
}

// The ways a window's picture is made: its kept frame brought up to date, a fresh frame, a snapshot.
struct Path {
  const char* name;
  std::function<std::shared_ptr<CGImage>(UIWindow&, CARenderer&, CGFloat scale)> picture;
};
const Path kPaths[] = {
    {"kept frame", [](UIWindow& w, CARenderer& kept, CGFloat) { kept.render(*w.layer()); return kept.makeImage(); }},
    {"fresh frame",
     [](UIWindow& w, CARenderer&, CGFloat scale) {
       CARenderer fresh(scale);
       fresh.render(*w.layer());
       return fresh.makeImage();
     }},
    {"snapshot", [](UIWindow& w, CARenderer&, CGFloat scale) { return Renderer::renderImage(*w.layer(), scale); }},
};

class TallText : public test::WindowTest {
 protected:
  // Scrolls the tall text to show line `first` at the top, in `steps` equal moves from line `from`
  // (a finger's whole-pixel moves past what was drawn before), the kept frame brought up to date
  // after each.
  void scrollTo(CARenderer& kept, int first, int from, int steps) {
    const CGFloat step = (first - from) * kLineHeight / steps;
    for (int i = 1; i <= steps; ++i) {
      tall->setContentOffset({0, from * kLineHeight + step * i});
      window->layoutIfNeeded();
      kept.render(*window->layer());
    }
  }
  // The same lines as a short label or text view shows them.
  std::shared_ptr<CGImage> shortPicture(CGFloat scale, int first, int count, bool textView) {
    tall->setHidden(true);
    // A text view shows the line above the first in its inset: it starts a line early, scrolled by it.
    const int from = textView ? std::max(first - 1, 0) : first;
    const int shown = std::min(count - from, static_cast<int>(kViewport.height() / kLineHeight) + 3);
    auto brief = showLines(*window, from, shown, textView);
    brief->setContentOffset({0, (first - from) * kLineHeight});
    window->layoutIfNeeded();
    auto picture = Renderer::renderImage(*window->layer(), scale);
    brief->removeFromSuperview();
    tall->setHidden(false);
    return picture;
  }

  std::shared_ptr<UIScrollView> tall;
};

TEST_F(TallText, TextTallerThanASurfaceShowsItsTopMiddleAndEndAsShortTextDoes) {
  struct Case {
    CGFloat scale;
    int lines;  // the text is this many lines of 20 points tall
    bool textView;
  };
  // 2,000 lines are 40,000 points, 80,000 pixels at scale 2; 600 lines are 12,000 points, 36,000
  // pixels at scale 3.
  const Case cases[] = {{2, 2000, false}, {3, 600, false}, {2, 2000, true}};
  for (const Case& c : cases) {
    tall = showLines(*window, 0, c.lines, c.textView);
    const int end = c.lines - static_cast<int>(kViewport.height() / kLineHeight);
    struct Stop {
      const char* where;
      int first, from, steps;
    };
    // The middle is reached by 40 moves of 3 lines from far above it, the end in one jump.
    const Stop stops[] = {{"top", 0, 0, 1}, {"middle", c.lines / 2, c.lines / 2 - 120, 40}, {"end", end, 0, 1}};
    CARenderer kept(c.scale);
    for (const Stop& stop : stops) {
      scrollTo(kept, stop.first, stop.from, stop.steps);
      const auto expected = shortPicture(c.scale, stop.first, c.lines, c.textView);
      ASSERT_TRUE(expected);
      EXPECT_GT(test::inkBox(*expected).top, 0);
      for (const Path& path : kPaths) {
        SCOPED_TRACE(testing::Message() << (c.textView ? "text view" : "label") << " at scale " << c.scale << ", "
                                        << path.name << ", " << stop.where);
        const auto shown = path.picture(*window, kept, c.scale);
        ASSERT_TRUE(shown);
        EXPECT_EQ(differingPixels(*shown, *expected), 0);
      }
    }
    tall->removeFromSuperview();
  }
}

TEST_F(TallText, ALabelWiderThanASurfaceShowsTheEndOfItsLine) {
  // One line of 200 addresses right-aligned in a label 40,000 points wide, scrolled to its end,
  // shows as five of them right-aligned in a label 1,000 points wide scrolled to its end.
  auto text = [](int repeats) {
    std::string line;
    for (int i = 0; i < repeats; ++i) line += i ? " · 12 Hàng Bài, Hoàn Kiếm" : "12 Hàng Bài, Hoàn Kiếm";
    return NSAttributedString::create(line, {{NSAttributedStringKey::font, UIFont::systemFont(15)}});
  };
  auto showEnd = [&](int repeats, CGFloat width) {
    auto scroll = showLabel(*window, text(repeats), {width, 40}, 1);
    static_cast<UILabel&>(*scroll->subviews().front()).setTextAlignment(NSTextAlignment::right);
    scroll->setContentOffset({width - 375, 0});
    window->layoutIfNeeded();
    return scroll;
  };
  auto brief = showEnd(5, 1000);
  const auto expected = Renderer::renderImage(*window->layer(), 2);
  ASSERT_TRUE(expected);
  EXPECT_GT(test::inkBox(*expected).right, 0);
  brief->removeFromSuperview();
  tall = showEnd(200, 40000);
  const CGFloat ink = tall->subviews().front()->intrinsicContentSize().width;
  ASSERT_TRUE(ink * 2 > 32767 && ink < 40000);
  for (const Path& path : kPaths) {
    SCOPED_TRACE(path.name);
    CARenderer kept(2);
    const auto shown = path.picture(*window, kept, 2);
    ASSERT_TRUE(shown);
    EXPECT_EQ(differingPixels(*shown, *expected), 0);
  }
}

TEST_F(TallText, APictureTallerThanASurfaceShowsItsColoursAllDown) {
  // Twenty red rows above twenty blue ones, stretched 20,000 points down: 1,000 points a row.
  auto picture = test::painted(1, 40, [](int, int y) { return y < 20 ? test::kRed : test::kBlue; });
  auto view = UIImageView::create(picture);
  view->setFrame(CGRect(0, 0, 375, 20000));
  tall = showScrolled(*window, view);
  struct Stop {
    CGFloat offset;
    std::uint32_t colour;
  };
  const Stop stops[] = {{4000, test::kRed}, {15000, test::kBlue}, {5000, test::kRed}};
  for (const Path& path : kPaths) {
    CARenderer kept(2);
    for (const Stop& stop : stops) {
      SCOPED_TRACE(testing::Message() << path.name << " at " << stop.offset);
      tall->setContentOffset({0, stop.offset});
      window->layoutIfNeeded();
      const auto shown = path.picture(*window, kept, 2);
      ASSERT_TRUE(shown);
      for (const CGFloat y : {kViewport.minY() + 1, kViewport.midY(), kViewport.maxY() - 1})
        EXPECT_EQ(shown->pixel(375, static_cast<int>(y * 2)), stop.colour) << y;
    }
  }
}

}  // namespace
}  // namespace ios
