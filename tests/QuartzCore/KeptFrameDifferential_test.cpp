#include <CoreGraphics/CGContextCairo.h>
#include <CoreText/TextLayout.h>
#include <CoreText/TextRendering.h>
#include <QuartzCore/CARenderer.h>
#include <QuartzCore/Renderer.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace ios {
namespace {

// A label's layer: its text, drawn as the screens draw theirs.
class TextLayer : public CALayer {
 public:
  std::string text = "Mua thẻ";
  void draw(CGContext& context) const override {
    TextLayout layout(NSMutableAttributedString::create(text, {{NSAttributedStringKey::font, UIFont::systemFont(9)}}),
                      {.width = bounds().width()});
    drawTextLayout(layout, cairoContext(context), CGPoint{1, 1});
  }
};

// Same seed, same scene and changes on every machine: the generator's raw output only.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }
  CGFloat quarterPoints(int upTo) { return below(upTo * 4) / 4.0; }
  CGColor color(CGFloat alpha = 1) { return CGColor::rgb(below(11) / 10.0, below(11) / 10.0, below(11) / 10.0, alpha); }

 private:
  std::mt19937 engine_;
};

std::shared_ptr<const CGImage> picture(Dice& dice) {
  const int w = 8 + dice.below(24), h = 8 + dice.below(24);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h));
  const std::uint32_t a = 0xFF000000u | (dice.below(1 << 24)), b = 0xFF000000u | (dice.below(1 << 24));
  for (int i = 0; i < w * h; ++i) pixels[static_cast<std::size_t>(i)] = (i % w + i / w) % 5 < 2 ? a : b;
  return CGImage::create(w, h, std::move(pixels));
}

// Cards as the screens show them: an opaque rounded card with a shadow, holding a label, a
// picture, a badge and now and then a translucent or masked part.
struct Card {
  std::shared_ptr<CALayer> body = CALayer::create();
  std::shared_ptr<TextLayer> label = std::make_shared<TextLayer>();
  std::shared_ptr<CALayer> image = CALayer::create();
  std::shared_ptr<CALayer> badge = CALayer::create();

  Card(Dice& dice, CALayer& root) {
    body->setFrame(CGRect(dice.quarterPoints(60), dice.quarterPoints(50), 40 + dice.below(30), 26 + dice.below(20)));
    body->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
    body->setCornerRadius(dice.below(3) * 4);
    body->setShadowOpacity(dice.chance(70) ? 0.3f : 0.f);
    body->setShadowRadius(dice.below(4));
    body->setShadowOffset(CGSize{0, static_cast<CGFloat>(dice.below(3))});
    label->setFrame(CGRect(4, 4, 36, 12));
    image->setFrame(CGRect(4, 16, 12, 8));
    image->setContents(picture(dice));
    image->setContentsGravity(dice.chance(50) ? CALayerContentsGravity::resizeAspectFill : CALayerContentsGravity::center);
    badge->setFrame(CGRect(20, 16, 10, 8));
    badge->setBackgroundColor(dice.color());
    badge->setCornerRadius(dice.below(2) * 4);
    for (const auto& part : {std::static_pointer_cast<CALayer>(label), image, badge}) body->addSublayer(part);
    root.addSublayer(body);
  }
};

struct CardScene {
  std::shared_ptr<CALayer> root = CALayer::create();
  std::vector<Card> cards;

  explicit CardScene(Dice& dice) {
    root->setFrame(CGRect(0, 0, 120, 90));
    root->setBackgroundColor(CGColor::rgb(0.94, 0.94, 0.96, 1));
    for (int i = 0, n = 2 + dice.below(3); i < n; ++i) cards.emplace_back(dice, *root);
  }
};

// A change the screens make, described for the failure message.
using Change = std::function<std::string(CardScene&, Dice&)>;

const std::vector<Change>& changes() {
  auto card = [](CardScene& s, Dice& d) -> Card& { return s.cards[static_cast<std::size_t>(d.below(static_cast<int>(s.cards.size())))]; };
  static const std::vector<Change> all = {
      [=](CardScene& s, Dice& d) {
        static const char* texts[] = {"Mua thẻ", "Nạp tiền điện thoại", "Quà", "Ưu đãi 50%", ""};
        Card& c = card(s, d);
        c.label->text = texts[d.below(5)];
        c.label->setNeedsDisplay();
        return std::string("text");
      },
      [=](CardScene& s, Dice& d) {
        card(s, d).image->setContents(picture(d));
        return std::string("picture");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setShadowOpacity(d.chance(30) ? 0.f : 0.2f + d.below(6) / 10.f);
        c.body->setShadowRadius(d.below(5));
        c.body->setShadowOffset(CGSize{d.quarterPoints(3) - 1, d.quarterPoints(4) - 1});
        return std::string("shadow");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setShadowPath(d.chance(50) ? std::optional(CGPath::roundedRect(c.body->bounds(), 6, 6)) : std::nullopt);
        return std::string("shadow path");
      },
      [=](CardScene& s, Dice& d) {
        static const float alphas[] = {1.f, 0.5f, 0.8f, 0.f};
        card(s, d).body->setOpacity(alphas[d.below(4)]);
        return std::string("card alpha");
      },
      [=](CardScene& s, Dice& d) {
        card(s, d).badge->setOpacity(d.chance(50) ? 0.5f : 1.f);
        return std::string("badge alpha");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setPosition({c.body->position().x + d.quarterPoints(16) - 8, c.body->position().y + d.quarterPoints(16) - 8});
        return std::string("card moved");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.badge->setPosition({4 + d.quarterPoints(40), 4 + d.quarterPoints(30)});
        return std::string("badge moved");
      },
      [=](CardScene& s, Dice& d) {
        card(s, d).body->setCornerRadius(d.below(4) * 3);
        return std::string("corners");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setBorderWidth(d.chance(50) ? 1 : 0);
        c.body->setBorderColor(d.color());
        return std::string("border");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setBackgroundColor(d.chance(70) ? std::optional(d.color()) : std::optional(d.color(0.6)));
        return std::string("background");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setMasksToBounds(!c.body->masksToBounds());
        return std::string("clips");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        std::shared_ptr<CALayer> mask;
        if (d.chance(60)) {
          mask = CALayer::create();
          mask->setFrame(CGRect(d.quarterPoints(10), d.quarterPoints(10), 30, 20));
          mask->setBackgroundColor(CGColor::rgb(0, 0, 0, 1));
          mask->setCornerRadius(6);
        }
        c.image->setMask(mask);
        return std::string("mask");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        s.root->insertSublayer(c.body, static_cast<std::size_t>(d.below(static_cast<int>(s.cards.size()))));
        return std::string("reordered");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.label->setHidden(!c.label->isHidden());
        return std::string("label hidden");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setPosition({d.quarterPoints(40) - 20 + c.body->bounds().width() / 2 * d.below(2),
                             d.quarterPoints(40) - 20 + c.body->bounds().height() / 2 * d.below(2)});
        return std::string("card past the top left");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.body->setBounds(CGRect(0, 0, 20 + d.quarterPoints(50), 14 + d.quarterPoints(36)));
        return std::string("card resized");
      },
      [=](CardScene& s, Dice& d) {
        static const CGFloat fractions[] = {0.1, 1.0 / 3, 0.5, 0.7, -0.05, -1.0 / 3};
        Card& c = card(s, d);
        c.body->setPosition({c.body->position().x + fractions[d.below(6)], c.body->position().y + fractions[d.below(6)]});
        return std::string("card nudged");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        const std::shared_ptr<CALayer> parts[] = {c.label, c.image, c.badge};
        c.body->insertSublayer(parts[d.below(3)], static_cast<std::size_t>(d.below(3)));
        return std::string("parts reordered");
      },
      [=](CardScene& s, Dice& d) {
        static const float alphas[] = {1.f, 0.5f, 0.75f, 0.2f};
        Card& c = card(s, d);
        (d.chance(50) ? c.label : c.image)->setOpacity(alphas[d.below(4)]);
        return std::string("label or picture alpha");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        c.badge->setShadowOpacity(d.chance(25) ? 0.f : 0.2f + d.below(8) / 10.f);
        c.badge->setShadowColor(d.color(d.chance(50) ? 1 : 0.5));
        c.badge->setShadowRadius(d.quarterPoints(3));
        c.badge->setShadowOffset(CGSize{d.quarterPoints(4) - 2, d.quarterPoints(4) - 2});
        return std::string("badge shadow");
      },
      [=](CardScene& s, Dice& d) {
        static const CGFloat radii[] = {40, 1e3, 1e7, 1e12, 0.01, 2.5};
        Card& c = card(s, d);
        (d.chance(50) ? c.body : c.badge)->setShadowRadius(radii[d.below(6)]);
        return std::string("absurd shadow radius");
      },
      [=](CardScene& s, Dice& d) {
        Card& c = card(s, d);
        if (const auto& mask = c.image->mask()) {
          mask->setFrame(CGRect(d.quarterPoints(10) - 5, d.quarterPoints(10) - 5, 4 + d.quarterPoints(30), 4 + d.quarterPoints(20)));
          mask->setCornerRadius(d.below(4) * 2);
          mask->setOpacity(d.chance(30) ? 0.5f : 1.f);
          return std::string("mask changed");
        }
        std::shared_ptr<CALayer> mask = CALayer::create();
        mask->setFrame(CGRect(d.quarterPoints(20), d.quarterPoints(20), 30, 20));
        mask->setBackgroundColor(CGColor::rgb(0, 0, 0, d.chance(50) ? 1 : 0.6));
        c.body->setMask(d.chance(30) ? nullptr : mask);
        return std::string("card mask");
      },
  };
  return all;
}

// How far a kept frame is from a fresh one; empty when it is the same.
std::string difference(const CGImage& kept, const CGImage& fresh) {
  if (kept.width() != fresh.width() || kept.height() != fresh.height()) return "sizes differ";
  int count = 0, worst = 0;
  for (int y = 0; y < kept.height(); ++y)
    for (int x = 0; x < kept.width(); ++x) {
      const std::uint32_t a = kept.pixel(x, y), b = fresh.pixel(x, y);
      if (a == b) continue;
      ++count;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
  return count == 0 ? "" : std::to_string(count) + " pixels, by up to " + std::to_string(worst);
}

// A positive whole number from the environment, or `fallback`.
int fromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  const int n = value ? std::atoi(value) : 0;
  return n > 0 ? n : fallback;
}

// Seeded scenes of cards and random changes to them: after each change the kept frame must be,
// pixel for pixel, a fresh picture of the same tree. Sized to take a second or two under the
// sanitizers; the environment sets a longer run. A failure names the seed and the changes that led
// to it.
TEST(KeptFrames, RandomCardScenesKeepWhatAFreshPictureDraws) {
  const int scenes = fromEnvironment("KERBELIN_SCENES", 60);
  const int maxChanges = fromEnvironment("KERBELIN_SCENE_CHANGES", 12);
  const CGFloat scale = fromEnvironment("KERBELIN_SCENE_SCALE", 2);
  for (std::uint32_t seed = 1; seed <= static_cast<std::uint32_t>(scenes); ++seed) {
    Dice dice(seed);
    CardScene scene(dice);
    CARenderer frame(scale);
    frame.render(*scene.root);
    std::string history = "first frame";
    std::string failure = difference(*frame.makeImage(), *Renderer::renderImage(*scene.root, scale));
    for (int step = 0, steps = 1 + dice.below(maxChanges); failure.empty() && step < steps; ++step) {
      history += ", " + changes()[static_cast<std::size_t>(dice.below(static_cast<int>(changes().size())))](scene, dice);
      frame.render(*scene.root);
      failure = difference(*frame.makeImage(), *Renderer::renderImage(*scene.root, scale));
    }
    EXPECT_EQ(failure, "") << "seed " << seed << " after " << history;
  }
}

}  // namespace
}  // namespace ios
