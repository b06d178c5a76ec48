#include <QuartzCore/Renderer.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>
#include <support/WindowTest.h>

#include <vector>

namespace ios {
namespace {

using test::solid;

TEST(UIButton, TitlesFollowTheStateWithFallbacks) {
  auto button = UIButton::create();
  button->setTitle("Mua thẻ", UIControl::normal);
  button->setTitle("Đang mua", UIControl::highlighted);
  button->setTitle("Đã chọn", UIControl::selected);
  EXPECT_EQ(button->currentTitle(), "Mua thẻ");
  EXPECT_EQ(button->titleLabel()->text(), "Mua thẻ");
  EXPECT_EQ(button->title(UIControl::disabled), "Mua thẻ");  // unset: the normal title

  button->setSelected(true);
  EXPECT_EQ(button->currentTitle(), "Đã chọn");
  button->setHighlighted(true);  // highlighted and selected: the selected title
  EXPECT_EQ(button->currentTitle(), "Đã chọn");
  button->setSelected(false);
  EXPECT_EQ(button->currentTitle(), "Đang mua");
  EXPECT_EQ(button->titleLabel()->text(), "Đang mua");
  button->setHighlighted(false);

  auto attributed = NSAttributedString::create("Giá", {{NSAttributedStringKey::strikethroughStyle, 1}});
  button->setAttributedTitle(attributed, UIControl::normal);
  EXPECT_EQ(button->currentTitle(), "Giá");
  EXPECT_EQ(button->titleLabel()->attributedText(), attributed);
}

TEST(UIButton, ColoursAndImagesFollowTheState) {
  auto button = UIButton::create();
  EXPECT_EQ(button->currentTitleColor(), UIColor::white());  // a custom button's default
  auto normalImage = solid(10, 10, 0xFFFF0000);
  auto selectedImage = solid(10, 10, 0xFF0000FF);
  auto background = solid(4, 4, 0xFF00FF00);
  button->setTitleColor(UIColor::red(), UIControl::normal);
  button->setTitleColor(UIColor::gray(), UIControl::disabled);
  button->setImage(normalImage, UIControl::normal);
  button->setImage(selectedImage, UIControl::selected);
  button->setBackgroundImage(background, UIControl::normal);
  EXPECT_EQ(button->imageView()->image(), normalImage);
  EXPECT_EQ(button->layer()->contents(), background->cgImage());

  button->setSelected(true);
  EXPECT_EQ(button->currentImage(), selectedImage);
  EXPECT_EQ(button->imageView()->image(), selectedImage);
  EXPECT_EQ(button->titleLabel()->textColor(), UIColor::red());  // no selected colour: the normal one
  button->setSelected(false);
  button->setEnabled(false);
  EXPECT_EQ(button->titleLabel()->textColor(), UIColor::gray());
  button->setBackgroundImage(nullptr, UIControl::normal);
  EXPECT_EQ(button->layer()->contents(), nullptr);
}

TEST(UIButton, SystemButtonsUseTheTint) {
  auto button = UIButton::create(UIButtonType::system);
  button->setTitle("Xong", UIControl::normal);
  button->setTintColor(UIColor::orange());
  EXPECT_EQ(button->titleLabel()->textColor()->cgColor(), UIColor::orange()->cgColor());
  button->setHighlighted(true);
  EXPECT_LT(button->titleLabel()->textColor()->alpha(), 0.5);
  button->setHighlighted(false);
  button->setEnabled(false);
  EXPECT_EQ(button->titleLabel()->textColor(), UIColor::gray());
}

TEST(UIButton, IntrinsicSizeHoldsImageTitleAndInsets) {
  auto titled = UIButton::create();
  titled->setTitle("Chi tiết", UIControl::normal);
  const CGSize title = titled->intrinsicContentSize();
  EXPECT_GE(title.height, 30);
  EXPECT_GT(title.width, 0);

  auto both = UIButton::create();
  both->setTitle("Chi tiết", UIControl::normal);
  both->setImage(solid(24, 24, 0xFFFF0000), UIControl::normal);
  EXPECT_EQ(both->intrinsicContentSize().width, title.width + 24);

  both->setContentEdgeInsets({5, 10, 5, 10});
  EXPECT_EQ(both->intrinsicContentSize().width, title.width + 24 + 20);
  titled->setTitle("Chi tiết hơn nữa", UIControl::normal);
  EXPECT_GT(titled->intrinsicContentSize().width, title.width);
}

TEST(UIButton, LaysImageAndTitleSideBySideCentred) {
  auto button = UIButton::create(CGRect(0, 0, 200, 50));
  button->setTitle("Thanh toán", UIControl::normal);
  button->setImage(solid(20, 20, 0xFFFF0000), UIControl::normal);
  button->layoutIfNeeded();
  const CGRect image = button->imageView()->frame();
  const CGRect title = button->titleLabel()->frame();
  EXPECT_EQ(image.size, (CGSize{20, 20}));
  EXPECT_DOUBLE_EQ(image.maxX(), title.minX());
  EXPECT_NEAR((image.minX() + title.maxX()) / 2, 100, 1e-9);
  EXPECT_NEAR(image.midY(), 25, 1e-9);
  EXPECT_NEAR(title.midY(), 25, 1e-9);

  button->setContentHorizontalAlignment(UIControlContentHorizontalAlignment::left);
  button->setContentEdgeInsets({0, 12, 0, 0});
  button->setTitleEdgeInsets({0, 8, 0, 0});
  button->layoutIfNeeded();
  EXPECT_EQ(button->imageView()->frame().minX(), 12);
  EXPECT_EQ(button->titleLabel()->frame().minX(), 12 + 20 + 8);
}

class ButtonTouches : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    button = UIButton::create(CGRect(50, 50, 120, 44));
    button->setTitle("Mua", UIControl::normal);
    button->setTitle("Nhấn", UIControl::highlighted);
    button->setTitleColor(UIColor::black(), UIControl::normal);
    button->setTitleColor(UIColor::red(), UIControl::highlighted);
    window->addSubview(button);
  }
  std::shared_ptr<UIButton> button;
};

TEST_F(ButtonTouches, ShowsItsHighlightedTitleWhileTheFingerIsDown) {
  int taps = 0;
  button->addAction([&](UIControl&) { ++taps; }, UIControl::touchUpInside);
  TouchGenerator touches(window);
  touches.down({100, 70});  // on the title label: labels let the touch through to the button
  EXPECT_EQ(button->titleLabel()->text(), "Nhấn");
  EXPECT_EQ(button->titleLabel()->textColor(), UIColor::red());
  touches.up();
  EXPECT_EQ(button->titleLabel()->text(), "Mua");
  EXPECT_EQ(button->titleLabel()->textColor(), UIColor::black());
  EXPECT_EQ(taps, 1);
}

}  // namespace
}  // namespace ios
