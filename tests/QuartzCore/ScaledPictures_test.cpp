#include <QuartzCore/CARenderer.h>
#include <QuartzCore/Renderer.h>
#include <QuartzCore/ScaledPictures.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace ios {
namespace {

constexpr CGSize kRoot{200, 160};

// A picture with detail down to single pixels and some translucency, so that any other scale or
// sub-pixel place shows; `seed` makes another one of the same size.
std::shared_ptr<CGImage> detailed(int width, int height, unsigned seed = 0) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t a = 128 + (x + y + seed) % 128;
      const std::uint32_t r = (x * 255 / width) * a / 255, g = (y * 255 / height) * a / 255;
      const std::uint32_t b = (((x ^ y) + seed) & 7) * 32 * a / 255;
      pixels[static_cast<std::size_t>(y) * width + x] = a << 24 | r << 16 | g << 8 | b;
    }
  }
  return CGImage::create(width, height, std::move(pixels));
}

std::shared_ptr<CALayer> pictureLayer(const std::shared_ptr<const CGImage>& image, const CGRect& frame,
                                      CALayerContentsGravity gravity = CALayerContentsGravity::resize) {
  auto layer = CALayer::create();
  layer->setFrame(frame);
  layer->setContents(image);
  layer->setContentsGravity(gravity);
  return layer;
}

// What drawing `image` straight into `lands` (in the coordinates of a layer at `frame`) on a
// transparent root gives.
std::shared_ptr<CGImage> drawnStraight(const CGImage& image, const CGRect& frame, const CGRect& lands, CGFloat scale) {
  auto context = CGContext::bitmap(kRoot, scale);
  context->translateBy(frame.minX(), frame.minY());
  context->draw(image, lands);
  return context->makeImage();
}

// Whether every channel of every pixel of `a` is within `tolerance` of `b`'s.
::testing::AssertionResult samePicture(const std::shared_ptr<CGImage>& a, const std::shared_ptr<CGImage>& b,
                                       int tolerance = 0) {
  if (!a || !b || a->width() != b->width() || a->height() != b->height())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < a->height(); ++y) {
    for (int x = 0; x < a->width(); ++x) {
      for (int shift = 0; shift < 32; shift += 8) {
        const int ca = static_cast<int>(a->pixel(x, y) >> shift & 0xFF), cb = static_cast<int>(b->pixel(x, y) >> shift & 0xFF);
        if (std::abs(ca - cb) > tolerance)
          return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") " << std::hex << a->pixel(x, y)
                                               << " against " << b->pixel(x, y);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// A transparent root showing `layers`, drawn into a new kept frame.
std::shared_ptr<CGImage> rendered(const std::vector<std::shared_ptr<CALayer>>& layers, CGFloat scale) {
  auto root = CALayer::create();
  root->setFrame(CGRect(CGPoint{0, 0}, kRoot));
  for (const auto& layer : layers) root->addSublayer(layer);
  CARenderer frame(scale);
  frame.render(*root);
  return frame.makeImage();
}

TEST(ScaledPictures, APictureLandsInItsPlaceAndDrawsTheSameWhicheverOthersWereKept) {
  struct Case {
    std::string name;
    std::shared_ptr<CGImage> image;
    CGRect frame;
    CALayerContentsGravity gravity;
    CGRect lands;  // where the picture lands, in the layer's coordinates
    CGFloat scale;
  };
  const auto logo = detailed(200, 200), cover = detailed(150, 84);
  const Case cases[] = {
      {"logo scaled down", logo, CGRect(10, 10, 44, 44), CALayerContentsGravity::resize, CGRect(0, 0, 44, 44), 2},
      {"the same logo elsewhere", logo, CGRect(100, 60, 44, 44), CALayerContentsGravity::resize, CGRect(0, 0, 44, 44), 2},
      {"half a pixel over", logo, CGRect(60.25, 10, 44, 44), CALayerContentsGravity::resize, CGRect(0, 0, 44, 44), 2},
      {"half a pixel down", logo, CGRect(10, 10.25, 44, 44), CALayerContentsGravity::resize, CGRect(0, 0, 44, 44), 2},
      {"another size", logo, CGRect(10, 10, 32, 32), CALayerContentsGravity::resize, CGRect(0, 0, 32, 32), 2},
      {"another scale", logo, CGRect(10, 10, 44, 44), CALayerContentsGravity::resize, CGRect(0, 0, 44, 44), 3},
      {"a third of a pixel over", logo, CGRect(10 + 1.0 / 9, 10, 44, 44), CALayerContentsGravity::resize,
       CGRect(0, 0, 44, 44), 3},
      {"another picture of the same size", detailed(200, 200, 5), CGRect(10, 10, 44, 44),
       CALayerContentsGravity::resize, CGRect(0, 0, 44, 44), 2},
      {"cover filling its layer", cover, CGRect(60, 60, 70, 30), CALayerContentsGravity::resizeAspectFill,
       CGRect(0, 15 - 84 * (70.0 / 150) / 2, 70, 84 * (70.0 / 150)), 2},
      {"cover fitting its layer", cover, CGRect(60, 60, 70, 30), CALayerContentsGravity::resizeAspect,
       CGRect(35 - 150 * (30.0 / 84) / 2, 0, 150 * (30.0 / 84), 30), 2},
      {"at its own size", cover, CGRect(20.5, 30, 75, 42), CALayerContentsGravity::resize, CGRect(0, 0, 75, 42), 2},
  };
  // Each picture drawn on its own, with nothing kept from other pictures...
  std::vector<std::shared_ptr<CGImage>> alone;
  for (const auto& c : cases) {
    ScaledPictures::current().clear();
    alone.push_back(rendered({pictureLayer(c.image, c.frame, c.gravity)}, c.scale));
    // Cairo's sampling depends a little on where a picture lies in its target.
    EXPECT_TRUE(samePicture(alone.back(), drawnStraight(*c.image, c.frame, c.lands, c.scale), 8)) << c.name;
  }
  // ...is what it draws after those before it were kept.
  ScaledPictures::current().clear();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    EXPECT_TRUE(samePicture(rendered({pictureLayer(c.image, c.frame, c.gravity)}, c.scale), alone[i])) << c.name;
  }
  // Only the logo drawn again at a whole-pixel distance is the same picture.
  EXPECT_EQ(ScaledPictures::current().hits(), 1u);
}

TEST(ScaledPictures, LayersShowingAPictureAlikeShareOneCopyAndFreshPicturesDrawTheSame) {
  const auto logo = detailed(200, 200);
  std::vector<std::shared_ptr<CALayer>> cards;
  for (int i = 0; i < 3; ++i) {
    cards.push_back(pictureLayer(logo, CGRect(10 + 60 * i, 10, 44, 44)));
    cards.push_back(pictureLayer(logo, CGRect(10.25 + 60 * i, 80, 44, 44)));
  }
  auto root = CALayer::create();
  root->setFrame(CGRect(CGPoint{0, 0}, kRoot));
  root->setBackgroundColor(CGColor::rgb(0.9, 0.9, 0.9, 1));
  for (const auto& card : cards) root->addSublayer(card);
  ScaledPictures::current().clear();
  CARenderer frame(2);
  frame.render(*root);
  EXPECT_EQ(ScaledPictures::current().entries(), 2u);
  EXPECT_EQ(ScaledPictures::current().hits(), 4u);
  EXPECT_TRUE(samePicture(frame.makeImage(), Renderer::renderImage(*root, 2)));
}

TEST(ScaledPictures, APictureChangedOrReplacedIsDrawnAnew) {
  const CGRect frame(10.25, 10, 44, 44);
  auto drawnAlone = [&](const std::shared_ptr<CGImage>& image) {
    ScaledPictures::current().clear();
    return rendered({pictureLayer(image, frame)}, 2);
  };
  auto logo = detailed(200, 200);
  const auto repainted = detailed(200, 200, 3), replacement = detailed(200, 200, 6);
  const auto expectRepainted = drawnAlone(repainted), expectReplacement = drawnAlone(replacement);
  auto layer = pictureLayer(logo, frame);
  auto root = CALayer::create();
  root->setFrame(CGRect(CGPoint{0, 0}, kRoot));
  root->addSublayer(layer);
  CARenderer kept(2);
  kept.render(*root);

  // New pixels written into the same picture.
  std::copy_n(repainted->pixels(), 200 * 200, logo->mutablePixels());
  layer->setNeedsDisplay();
  kept.render(*root);
  EXPECT_TRUE(samePicture(kept.makeImage(), expectRepainted));

  // Another picture in place of one that is gone, perhaps in its memory.
  layer->setContents(nullptr);
  logo.reset();
  layer->setContents(detailed(200, 200, 6));
  kept.render(*root);
  EXPECT_TRUE(samePicture(kept.makeImage(), expectReplacement));
}

TEST(ScaledPictures, DropsTheLeastRecentlyUsedPictureBeyondItsCapacity) {
  auto key = [](std::uint64_t image) { return ScaledPictures::Key{image, CGRect(0, 0, 8, 8), {}}; };
  int draws = 0;
  auto draw = [&] {
    ++draws;
    return SurfaceRef(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 16));  // 1 KB
  };
  ScaledPictures cache(3 * 1024);
  for (std::uint64_t image : {1, 2, 3, 1, 4}) cache.picture(key(image), draw);
  EXPECT_EQ(draws, 4);
  cache.picture(key(1), draw);
  cache.picture(key(2), draw);  // dropped for 4, the least recently used
  EXPECT_EQ(draws, 5);
  ScaledPictures small(512);  // a picture larger than the whole cache is handed out, not kept
  small.picture(key(1), draw);
  small.picture(key(1), draw);
  EXPECT_EQ(draws, 7);
  EXPECT_EQ(small.entries(), 0u);
}

}  // namespace
}  // namespace ios
