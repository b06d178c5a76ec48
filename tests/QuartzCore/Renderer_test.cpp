#include <QuartzCore/CAGradientLayer.h>
#include <QuartzCore/CAShapeLayer.h>
#include <QuartzCore/Renderer.h>

#include <gtest/gtest.h>

#include <vector>

namespace ios {
namespace {

struct Pixel {
  int a, r, g, b;
};

Pixel at(const CGImage& image, int x, int y) {
  const std::uint32_t p = image.pixel(x, y);
  return {static_cast<int>(p >> 24), static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
          static_cast<int>(p & 0xFF)};
}

// A root layer of the given size that the tests draw their layer into.
std::shared_ptr<CALayer> canvas(CGFloat width, CGFloat height) {
  auto root = CALayer::create();
  root->setFrame(CGRect(0, 0, width, height));
  return root;
}

TEST(Renderer, RoundedBackgroundLeavesTheCornersTransparent) {
  auto root = canvas(40, 40);
  auto card = CALayer::create();
  card->setFrame(CGRect(0, 0, 40, 40));
  card->setBackgroundColor(CGColor::rgb(1, 0, 0, 1));
  card->setCornerRadius(10);
  root->addSublayer(card);
  auto image = Renderer::renderImage(*root, 2);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width(), 80);
  const Pixel centre = at(*image, 40, 40);
  EXPECT_EQ(centre.a, 255);
  EXPECT_EQ(centre.r, 255);
  EXPECT_EQ(centre.g, 0);
  EXPECT_EQ(at(*image, 1, 1).a, 0);
  EXPECT_EQ(at(*image, 40, 0).a, 255);  // the straight top edge is filled
}

TEST(Renderer, ShadowFollowsTheContentUnlessTheLayerClips) {
  auto root = canvas(60, 60);
  auto card = CALayer::create();
  card->setFrame(CGRect(15, 15, 30, 30));
  card->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
  card->setShadowOpacity(0.5f);
  card->setShadowRadius(2);
  card->setShadowOffset(CGSize{0, 4});
  root->addSublayer(card);
  auto image = Renderer::renderImage(*root, 1);
  ASSERT_TRUE(image);
  // Below the card (offset down) there is shadow; above it, much less; far away, none.
  const int below = at(*image, 30, 47).a, above = at(*image, 30, 13).a;
  EXPECT_GT(below, 20);
  EXPECT_LT(above, below);
  EXPECT_EQ(at(*image, 2, 2).a, 0);
  // The shadow is black: the pixel below is dark.
  EXPECT_EQ(at(*image, 30, 47).r, 0);

  card->setMasksToBounds(true);
  auto clipped = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*clipped, 30, 47).a, 0);
}

TEST(Renderer, ShadowPathReplacesTheContentShape) {
  auto root = canvas(60, 60);
  auto layer = CALayer::create();
  layer->setFrame(CGRect(0, 0, 60, 60));
  layer->setShadowOpacity(1);
  layer->setShadowRadius(0);
  layer->setShadowOffset(CGSize{0, 0});
  layer->setShadowPath(CGPath::rect(CGRect(10, 10, 10, 10)));
  root->addSublayer(layer);
  auto image = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*image, 15, 15).a, 255);
  EXPECT_EQ(at(*image, 40, 40).a, 0);
}

TEST(Renderer, OpacityMaskHiddenAndBorder) {
  auto root = canvas(40, 20);
  auto half = CALayer::create();
  half->setFrame(CGRect(0, 0, 20, 20));
  half->setBackgroundColor(CGColor::rgb(0, 0, 1, 1));
  half->setOpacity(0.5f);
  root->addSublayer(half);

  auto masked = CALayer::create();
  masked->setFrame(CGRect(20, 0, 20, 20));
  masked->setBackgroundColor(CGColor::rgb(0, 1, 0, 1));
  auto mask = CAShapeLayer::create();
  mask->setFrame(CGRect(0, 0, 20, 20));
  mask->setPath(CGPath::rect(CGRect(0, 0, 10, 20)));
  masked->setMask(mask);
  root->addSublayer(masked);

  auto image = Renderer::renderImage(*root, 1);
  EXPECT_NEAR(at(*image, 10, 10).a, 128, 1);
  EXPECT_EQ(at(*image, 25, 10).a, 255);  // inside the mask's path
  EXPECT_EQ(at(*image, 35, 10).a, 0);    // outside it

  half->setHidden(true);
  half->setOpacity(1);
  masked->setMask(nullptr);
  masked->setBorderWidth(2);
  masked->setBorderColor(CGColor::rgb(1, 0, 0, 1));
  image = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*image, 10, 10).a, 0);
  EXPECT_EQ(at(*image, 20, 10).r, 255);  // border on top of the green background
  EXPECT_EQ(at(*image, 30, 10).g, 255);
}

TEST(Renderer, MasksToBoundsClipsSublayersToTheRoundedBounds) {
  auto root = canvas(40, 40);
  auto clip = CALayer::create();
  clip->setFrame(CGRect(0, 0, 40, 40));
  clip->setCornerRadius(20);
  clip->setMasksToBounds(true);
  auto fill = CALayer::create();
  fill->setFrame(CGRect(-10, -10, 60, 60));
  fill->setBackgroundColor(CGColor::rgb(0, 0, 0, 1));
  clip->addSublayer(fill);
  root->addSublayer(clip);
  auto image = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*image, 20, 20).a, 255);
  EXPECT_EQ(at(*image, 1, 1).a, 0);
  clip->setMasksToBounds(false);
  image = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*image, 1, 1).a, 255);
}

TEST(Renderer, GradientRunsFromStartToEnd) {
  auto root = canvas(10, 100);
  auto gradient = CAGradientLayer::create();
  gradient->setFrame(CGRect(0, 0, 10, 100));
  gradient->setColors({CGColor::rgb(1, 0, 0, 1), CGColor::rgb(0, 0, 1, 1)});
  root->addSublayer(gradient);
  auto image = Renderer::renderImage(*root, 1);
  EXPECT_GT(at(*image, 5, 2).r, 240);
  EXPECT_GT(at(*image, 5, 97).b, 240);
  const Pixel middle = at(*image, 5, 50);
  EXPECT_NEAR(middle.r, 127, 6);
  EXPECT_NEAR(middle.b, 127, 6);

  gradient->setStartPoint({0, 0.5});
  gradient->setEndPoint({1, 0.5});
  image = Renderer::renderImage(*root, 1);
  EXPECT_NEAR(at(*image, 5, 2).r, at(*image, 5, 97).r, 2);  // now horizontal: rows are alike
}

TEST(Renderer, ContentsFollowTheirGravity) {
  std::vector<std::uint32_t> pixels(4 * 4, 0xFFFF0000u);  // opaque red 4x4
  std::shared_ptr<const CGImage> image = CGImage::create(4, 4, pixels);
  auto root = canvas(20, 10);
  auto layer = CALayer::create();
  layer->setFrame(CGRect(0, 0, 20, 10));
  layer->setContents(image);
  root->addSublayer(layer);

  layer->setContentsGravity(CALayerContentsGravity::resizeAspect);
  auto out = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*out, 10, 5).a, 255);
  EXPECT_EQ(at(*out, 1, 5).a, 0);  // fit: bars left and right

  layer->setContentsGravity(CALayerContentsGravity::topLeft);
  out = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*out, 1, 1).a, 255);
  EXPECT_EQ(at(*out, 6, 6).a, 0);

  layer->setContentsGravity(CALayerContentsGravity::resize);
  out = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*out, 19, 9).a, 255);
}

TEST(Renderer, TransformedSublayersAreDrawnWhereTheyAppear) {
  auto root = canvas(40, 40);
  auto layer = CALayer::create();
  layer->setFrame(CGRect(10, 10, 20, 20));
  layer->setBackgroundColor(CGColor::rgb(0, 0, 0, 1));
  layer->setAffineTransform(CGAffineTransform::scale(0.5, 0.5));
  root->addSublayer(layer);
  auto image = Renderer::renderImage(*root, 1);
  EXPECT_EQ(at(*image, 20, 20).a, 255);
  EXPECT_EQ(at(*image, 12, 12).a, 0);  // scaled about the centre: 15..25 now
}

TEST(Renderer, BlurSpreadsButKeepsTheTotal) {
  std::vector<unsigned char> alpha(32 * 32, 0);
  for (int y = 12; y < 20; ++y)
    for (int x = 12; x < 20; ++x) alpha[y * 32 + x] = 255;
  long before = 0, after = 0;
  for (unsigned char a : alpha) before += a;
  Renderer::blurAlpha(alpha.data(), 32, 32, 32, 2);
  for (unsigned char a : alpha) after += a;
  EXPECT_NEAR(static_cast<double>(after), static_cast<double>(before), before * 0.03);
  EXPECT_GT(alpha[16 * 32 + 9], 0);    // spread outside the square
  EXPECT_LT(alpha[16 * 32 + 12], 255);  // softened edge
  EXPECT_EQ(alpha[0], 0);
}

}  // namespace
}  // namespace ios
