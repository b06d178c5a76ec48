// Inline images in attributed text, as every view that draws such text shows them.

#include <CoreText/NSMutableAttributedString.h>
#include <CoreText/UIFont.h>
#include <QuartzCore/Renderer.h>
#include <UIKit/UIButton.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITextField.h>
#include <UIKit/UITextView.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>

#include <functional>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

// "a", a green image in `bounds`, " b" in 20-point black text.
std::shared_ptr<NSAttributedString> textWithImage(CGRect bounds, std::shared_ptr<UIImage> image) {
  auto attachment = NSTextAttachment::create();
  attachment->image = std::move(image);
  attachment->bounds = bounds;
  const NSAttributes font = {{Key::font, UIFont::systemFont(20)}};
  auto text = NSMutableAttributedString::create("a", font);
  text->append(*NSAttributedString::create(attachment));
  text->append(*NSAttributedString::create(" b", font));
  return text;
}

// The pixels that are mostly green: the image, never the text.
test::InkBox greenBox(const CGImage& image) {
  test::InkBox box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const auto pixel = image.pixel(x, y);
      if (test::channel(pixel, 8) < 160 || test::channel(pixel, 16) > 90) continue;
      if (box.top < 0) box.top = y;
      box.bottom = y;
      box.left = box.left < 0 ? x : std::min(box.left, x);
      box.right = std::max(box.right, x);
    }
  return box;
}

struct Drawer {
  const char* view;
  std::function<std::shared_ptr<UIView>(std::shared_ptr<NSAttributedString>)> make;
};

const Drawer kDrawers[] = {
    {"label",
     [](auto text) {
       auto label = UILabel::create(CGRect(0, 0, 160, 60));
       label->setAttributedText(text);
       return label;
     }},
    {"button title",
     [](auto text) {
       auto button = UIButton::create(CGRect(0, 0, 160, 60));
       button->setContentHorizontalAlignment(UIControlContentHorizontalAlignment::left);
       button->setAttributedTitle(text, UIControl::normal);
       button->layoutIfNeeded();
       return button;
     }},
    {"text view",
     [](auto text) {
       auto view = UITextView::create(CGRect(0, 0, 160, 60));
       view->setAttributedText(text);
       return view;
     }},
    {"field placeholder",
     [](auto text) {
       auto field = UITextField::create(CGRect(0, 0, 160, 60));
       field->setAttributedPlaceholder(text);
       return field;
     }},
};

test::InkBox drawnImage(const Drawer& drawer, CGRect bounds) {
  auto view = drawer.make(textWithImage(bounds, test::solid(4, 4, test::kGreen)));
  return greenBox(*Renderer::renderImage(*view->layer(), 1));
}

TEST(TextAttachments, TheImageFillsItsBoundsInlineWithTheBoundsOriginYAboveTheBaseline) {
  struct Case {
    CGRect bounds;
  };
  const Case cases[] = {{CGRect(0, 4, 12, 6)}, {CGRect(0, -3, 8, 9)}, {CGRect(0, 0, 20, 11)}};
  for (const auto& drawer : kDrawers) {
    SCOPED_TRACE(drawer.view);
    // Sitting on the baseline, right after the "a".
    const auto onBaseline = drawnImage(drawer, CGRect(0, 0, 10, 10));
    ASSERT_GE(onBaseline.top, 0) << "no image drawn";
    EXPECT_NEAR(onBaseline.right - onBaseline.left + 1, 10, 1);
    EXPECT_NEAR(onBaseline.bottom - onBaseline.top + 1, 10, 1);
    EXPECT_GT(onBaseline.left, 4);  // after the "a", which sits at the view's leading edge
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << c.bounds.origin.y << " " << c.bounds.size.width << "x" << c.bounds.size.height);
      const auto drawn = drawnImage(drawer, c.bounds);
      ASSERT_GE(drawn.top, 0) << "no image drawn";
      EXPECT_NEAR(drawn.right - drawn.left + 1, c.bounds.size.width, 1);
      EXPECT_NEAR(drawn.bottom - drawn.top + 1, c.bounds.size.height, 1);
      EXPECT_NEAR(drawn.left, onBaseline.left, 1);
      EXPECT_NEAR(drawn.bottom, onBaseline.bottom - c.bounds.origin.y, 1);
    }
  }
}

TEST(TextAttachments, AnAttachmentWithoutABitmapKeepsItsRoomAndDrawsNothing) {
  for (auto image : {std::shared_ptr<UIImage>(), UIImage::createWithoutBitmap(CGSize{10, 10})}) {
    auto label = UILabel::create(CGRect(0, 0, 160, 60));
    label->setAttributedText(textWithImage(CGRect(0, 0, 30, 10), image));
    const auto ink = test::inkBox(*Renderer::renderImage(*label->layer(), 1));
    EXPECT_EQ(greenBox(*Renderer::renderImage(*label->layer(), 1)).top, -1);
    EXPECT_GT(ink.right - ink.left, 30);  // "a", the room, " b"
  }
}

}  // namespace
}  // namespace ios
