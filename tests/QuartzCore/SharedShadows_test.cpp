#include <QuartzCore/CARenderer.h>
#include <QuartzCore/Renderer.h>
#include <QuartzCore/SharedShadows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace ios {
namespace {

// Two white cards with the same shadow, the second changed by `second`.
std::shared_ptr<CALayer> twoCards(const std::function<void(CALayer&)>& second) {
  auto root = CALayer::create();
  root->setFrame(CGRect(0, 0, 160, 80));
  root->setBackgroundColor(CGColor::rgb(0.95, 0.95, 0.95, 1));
  for (CGFloat x : {10.0, 90.0}) {
    auto card = CALayer::create();
    card->setFrame(CGRect(x, 20, 50, 30));
    card->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
    card->setCornerRadius(6);
    card->setShadowColor(CGColor::rgb(0, 0, 0.4, 1));
    card->setShadowOpacity(0.5f);
    card->setShadowRadius(3);
    card->setShadowOffset(CGSize{0, 2});
    root->addSublayer(card);
  }
  second(*root->sublayers().back());
  return root;
}

::testing::AssertionResult samePicture(const CGImage& a, const CGImage& b) {
  if (a.width() != b.width() || a.height() != b.height()) return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
  return ::testing::AssertionSuccess();
}

// Draws a scene into a kept frame, where shadows are shared, and compares it with a picture of the
// same scene's layers never drawn before, where each shadow is made from its own layer's alpha;
// `shared` is how many shapes and colours the kept frame took from the cache.
void expectSharingDrawsTheSame(const std::function<std::shared_ptr<CALayer>()>& scene, std::size_t shared,
                               const std::string& label) {
  auto& cache = SharedShadows::current();
  cache.clear();
  auto kept = scene();
  CARenderer frame(2);
  frame.render(*kept);
  EXPECT_EQ(cache.hits(), shared) << label;
  auto fresh = Renderer::renderImage(*scene(), 2);
  ASSERT_TRUE(fresh) << label;
  EXPECT_TRUE(samePicture(*frame.makeImage(), *fresh)) << label;
}

TEST(SharedShadows, CardsShareAShadowOnlyWhenEveryInputToItsPixelsIsTheSame) {
  struct Case {
    std::string change;
    std::function<void(CALayer&)> apply;
    std::size_t shared;  // shapes and colours the second card takes from the first
  };
  const Case cases[] = {
      {"nothing", [](CALayer&) {}, 2},
      {"another offset", [](CALayer& l) { l.setShadowOffset(CGSize{1, 4}); }, 2},
      {"another colour", [](CALayer& l) { l.setShadowColor(CGColor::rgb(0.8, 0.1, 0, 1)); }, 1},
      {"another opacity", [](CALayer& l) { l.setShadowOpacity(0.9f); }, 1},
      {"another pixel phase", [](CALayer& l) { l.setPosition({l.position().x + 0.25, l.position().y}); }, 0},
      {"another corner radius", [](CALayer& l) { l.setCornerRadius(2); }, 0},
      {"another blur", [](CALayer& l) { l.setShadowRadius(5); }, 0},
      {"another size", [](CALayer& l) { l.setBounds(CGRect(0, 0, 50, 34)); }, 0},
      {"a shadow path", [](CALayer& l) { l.setShadowPath(CGPath::roundedRect(CGRect(4, 4, 42, 22), 3, 3)); }, 0},
  };
  for (const auto& c : cases) expectSharingDrawsTheSame([&] { return twoCards(c.apply); }, c.shared, c.change);
}

TEST(SharedShadows, ACardRecolouredAfterSharingDrawsItsOwnColour) {
  auto& cache = SharedShadows::current();
  cache.clear();
  auto kept = twoCards([](CALayer&) {});
  CARenderer frame(2);
  frame.render(*kept);
  auto recolour = [](CALayer& l) { l.setShadowColor(CGColor::rgb(0, 0.6, 0.2, 1)); };
  recolour(*kept->sublayers().front());
  frame.render(*kept);
  auto fresh = twoCards([](CALayer&) {});
  recolour(*fresh->sublayers().front());
  auto picture = Renderer::renderImage(*fresh, 2);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(samePicture(*frame.makeImage(), *picture));
}

TEST(SharedShadows, CardsWhoseContentReachesOutShareOnlyTheSamePixels) {
  struct Case {
    std::string change;
    std::function<void(CALayer& badge)> apply;
    std::size_t shared;
  };
  const Case cases[] = {
      {"the same badge", [](CALayer&) {}, 2},
      {"a badge further out", [](CALayer& b) { b.setPosition({b.position().x, b.position().y - 2}); }, 0},
      {"a paler badge", [](CALayer& b) { b.setBackgroundColor(CGColor::rgb(1, 0, 0, 0.5)); }, 0},
  };
  // A badge sticking out of each card's corner: the shadows follow the cards' alpha.
  auto badged = [](const std::function<void(CALayer&)>& second) {
    return twoCards([&](CALayer& card) {
      for (const auto& c : card.superlayer()->sublayers()) {
        auto badge = CALayer::create();
        badge->setFrame(CGRect(38, -4, 16, 10));
        badge->setBackgroundColor(CGColor::rgb(1, 0, 0, 1));
        c->addSublayer(badge);
      }
      second(*card.sublayers().front());
    });
  };
  for (const auto& c : cases) expectSharingDrawsTheSame([&] { return badged(c.apply); }, c.shared, c.change);
}

TEST(SharedShadows, DropsTheLeastRecentlyUsedShapeWhileItsHoldersKeepIt) {
  auto square = [](int side) {
    return SurfaceRef(cairo_image_surface_create(CAIRO_FORMAT_A8, side, side));
  };
  SharedShadows cache(2 * 64 * 64);  // two 64x64 shapes
  int made = 0;
  auto shape = [&](CGFloat radius) {
    SharedShadows::Key key;
    key.radius = radius;
    return cache.alpha(key, [&] {
      ++made;
      return square(64);
    });
  };
  SurfaceRef held = shape(1);
  shape(2);
  shape(1);  // now the most recent
  shape(3);  // drops 2
  EXPECT_EQ(made, 3);
  EXPECT_EQ(cache.entries(), 2u);
  shape(1);
  EXPECT_EQ(made, 3);
  shape(2);
  EXPECT_EQ(made, 4);
  cache.clear();
  ASSERT_TRUE(held);
  EXPECT_EQ(cairo_image_surface_get_width(held.get()), 64);  // still alive through its own reference
}

}  // namespace
}  // namespace ios
