#include <QuartzCore/CAGradientLayer.h>
#include <QuartzCore/Renderer.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIView.h>

#include <gtest/gtest.h>
#include <support/ReferenceImage.h>

#include <vector>

namespace ios {
namespace {

// Reference pictures of the renderer: what a person would check by eye, kept as PNGs so that a
// change in drawing shows up as a failing test with a diff picture.

std::shared_ptr<UIView> canvas(CGFloat width, CGFloat height) {
  auto root = UIView::create(CGRect(0, 0, width, height));
  root->setBackgroundColor(UIColor::create(243.0 / 255, 243.0 / 255, 249.0 / 255, 1));
  return root;
}

TEST(Rendering, RoundedCardWithShadow) {
  auto root = canvas(200, 120);
  auto card = UIView::create(CGRect(20, 20, 160, 80));
  card->setBackgroundColor(UIColor::white());
  card->layer()->setCornerRadius(8);
  card->layer()->setShadowOpacity(0.2f);
  card->layer()->setShadowRadius(3);
  card->layer()->setShadowOffset(CGSize{0, 2});
  auto badge = UIView::create(CGRect(130, 10, 40, 20));
  badge->setBackgroundColor(UIColor::create(1, 87.0 / 255, 34.0 / 255, 1));
  badge->setTransform(CGAffineTransform::rotation(-3.14159265358979 / 20));
  card->addSubview(badge);
  root->addSubview(card);
  auto image = Renderer::renderImage(*root->layer(), 2);
  ASSERT_TRUE(image);
  EXPECT_TRUE(test::matchesReference(*image, "rounded-card-shadow"));
}

TEST(Rendering, GradientAcrossAndDown) {
  auto root = canvas(120, 60);
  auto gradient = CAGradientLayer::create();
  gradient->setFrame(CGRect(10, 10, 100, 40));
  gradient->setColors({CGColor::rgb(1, 0.34, 0.13, 1), CGColor::rgb(0.95, 0.4, 0.22, 0.2)});
  gradient->setStartPoint({0, 0});
  gradient->setEndPoint({1, 1});
  gradient->setCornerRadius(6);
  gradient->setMasksToBounds(true);
  root->layer()->addSublayer(gradient);
  auto image = Renderer::renderImage(*root->layer(), 2);
  ASSERT_TRUE(image);
  EXPECT_TRUE(test::matchesReference(*image, "gradient"));
}

TEST(Rendering, VietnameseTextWithDiacritics) {
  auto root = canvas(260, 70);
  auto label = UILabel::create(CGRect(10, 5, 240, 60));
  label->setNumberOfLines(2);
  label->setText("Thẻ dịch vụ trả trước – Mã sản phẩm: KB-0012, ưu đãi 20%");
  label->setTextColor(UIColor::create(0.2, 0.2, 0.2, 1));
  root->addSubview(label);
  root->layoutIfNeeded();
  auto image = Renderer::renderImage(*root->layer(), 2);
  ASSERT_TRUE(image);
  EXPECT_TRUE(test::matchesReference(*image, "vietnamese-label"));
}

TEST(Rendering, ImageContentModes) {
  // A 2:1 picture: left half orange, right half blue.
  std::vector<std::uint32_t> pixels(40 * 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) pixels[y * 40 + x] = x < 20 ? 0xFFFF5722u : 0xFF1E88E5u;
  auto picture = UIImage::create(std::shared_ptr<const CGImage>(CGImage::create(40, 20, pixels)), 1);
  ASSERT_TRUE(picture);
  auto root = canvas(200, 60);
  const UIViewContentMode modes[] = {UIViewContentMode::scaleToFill, UIViewContentMode::scaleAspectFit,
                                     UIViewContentMode::scaleAspectFill, UIViewContentMode::center};
  for (int i = 0; i < 4; ++i) {
    auto view = UIImageView::create(CGRect(10 + 48 * i, 10, 40, 40));
    view->setImage(picture);
    view->setContentMode(modes[i]);
    view->setClipsToBounds(true);
    view->setBackgroundColor(UIColor::create(0.85, 1));
    root->addSubview(view);
  }
  root->layoutIfNeeded();
  auto image = Renderer::renderImage(*root->layer(), 2);
  ASSERT_TRUE(image);
  EXPECT_TRUE(test::matchesReference(*image, "image-content-modes"));
}

}  // namespace
}  // namespace ios
