#include <QuartzCore/Renderer.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>
#include <support/VirtualTime.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

std::shared_ptr<UILabel> labelWith(const std::string& text, std::size_t lines = 1) {
  auto label = UILabel::create();
  label->setText(text);
  label->setNumberOfLines(lines);
  return label;
}

bool onPixelGrid(CGFloat value) {
  const CGFloat pixels = value * UIScreen::main()->scale();
  return std::abs(pixels - std::round(pixels)) < 1e-6;
}

TEST(UILabel, PlainAndAttributedTextAreKeptApart) {
  auto label = UILabel::create();
  EXPECT_FALSE(label->text().has_value());
  label->setText("Xin chào");
  EXPECT_EQ(label->text(), "Xin chào");
  EXPECT_EQ(label->attributedText(), nullptr);  // plain text only: no attributed text

  auto attributed = NSAttributedString::create("Giá cũ", {{Key::strikethroughStyle, 1}});
  label->setAttributedText(attributed);
  EXPECT_EQ(label->attributedText(), attributed);
  EXPECT_EQ(label->text(), "Giá cũ");

  label->setText("Giá mới");  // replaces the attributed text
  EXPECT_EQ(label->attributedText(), nullptr);
  EXPECT_EQ(label->text(), "Giá mới");

  label->setAttributedText(attributed);
  label->setAttributedText(nullptr);  // clears the label
  EXPECT_FALSE(label->text().has_value());
  label->setText("");
  EXPECT_EQ(label->text(), "");  // "" and no text differ
  EXPECT_EQ(label->intrinsicContentSize(), CGSize::zero);
}

TEST(UILabel, NullColourAndFontRestoreThePlatformDefaults) {
  auto label = UILabel::create();
  label->setTextColor(UIColor::red());
  label->setFont(UIFont::systemFont(30));
  label->setTextColor(nullptr);
  label->setFont(nullptr);
  EXPECT_EQ(label->textColor()->cgColor(), UIColor::black()->cgColor());
  EXPECT_EQ(label->font()->pointSize(), 17);
}

TEST(UILabel, IntrinsicSizeFollowsTheText) {
  const CGSize shortSize = labelWith("Thẻ")->intrinsicContentSize();
  const CGSize longSize = labelWith("Thẻ quà tặng")->intrinsicContentSize();
  EXPECT_GT(shortSize.width, 0);
  EXPECT_GT(longSize.width, shortSize.width);
  EXPECT_EQ(longSize.height, shortSize.height);
  EXPECT_TRUE(onPixelGrid(longSize.width) && onPixelGrid(longSize.height));

  const CGSize twoLines = labelWith("Dòng một\nDòng hai", 0)->intrinsicContentSize();
  EXPECT_GT(twoLines.height, 1.8 * shortSize.height);
  const CGSize limited = labelWith("Dòng một\nDòng hai", 1)->intrinsicContentSize();
  EXPECT_EQ(limited.height, shortSize.height);

  auto bigger = labelWith("Thẻ");
  bigger->setFont(UIFont::systemFont(30));
  EXPECT_GT(bigger->intrinsicContentSize().height, shortSize.height);
}

TEST(UILabel, MultiLineTextWrapsAtAGivenWidth) {
  auto label = labelWith("Ưu đãi dành riêng cho khách hàng thân thiết của cửa hàng", 0);
  const CGSize oneLine = label->intrinsicContentSize();
  label->setPreferredMaxLayoutWidth(120);
  const CGSize wrapped = label->intrinsicContentSize();
  EXPECT_LE(wrapped.width, 120);
  EXPECT_GT(wrapped.height, 2 * oneLine.height);

  const CGSize fits = label->sizeThatFits({120, 0});
  EXPECT_EQ(fits, wrapped);
  EXPECT_TRUE(label->hasIntrinsicHeightForWidth());
  EXPECT_GT(label->intrinsicHeightForWidth(80), label->intrinsicHeightForWidth(200));

  label->setNumberOfLines(2);
  EXPECT_NEAR(label->sizeThatFits({120, 0}).height, 2 * oneLine.height, 1);
  label->setNumberOfLines(1);
  EXPECT_FALSE(label->hasIntrinsicHeightForWidth());
}

TEST(UILabel, SubclassesPadTheirTextThroughTextRect) {
  class PaddedLabel : public UILabel {
   public:
    CGRect textRect(const CGRect& bounds, std::size_t lines) const override {
      const CGRect inner = UILabel::textRect(inset(bounds, {4, 10, 4, 10}), lines);
      return CGRect(inner.origin.x - 10, inner.origin.y - 4, inner.size.width + 20, inner.size.height + 8);
    }
    void drawText(const CGRect& rect) override { UILabel::drawText(inset(rect, {4, 10, 4, 10})); }
  };
  auto padded = std::make_shared<PaddedLabel>();
  padded->setText("Mã QR");
  const CGSize plain = labelWith("Mã QR")->intrinsicContentSize();
  EXPECT_EQ(padded->intrinsicContentSize(), (CGSize{plain.width + 20, plain.height + 8}));
}

class LabelLayout : public test::MainLoopTest {};

TEST_F(LabelLayout, ChangesReachAutoLayoutAndTheDisplay) {
  auto window = UIWindow::create(CGRect(0, 0, 320, 200));
  auto label = labelWith("Ngắn");
  label->setTranslatesAutoresizingMaskIntoConstraints(false);
  window->addSubview(label);
  NSLayoutConstraint::activate({label->leadingAnchor().constraintEqualTo(window->leadingAnchor(), 10),
                                label->topAnchor().constraintEqualTo(window->topAnchor(), 10)});
  window->layoutIfNeeded();
  const CGFloat before = label->frame().size.width;
  EXPECT_EQ(before, label->intrinsicContentSize().width);

  label->layer()->clearNeedsDisplay();
  label->setText("Một dòng dài hơn nhiều");
  EXPECT_TRUE(label->layer()->needsDisplay());
  window->layoutIfNeeded();
  EXPECT_GT(label->frame().size.width, before);

  label->setFont(UIFont::systemFont(8));
  window->layoutIfNeeded();
  EXPECT_EQ(label->frame().size, label->intrinsicContentSize());
}

TEST(UILabel, DrawsItsTextVerticallyCentredInItsColour) {
  auto label = UILabel::create(CGRect(0, 0, 120, 60));
  label->setText("Việt Nam");
  label->setTextColor(UIColor::red());
  auto image = Renderer::renderImage(*label->layer(), 1);
  const auto ink = test::inkBox(*image);
  // Centred: the ink sits around the middle, well away from both edges.
  EXPECT_GT(ink.top, 10);
  EXPECT_LT(ink.bottom, 50);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30, 6);
  const auto* pixels = image->pixels();
  EXPECT_NE(std::find(pixels, pixels + image->width() * image->height(), test::kRed),
            pixels + image->width() * image->height());

  label->setText("");
  EXPECT_EQ(test::inkBox(*Renderer::renderImage(*label->layer(), 1)).top, -1);
}

TEST(UILabel, LinesThatDoNotFitTheHeightAreLeftOut) {
  auto label = UILabel::create(CGRect(0, 0, 200, 24));
  label->setNumberOfLines(0);
  label->setText("Một\nHai\nBa\nBốn");
  const auto ink = test::inkBox(*Renderer::renderImage(*label->layer(), 1));
  // One line, centred with room to spare, rather than four lines centred and overflowing both edges.
  EXPECT_GE(ink.top, 1);
  EXPECT_LE(ink.bottom, 22);
}

TEST(UILabel, AnAlignmentOutOfRangeFromAnInterfaceFileIsIgnored) {
  auto label = UILabel::create();
  EXPECT_TRUE(label->setValue(1, "textAlignment"));
  EXPECT_TRUE(label->setValue(9, "textAlignment"));
  EXPECT_EQ(label->textAlignment(), NSTextAlignment::center);
}

TEST(UILabel, ShrinksSingleLinesToFitWhenAsked) {
  auto label = UILabel::create(CGRect(0, 0, 60, 30));
  label->setText("Khuyến mãi đặc biệt");
  const CGFloat full = label->textRect(CGRect(0, 0, 1000, 30), 1).size.width;
  ASSERT_GT(full, 60);
  const auto truncated = label->makeLayout(60, 1);
  EXPECT_TRUE(truncated.isTruncated());
  label->adjustsFontSizeToFitWidth = true;
  label->minimumScaleFactor = 0.1;
  EXPECT_FALSE(label->makeLayout(60, 1).isTruncated());
}

// Labels share the sizes of texts already laid out: every setting that changes the laid-out text
// must keep two labels with the same text apart. Each case measures the same text with the base
// settings, then with one setting changed, and expects what laying the text out gives.
TEST(UILabel, LabelsWithTheSameTextMeasureByTheirOwnSettings) {
  const std::string text = "Ưu đãi dành riêng cho khách hàng thân thiết";
  struct Case {
    const char* what;
    std::function<void(UILabel&)> change;
    CGFloat width = 120;
  };
  const std::vector<Case> cases = {
      {"a larger font", [](UILabel& l) { l.setFont(UIFont::systemFont(20)); }},
      {"a bold font", [](UILabel& l) { l.setFont(UIFont::systemFont(14, UIFontWeight::bold)); }},
      {"another width", [](UILabel&) {}, 200},
      {"a line limit", [](UILabel& l) { l.setNumberOfLines(1); }},
      {"shrinking to fit", [](UILabel& l) {
         l.setNumberOfLines(1);
         l.adjustsFontSizeToFitWidth = true;
         l.minimumScaleFactor = 0.3;
       }},
  };
  auto base = [&] {
    auto label = labelWith(text, 0);
    label->setFont(UIFont::systemFont(14));
    return label;
  };
  // What the text takes when laid out afresh, as the label reports it for `width`.
  auto laidOut = [](const UILabel& label, CGFloat width) {
    const CGSize size = label.makeLayout(width, label.numberOfLines()).roundedUpSize(UIScreen::main()->scale());
    return CGSize{std::min(size.width, width), size.height};
  };
  for (const auto& c : cases) {
    auto plain = base();
    auto changed = base();
    c.change(*changed);
    ASSERT_NE(laidOut(*plain, 120), laidOut(*changed, c.width)) << c.what << " must change the size";
    EXPECT_EQ(plain->sizeThatFits({120, 0}), laidOut(*plain, 120)) << c.what;
    EXPECT_EQ(changed->sizeThatFits({c.width, 0}), laidOut(*changed, c.width)) << c.what;
    EXPECT_EQ(base()->sizeThatFits({120, 0}), laidOut(*plain, 120)) << "after " << c.what;
  }
}

// A label given a new text is measured anew, even when another label already showed that text.
TEST(UILabel, ANewTextIsMeasuredAnew) {
  auto first = labelWith("Thẻ", 0);
  auto second = labelWith("Thẻ quà tặng\ncho cả nhà", 0);
  const CGSize shortSize = first->intrinsicContentSize();
  const CGSize longSize = second->intrinsicContentSize();
  ASSERT_NE(shortSize, longSize);
  first->setText("Thẻ quà tặng\ncho cả nhà");
  EXPECT_EQ(first->intrinsicContentSize(), longSize);
  second->setText("Thẻ");
  EXPECT_EQ(second->intrinsicContentSize(), shortSize);
}

}  // namespace
}  // namespace ios

namespace ios {
namespace {

bool samePixels(const CGImage& a, const CGImage& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::equal(a.pixels(), a.pixels() + a.width() * a.height(), b.pixels());
}

// A name sent with no break and no end: a label of two lines draws and measures it as it does its
// first 2,000 letters, whether the letters run on or come in words.
TEST(UILabel, ATwoLineLabelOfAMillionLettersShowsWhatItsFirstTwoThousandShow) {
  for (const std::string word : {"abcdefghijklmnopqrstuvwxyz", "Thẻ quà tặng "}) {
    std::string million;
    while (million.size() < 1'000'000) million += word;
    auto whole = labelWith(million, 2);
    auto first =
        labelWith(NSAttributedString::create(million)->attributedSubstring(NSRange{0, 2000})->string(), 2);
    for (auto* label : {whole.get(), first.get()}) label->setFrame(CGRect(0, 0, 343, 60));
    EXPECT_EQ(whole->sizeThatFits(CGSize{343, 0}), first->sizeThatFits(CGSize{343, 0})) << word;
    EXPECT_EQ(whole->intrinsicHeightForWidth(200), first->intrinsicHeightForWidth(200)) << word;
    EXPECT_TRUE(
        samePixels(*Renderer::renderImage(*whole->layer(), 2), *Renderer::renderImage(*first->layer(), 2)))
        << word;
  }
}

bool moreLinesOfInk(const CGImage& changed, const CGImage& before) {
  const auto height = [](const CGImage& image) { return test::inkBox(image).bottom - test::inkBox(image).top; };
  return height(changed) > height(before) + 8;
}

// Labels showing the same text the same way share one layout, drawn and measured: every setting
// that changes the drawing must keep labels apart, and a label changed after drawing must not keep
// what it drew before. Each case draws a label with the base settings; then one label drawn with
// those settings and changed afterwards, and one made with the change, must both draw the changed
// picture, which must show the change against the base one.
TEST(UILabel, LabelsWithTheSameTextDrawByTheirOwnSettings) {
  const std::string text = "Ưu đãi dành riêng cho khách hàng thân thiết";
  struct Case {
    const char* what;
    std::function<void(UILabel&)> change;
    CGFloat scale = 1;
    std::function<bool(const CGImage&, const CGImage&)> showsChange = [](const CGImage& a, const CGImage& b) {
      return !samePixels(a, b);
    };
    std::function<void(UILabel&)> setUp = [](UILabel&) {};
  };
  const auto oneLine = [](UILabel& l) { l.setNumberOfLines(1); };
  const auto different = [](const CGImage& a, const CGImage& b) { return !samePixels(a, b); };
  auto attributed = [&](NSAttributes attributes) { return NSAttributedString::create(text, std::move(attributes)); };
  const std::vector<Case> cases = {
      {"another text", [](UILabel& l) { l.setText("Ưu đãi dành riêng cho khách hàng mới"); }},
      {"a larger font", [](UILabel& l) { l.setFont(UIFont::systemFont(16)); }},
      {"a bold font", [](UILabel& l) { l.setFont(UIFont::systemFont(14, UIFontWeight::bold)); }},
      {"a colour", [](UILabel& l) { l.setTextColor(UIColor::red()); }},
      {"disabled", [](UILabel& l) { l.setEnabled(false); }},
      {"highlighted", [](UILabel& l) {
         l.setHighlightedTextColor(UIColor::blue());
         l.setHighlighted(true);
       }},
      {"a narrower width", [](UILabel& l) { l.setFrame(CGRect(0, 0, 150, 80)); }, 1, moreLinesOfInk},
      {"a line limit", [](UILabel& l) { l.setNumberOfLines(1); }},
      {"centred", [](UILabel& l) { l.setTextAlignment(NSTextAlignment::center); }},
      {"head truncation", [](UILabel& l) { l.setLineBreakMode(NSLineBreakMode::byTruncatingHead); }, 1,
       different, oneLine},
      {"shrinking to fit", [](UILabel& l) {
         l.adjustsFontSizeToFitWidth = true;
         l.minimumScaleFactor = 0.3;
         l.setNeedsDisplay();
       }, 1, different, oneLine},
      {"a smaller minimum scale", [](UILabel& l) {
         l.minimumScaleFactor = 0.3;
         l.setNeedsDisplay();
       }, 1, different, [](UILabel& l) {
         l.setNumberOfLines(1);
         l.adjustsFontSizeToFitWidth = true;
         l.minimumScaleFactor = 0.9;
       }},
      {"attributed text of the same string", [&](UILabel& l) {
         l.setAttributedText(attributed({{Key::foregroundColor, UIColor::blue()->cgColor()}}));
       }},
      {"attributed text with its own font", [&](UILabel& l) {
         l.setAttributedText(attributed({{Key::font, UIFont::systemFont(11)}}));
       }},
      {"a changed mutable text set again", [&](UILabel& l) {
         auto mutableText = attributed({})->mutableCopy();
         l.setAttributedText(mutableText);
         Renderer::renderImage(*l.layer(), 1);
         mutableText->addAttribute(Key::strikethroughStyle, 1, NSRange{0, 6});
         l.setAttributedText(mutableText);
       }},
      {"another scale", [](UILabel&) {}, 2},
  };
  auto base = [&](const Case& c) {
    auto label = UILabel::create(CGRect(0, 0, 220, 80));
    label->setText(text);
    label->setNumberOfLines(0);
    label->setFont(UIFont::systemFont(14));
    c.setUp(*label);
    return label;
  };
  auto draw = [](const UILabel& label, CGFloat scale = 1) { return Renderer::renderImage(*label.layer(), scale); };
  for (const auto& c : cases) {
    const auto before = draw(*base(c), c.scale);
    auto changedLater = base(c);
    draw(*changedLater);
    c.change(*changedLater);
    auto madeChanged = base(c);
    c.change(*madeChanged);
    const auto expected = draw(*madeChanged, c.scale);
    if (c.scale == 1) {
      EXPECT_TRUE(c.showsChange(*expected, *before)) << c.what << " must change the picture";
    }
    EXPECT_TRUE(samePixels(*draw(*changedLater, c.scale), *expected)) << c.what;
  }
}

// Attributed texts share their layouts too: a label measures the attributes it shows now.
TEST(UILabel, AttributedTextsMeasureByTheirOwnAttributes) {
  const std::string text = "Giảm 15.000 đ cho đơn mang đi";
  auto measure = [](const std::shared_ptr<NSAttributedString>& attributed) {
    auto label = UILabel::create();
    label->setNumberOfLines(0);
    label->setAttributedText(attributed);
    return label->intrinsicContentSize();
  };
  const CGSize plain = labelWith(text, 0)->intrinsicContentSize();
  const CGSize small = measure(NSAttributedString::create(text, {{Key::font, UIFont::systemFont(11)}}));
  const CGSize kerned = measure(NSAttributedString::create(text, {{Key::kern, 2}}));
  EXPECT_LT(small.width, plain.width);
  EXPECT_GT(kerned.width, plain.width);
  EXPECT_EQ(measure(NSAttributedString::create(text)), plain);

  auto mutableText = NSAttributedString::create(text)->mutableCopy();
  auto label = UILabel::create();
  label->setAttributedText(mutableText);
  EXPECT_EQ(label->intrinsicContentSize(), plain);
  mutableText->addAttribute(Key::font, UIFont::systemFont(11), NSRange{0, mutableText->length()});
  label->setAttributedText(mutableText);
  EXPECT_EQ(label->intrinsicContentSize(), small);
}

}  // namespace
}  // namespace ios
