#include <QuartzCore/CARenderer.h>
#include <QuartzCore/Renderer.h>
#include <QuartzCore/ShadowMaskCache.h>
#include <QuartzCore/SharedShadows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// A white rounded card casting a shadow that follows what it draws, placed at `x`.
std::shared_ptr<CALayer> cardCastingItsContent(CGFloat x) {
  auto card = CALayer::create();
  card->setFrame(CGRect(x, 12.5, 50, 40));
  card->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
  card->setCornerRadius(6);
  card->setShadowOpacity(0.6f);
  card->setShadowRadius(3);
  card->setShadowOffset(CGSize{0, 2});
  return card;
}

std::shared_ptr<CALayer> child(const CGRect& frame, const CGColor& color) {
  auto layer = CALayer::create();
  layer->setFrame(frame);
  layer->setBackgroundColor(color);
  return layer;
}

// A scene of two shadowed cards: a twin with a child over its corner, then the card `apply`
// changes. With `lifted`, each card's shadow is cast instead by a clear holder of the same frame
// around it, whose shadow is what the card's own drawing casts, drawn the long way.
std::shared_ptr<CALayer> cardsOverAGround(const std::function<void(CALayer&)>& apply, bool lifted) {
  auto root = CALayer::create();
  root->setFrame(CGRect(0, 0, 150, 70));
  root->setBackgroundColor(CGColor::rgb(0.9, 0.92, 0.95, 1));
  auto twin = cardCastingItsContent(8);
  twin->addSublayer(child(CGRect(0, 0, 9, 7), CGColor::rgb(0.2, 0.5, 0.8, 1)));
  auto card = cardCastingItsContent(80);
  apply(*card);
  for (const auto& layer : {twin, card}) {
    if (!lifted) {
      root->addSublayer(layer);
      continue;
    }
    auto holder = cardCastingItsContent(0);
    holder->setBounds(layer->bounds());
    holder->setPosition(layer->position());
    holder->setAffineTransform(layer->affineTransform());
    holder->setBackgroundColor(std::nullopt);
    holder->setCornerRadius(0);
    layer->setShadowOpacity(0);
    layer->setAffineTransform(CGAffineTransform::identity);
    layer->setPosition({holder->bounds().width() / 2, holder->bounds().height() / 2});
    holder->addSublayer(layer);
    root->addSublayer(holder);
  }
  return root;
}

TEST(SharedShadows, AnOpaqueCardCastsTheShadowOfAllItDrawsAndSharesItOnlyForTheSamePixels) {
  struct Case {
    std::string change;
    std::function<void(CALayer&)> apply;
  };
  auto picture = [](const CGRect& frame, CALayerContentsGravity gravity) {
    auto layer = CALayer::create();
    layer->setFrame(frame);
    layer->setContents(CGImage::create(40, 40, std::vector<std::uint32_t>(40 * 40, 0x80402010u)));
    layer->setContentsGravity(gravity);
    return layer;
  };
  auto pastAnEdge = [](void (*unseen)(CALayer&)) {
    return [unseen](CALayer& c) {
      auto layer = child(CGRect(-5, 10, 20, 10), CGColor::rgb(1, 0, 0, 1));
      unseen(*layer);
      c.addSublayer(layer);
    };
  };
  const Case cases[] = {
      {"a child inside", [](CALayer& c) { c.addSublayer(child(CGRect(10, 10, 20, 10), CGColor::rgb(1, 0, 0, 1))); }},
      {"a rounded child over its corners",
       [](CALayer& c) {
         auto cover = child(CGRect(0, 0, 50, 20), CGColor::rgb(0.3, 0.3, 0.3, 1));
         cover->setCornerRadius(6);
         cover->setMasksToBounds(true);
         c.addSublayer(cover);
       }},
      {"a child along an edge between pixels",
       [](CALayer& c) {
         c.setPosition({c.position().x + 0.3, c.position().y + 0.15});
         c.addSublayer(child(CGRect(0, 15, 50, 10), CGColor::rgb(0, 0.5, 0, 1)));
       }},
      {"a child filling the straight band", [](CALayer& c) { c.addSublayer(child(CGRect(6, 0, 38, 40), CGColor::rgb(0, 0, 0, 0.3))); }},
      {"a child past a corner", [](CALayer& c) { c.addSublayer(child(CGRect(-4, -4, 12, 12), CGColor::rgb(0, 0, 1, 1))); }},
      {"a paler background",
       [](CALayer& c) {
         c.setBackgroundColor(CGColor::rgb(1, 1, 1, 0.5));
         c.addSublayer(child(CGRect(10, 10, 20, 10), CGColor::rgb(1, 0, 0, 1)));
       }},
      {"a child whose shadow reaches out",
       [](CALayer& c) {
         auto inner = child(CGRect(8, 8, 34, 24), CGColor::rgb(1, 1, 0, 1));
         inner->setShadowOpacity(0.8f);
         inner->setShadowRadius(4);
         c.addSublayer(inner);
       }},
      {"a child's border along the edge",
       [](CALayer& c) {
         auto frame = child(CGRect(0, 0, 50, 40), CGColor::rgb(0, 0, 0, 0));
         frame->setBorderWidth(1.5);
         frame->setBorderColor(CGColor::rgb(0, 0, 0, 0.5));
         c.addSublayer(frame);
       }},
      {"a hidden child past an edge", pastAnEdge([](CALayer& l) { l.setHidden(true); })},
      {"a transparent child past an edge", pastAnEdge([](CALayer& l) { l.setOpacity(0); })},
      {"a translucent child along an edge",
       [](CALayer& c) {
         auto faint = child(CGRect(0, 0, 50, 12), CGColor::rgb(0.5, 0, 0.5, 1));
         faint->setOpacity(0.4f);
         c.addSublayer(faint);
       }},
      {"a turned child near an edge",
       [](CALayer& c) {
         auto turned = child(CGRect(28, 4, 24, 10), CGColor::rgb(1, 0.4, 0, 1));
         turned->setAffineTransform(CGAffineTransform::rotation(0.6));
         c.addSublayer(turned);
       }},
      {"a turned card", [](CALayer& c) { c.setAffineTransform(CGAffineTransform::rotation(0.1)); }},
      {"a picture reaching out of a child inside",
       [&](CALayer& c) { c.addSublayer(picture(CGRect(20, 1, 6, 6), CALayerContentsGravity::center)); }},
      {"a picture inside", [&](CALayer& c) { c.addSublayer(picture(CGRect(10, 8, 20, 20), CALayerContentsGravity::resize)); }},
  };
  for (const auto& c : cases) {
    std::shared_ptr<CGImage> pictures[2];
    for (bool lifted : {false, true}) {
      SharedShadows::current().clear();
      ShadowMaskCache::shared().clear();
      auto root = cardsOverAGround(c.apply, lifted);
      CARenderer frame(2);
      frame.render(*root);
      pictures[lifted] = frame.makeImage();
    }
    ASSERT_TRUE(pictures[0] && pictures[1]) << c.change;
    EXPECT_TRUE(samePicture(*pictures[0], *pictures[1])) << c.change;
  }
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
