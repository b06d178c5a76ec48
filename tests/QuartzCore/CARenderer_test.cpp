#include <QuartzCore/CARenderer.h>
#include <QuartzCore/Renderer.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ios {
namespace {

// A layer that draws a bar and counts how often it is asked to.
class CountingLayer : public CALayer {
 public:
  mutable int draws = 0;
  void draw(CGContext& context) const override {
    ++draws;
    context.setFillColor(CGColor::rgb(0.1, 0.4, 0.9, 1));
    context.fill(CGRect(2, 2, bounds().width() - 4, 6));
  }
};

struct Scene {
  std::shared_ptr<CALayer> root = CALayer::create();
  std::shared_ptr<CountingLayer> layer = std::make_shared<CountingLayer>();
  CARenderer frame{2};

  Scene() {
    root->setFrame(CGRect(0, 0, 120, 80));
    root->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
    layer->setFrame(CGRect(10, 10, 40, 20));
    layer->setBackgroundColor(CGColor::rgb(0.9, 0.9, 0.2, 1));
    root->addSublayer(layer);
    frame.render(*root);
  }

  // The kept frame must be what drawing everything afresh gives.
  ::testing::AssertionResult matchesAFreshPicture() const {
    auto fresh = Renderer::renderImage(*root, 2);
    auto kept = frame.makeImage();
    if (!fresh || !kept || fresh->width() != kept->width() || fresh->height() != kept->height())
      return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < fresh->height(); ++y)
      for (int x = 0; x < fresh->width(); ++x)
        if (fresh->pixel(x, y) != kept->pixel(x, y))
          return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
    return ::testing::AssertionSuccess();
  }

  PixelRect damageBox() const {
    PixelRect all;
    for (const auto& r : frame.damage()) all = all.unionWith(r);
    return all;
  }
};

TEST(CARenderer, RedrawsAStoreOnlyWhenMarkedAndRedrawsOnlyTheDamage) {
  struct Case {
    std::string change;
    std::function<void(CALayer&)> apply;
    bool redraws;
    PixelRect damageWithin;  // device pixels at scale 2, before the store's margin
  };
  const Case cases[] = {
      {"nothing", [](CALayer&) {}, false, {}},
      {"moved by whole pixels", [](CALayer& l) { l.setPosition({40, 30}); }, false, {20, 20, 120, 80}},
      {"faded", [](CALayer& l) { l.setOpacity(0.5f); }, false, {20, 20, 100, 60}},
      {"new background", [](CALayer& l) { l.setBackgroundColor(CGColor::rgb(0, 1, 0, 1)); }, false, {20, 20, 100, 60}},
      {"bounds origin", [](CALayer& l) { l.setBounds(CGRect(5, 0, 40, 20)); }, false, {10, 20, 100, 60}},
      {"marked", [](CALayer& l) { l.setNeedsDisplay(); }, true, {20, 20, 100, 60}},
      {"resized", [](CALayer& l) { l.setBounds(CGRect(0, 0, 50, 20)); }, true, {10, 20, 110, 60}},
      {"moved a quarter point", [](CALayer& l) { l.setPosition({30.25, 20}); }, true, {20, 20, 102, 60}},
  };
  for (const auto& c : cases) {
    Scene scene;
    const int before = scene.layer->draws;
    c.apply(*scene.layer);
    scene.frame.render(*scene.root);
    EXPECT_EQ(scene.layer->draws - before, c.redraws ? 1 : 0) << c.change;
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.change;
    const PixelRect damage = scene.damageBox();
    const PixelRect within = c.damageWithin.isEmpty() ? c.damageWithin : PixelRect{c.damageWithin.x0 - 12, c.damageWithin.y0 - 12, c.damageWithin.x1 + 12, c.damageWithin.y1 + 12};
    EXPECT_EQ(damage.intersection(within), damage) << c.change;
    EXPECT_EQ(damage.isEmpty(), c.damageWithin.isEmpty()) << c.change;
  }
}

TEST(CARenderer, AScrolledListMovesItsPixelsAndDrawsOnlyWhatScrollsIn) {
  struct Case {
    CGPoint origin;
    long long damageAtMost;  // device pixels: the strip scrolled in plus the layer above, twice
    bool clear;              // the list shows the root's white through
    bool clippedRows;        // each row clips what it holds, as cells do
    bool reused;             // the first row leaves and comes back at the front of the sublayers, last in line
  };
  constexpr long long above = 2 * 80 * 40, firstRow = 240 * 52;
  const Case cases[] = {{{0, 10}, 240 * 20 + above, false, false, false},
                        {{0, -7.5}, 240 * 15 + above, false, false, false},
                        {{6, 0}, 12 * 160 + above, false, false, false},
                        {{0, 500}, 240 * 160, false, false, false},
                        {{0, 10}, 240 * 20 + above, true, false, false},
                        {{0, 10}, 240 * 20 + above, false, true, false},
                        {{0, 10}, 240 * 20 + above + 2 * firstRow, false, true, true}};
  for (const auto& c : cases) {
    Scene scene;
    auto list = CALayer::create();
    list->setFrame(CGRect(0, 0, 120, 80));
    list->setMasksToBounds(true);
    if (!c.clear) list->setBackgroundColor(CGColor::rgb(0.95, 0.95, 0.95, 1));
    std::vector<std::shared_ptr<CountingLayer>> rows;
    std::vector<std::shared_ptr<CALayer>> holders;
    for (int i = 0; i < 20; ++i) {
      rows.push_back(std::make_shared<CountingLayer>());
      holders.push_back(c.clippedRows ? CALayer::create() : rows.back());
      holders.back()->setFrame(CGRect(4, i * 30.0, 112, 26));
      if (c.clippedRows) {
        holders.back()->setMasksToBounds(true);
        rows.back()->setFrame(CGRect(-4, 0, 120, 26));
        holders.back()->addSublayer(rows.back());
      }
      list->addSublayer(holders.back());
    }
    scene.root->insertSublayer(list, 0);  // below the counting layer, which stays on top
    scene.frame.render(*scene.root);
    std::vector<int> drawn;
    for (const auto& row : rows) drawn.push_back(row->draws);
    if (c.reused) {
      holders.front()->removeFromSuperlayer();
      holders.front()->setPosition({60, 613});
      list->insertSublayer(holders.front(), 0);
      drawn.front() = 0;
    }
    list->setBounds(CGRect(c.origin, list->bounds().size));
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.origin.x << ", " << c.origin.y;
    long long damaged = 0;
    for (const auto& r : scene.frame.damage()) damaged += r.area();
    EXPECT_LE(damaged, c.damageAtMost) << c.origin.x << ", " << c.origin.y;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (drawn[i] > 0) {
        EXPECT_EQ(rows[i]->draws, drawn[i]) << i;  // rows on screen are not drawn again
      }
    }
  }
}

TEST(CARenderer, SiblingsComingAndGoingLeaveTheOthersAloneAndARaisedLayerIsRedrawn) {
  struct Case {
    std::string change;
    std::function<void(Scene&, const std::shared_ptr<CALayer>& other)> apply;
    PixelRect damageWithin;  // device pixels at scale 2
  };
  const Case cases[] = {
      {"a layer added beneath, elsewhere",
       [](Scene& s, auto&) {
         auto added = CALayer::create();
         added->setFrame(CGRect(90, 60, 20, 10));
         added->setBackgroundColor(CGColor::rgb(0, 0, 1, 1));
         s.root->insertSublayer(added, 0);
       },
       {180, 120, 220, 140}},
      {"the other removed", [](Scene&, auto& other) { other->removeFromSuperlayer(); }, {60, 40, 140, 100}},
      {"raised over the other", [](Scene& s, auto&) { s.root->addSublayer(s.layer); }, {12, 12, 140, 100}},
  };
  for (const auto& c : cases) {
    Scene scene;
    auto other = CALayer::create();
    other->setFrame(CGRect(30, 20, 40, 30));  // overlapping the counting layer, above it
    other->setBackgroundColor(CGColor::rgb(0.8, 0.1, 0.1, 1));
    scene.root->addSublayer(other);
    scene.frame.render(*scene.root);
    c.apply(scene, other);
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.change;
    EXPECT_FALSE(scene.damageBox().isEmpty()) << c.change;
    EXPECT_EQ(scene.damageBox().intersection(c.damageWithin), scene.damageBox()) << c.change;
  }
}

// Drawing order that changes no pixel costs nothing: only where reordered siblings overlap is drawn.
TEST(CARenderer, ASiblingDrawnInANewOrderRedrawsOnlyWhereItOverlapsTheOthers) {
  struct Case {
    std::string change;
    CGRect other;      // a sibling drawn above the counting layer at first
    bool reuseRow;     // a list row leaves the top and comes back at the bottom, first in line
    PixelRect within;  // device pixels; empty when nothing may be redrawn
  };
  const Case cases[] = {
      {"raised, apart from the other", CGRect(70, 40, 40, 30), false, {}},
      // The overlap, and the counting layer's store margin beside it.
      {"raised over the other", CGRect(30, 20, 40, 30), false, {60, 40, 104, 64}},
      // The strip that scrolls in, nothing of the rows that stay.
      {"a row reused out of order as the list scrolls", CGRect(70, 40, 40, 30), true, {0, 100, 240, 160}},
  };
  for (const auto& c : cases) {
    Scene scene;
    auto other = CALayer::create();
    other->setFrame(c.other);
    other->setBackgroundColor(CGColor::rgb(0.8, 0.1, 0.1, 1));
    scene.root->addSublayer(other);
    // A list built as a table builds it: each row that comes in goes first in drawing order.
    auto list = CALayer::create();
    list->setFrame(CGRect(0, 0, 120, 80));
    list->setMasksToBounds(true);
    list->setBackgroundColor(CGColor::rgb(0.95, 0.95, 0.95, 1));
    std::vector<std::shared_ptr<CountingLayer>> rows;
    for (int i = 0; i < 4; ++i) {
      rows.push_back(std::make_shared<CountingLayer>());
      rows.back()->setFrame(CGRect(4, i * 30.0, 112, 26));
      list->insertSublayer(rows.back(), 0);
    }
    scene.root->insertSublayer(list, 0);
    // Layers above a scrolled list are redrawn with it: out of the way here.
    scene.layer->setHidden(c.reuseRow);
    other->setHidden(c.reuseRow);
    scene.frame.render(*scene.root);
    const int drawsBefore = scene.layer->draws + rows[1]->draws + rows[2]->draws;
    if (c.reuseRow) {
      rows[0]->removeFromSuperlayer();
      rows[0]->setFrame(CGRect(4, 120, 112, 26));
      list->insertSublayer(rows[0], 0);
      list->setBounds(CGRect(0, 30, 120, 80));
    } else {
      scene.root->addSublayer(scene.layer);
    }
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.change;
    const PixelRect damage = scene.damageBox();
    EXPECT_EQ(damage.isEmpty(), c.within.isEmpty()) << c.change;
    EXPECT_EQ(damage.intersection(c.within), damage) << c.change;
    EXPECT_EQ(scene.layer->draws + rows[1]->draws + rows[2]->draws, drawsBefore) << c.change;
  }
}

TEST(CARenderer, AShadowIsRasterisedAgainOnlyWhenItsShapeOrBlurChanges) {
  struct Case {
    std::string change;
    std::function<void(CALayer&)> apply;
    bool rasterises;
  };
  const Case cases[] = {
      {"moved", [](CALayer& l) { l.setPosition({50, 40}); }, false},
      {"new colour", [](CALayer& l) { l.setShadowColor(CGColor::rgb(1, 0, 0, 1)); }, false},
      {"new opacity", [](CALayer& l) { l.setShadowOpacity(0.9f); }, false},
      {"new path", [](CALayer& l) { l.setShadowPath(CGPath::roundedRect(CGRect(0, 0, 40, 20), 4, 4)); }, true},
      {"new radius", [](CALayer& l) { l.setShadowRadius(6); }, true},
  };
  for (const auto& c : cases) {
    Scene scene;
    scene.layer->setShadowPath(CGPath::roundedRect(CGRect(0, 0, 40, 20), 8, 8));
    scene.layer->setShadowOpacity(0.5f);
    scene.frame.render(*scene.root);
    const auto before = scene.layer->backing().shadowRasterizations;
    c.apply(*scene.layer);
    scene.frame.render(*scene.root);
    EXPECT_EQ(scene.layer->backing().shadowRasterizations - before, c.rasterises ? 1u : 0u) << c.change;
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.change;
  }
}

TEST(CARenderer, AShadowFollowingTheAlphaIgnoresWhereItIsClipped) {
  // Half outside its clipping parent, wholly outside, back inside: one shape serves them all.
  Scene scene;
  scene.root->setMasksToBounds(true);
  scene.layer->setShadowOpacity(0.5f);
  scene.frame.render(*scene.root);
  for (CGFloat x : {110.0, 130.0, 30.0}) {
    scene.layer->setPosition({x, 20});
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << x;
  }
  EXPECT_EQ(scene.layer->backing().shadowRasterizations, 1u);
}

TEST(CARenderer, AnOpaqueCardsShadowKeepsWhileItsContentChangesInside) {
  struct Case {
    std::string change;
    std::function<void(CALayer& content)> apply;
    bool rasterises;
  };
  const Case cases[] = {
      {"content redrawn", [](CALayer& l) { l.setNeedsDisplay(); }, false},
      {"content moved inside", [](CALayer& l) { l.setPosition({30, 16}); }, false},
      {"content reaching out", [](CALayer& l) { l.setPosition({30, 26}); }, true},
  };
  for (const auto& c : cases) {
    Scene scene;
    auto card = CALayer::create();
    card->setFrame(CGRect(60, 30, 50, 30));
    card->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
    card->setCornerRadius(5);
    card->setShadowOpacity(0.4f);
    card->setShadowRadius(2);
    auto content = std::make_shared<CountingLayer>();
    content->setFrame(CGRect(8, 6, 30, 12));
    card->addSublayer(content);
    scene.root->addSublayer(card);
    scene.frame.render(*scene.root);
    const auto before = card->backing().shadowRasterizations;
    c.apply(*content);
    scene.frame.render(*scene.root);
    EXPECT_EQ(card->backing().shadowRasterizations - before, c.rasterises ? 1u : 0u) << c.change;
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.change;  // the fresh picture follows the alpha
  }
}

// A fading overlay over the scene: a clear full-size container holding a dimming fill and a drawn
// spinner in its middle, as a loading screen has.
struct Overlay {
  std::shared_ptr<CALayer> container = CALayer::create();
  std::shared_ptr<CALayer> dim = CALayer::create();
  std::shared_ptr<CountingLayer> spinner = std::make_shared<CountingLayer>();

  explicit Overlay(CALayer& root) {
    container->setFrame(root.bounds());
    dim->setFrame(root.bounds());
    dim->setBackgroundColor(CGColor::rgb(0, 0, 0, 1));
    dim->setOpacity(0.2f);
    spinner->setFrame(CGRect(50, 30, 20, 20));
    container->addSublayer(dim);
    container->addSublayer(spinner);
    container->setOpacity(0.7f);
    root.addSublayer(container);
  }
};

TEST(CARenderer, AFadingOverlayDrawsWhatAFreshPictureDraws) {
  struct Case {
    std::string change;
    std::function<void(Overlay&)> apply;
  };
  const Case cases[] = {
      {"as shown", [](Overlay&) {}},
      {"almost opaque", [](Overlay& o) { o.container->setOpacity(0.98f); }},
      {"faint over a tinted dim",
       [](Overlay& o) {
         o.container->setOpacity(0.07f);
         o.dim->setBackgroundColor(CGColor::rgb(0.93, 0.41, 0.17, 0.6));
       }},
      {"coloured dim", [](Overlay& o) { o.dim->setBackgroundColor(CGColor::rgb(0.3, 0.55, 0.8, 0.9)); }},
      {"opaque dim", [](Overlay& o) { o.dim->setOpacity(1); }},
      {"container background", [](Overlay& o) { o.container->setBackgroundColor(CGColor::rgb(0.9, 0.2, 0.1, 0.5)); }},
      {"no spinner", [](Overlay& o) { o.spinner->removeFromSuperlayer(); }},
      {"spinner turned", [](Overlay& o) { o.spinner->setAffineTransform(CGAffineTransform::rotation(0.5)); }},
      {"spinner with a shadow",
       [](Overlay& o) {
         o.spinner->setShadowOpacity(0.8f);
         o.spinner->setShadowRadius(4);
       }},
      {"spinner at an edge", [](Overlay& o) { o.spinner->setPosition({2, 78}); }},
      {"dim over part", [](Overlay& o) { o.dim->setFrame(CGRect(0, 0, 120, 40)); }},
      {"dim a pixel short", [](Overlay& o) { o.dim->setFrame(CGRect(0.5, 0, 120, 80)); }},
      {"rounded container",
       [](Overlay& o) {
         o.container->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
         o.container->setCornerRadius(6);
       }},
      {"container a pixel over", [](Overlay& o) { o.container->setPosition({60.5, 40}); }},
      {"a second fill",
       [](Overlay& o) {
         auto tint = CALayer::create();
         tint->setFrame(CGRect(-10, -10, 200, 200));
         tint->setBackgroundColor(CGColor::rgb(0.2, 0.6, 0.3, 0.35));
         o.container->insertSublayer(tint, 1);
       }},
  };
  for (const auto& c : cases) {
    Scene scene;
    Overlay overlay(*scene.root);
    c.apply(overlay);
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.change;
    // The layer under the overlay changes: only its damage is drawn again, through the overlay.
    scene.layer->setBackgroundColor(CGColor::rgb(0.1, 0.7, 0.9, 1));
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.change << ", under it changed";
  }
}

TEST(CARenderer, ANewFrameShowsNothingOfTheMemoryItIsMadeIn) {
  auto addFading = [](CALayer& root, const CGRect& frame, std::optional<CGColor> background) {
    auto layer = std::make_shared<CountingLayer>();
    layer->setFrame(frame);
    layer->setBackgroundColor(background);
    layer->setOpacity(0.5f);
    root.addSublayer(layer);
  };
  // Frames drawn all over in opaque colours, through the buffer for translucent layers too, and
  // thrown away: the next one is likely made in their memory.
  for (int i = 0; i < 3; ++i) {
    auto used = CALayer::create();
    used->setFrame(CGRect(0, 0, 120, 80));
    used->setBackgroundColor(CGColor::rgb(0.8, 0.1, 0.1, 1));
    addFading(*used, used->bounds(), CGColor::rgb(0.1, 0.8, 0.1, 1));
    CARenderer(2).render(*used);
  }
  auto root = CALayer::create();
  root->setFrame(CGRect(0, 0, 120, 80));
  addFading(*root, CGRect(0, 0, 60, 40), std::nullopt);
  CARenderer frame(2);
  frame.render(*root);
  auto fresh = Renderer::renderImage(*root, 2);
  auto kept = frame.makeImage();
  ASSERT_TRUE(fresh && kept);
  for (int y = 0; y < fresh->height(); ++y)
    for (int x = 0; x < fresh->width(); ++x) ASSERT_EQ(kept->pixel(x, y), fresh->pixel(x, y)) << x << ", " << y;
}

TEST(CARenderer, PixelsAnOpaqueBackgroundOnlyPartlyCoversAreClearedFirst) {
  struct Case {
    std::string name;
    std::function<void(CALayer& holder, CALayer& cover)> apply;
  };
  const auto red = CGColor::rgb(1, 0, 0, 1);
  const Case cases[] = {
      {"whole pixels", [](CALayer&, CALayer&) {}},
      {"edges between pixels", [](CALayer&, CALayer& c) { c.setFrame(CGRect(10.25, 10.25, 60.5, 40.5)); }},
      {"cut by a rounded clip",
       [](CALayer& h, CALayer& c) {
         h.setMasksToBounds(true);
         h.setCornerRadius(12);
         c.setFrame(CGRect(-5, -5, 120, 80));
       }},
      {"cut by a clip between pixels",
       [](CALayer& h, CALayer& c) {
         h.setMasksToBounds(true);
         h.setPosition({55.25, 35.25});
         c.setFrame(CGRect(-5, -5, 120, 80));
       }},
      {"inside a translucent holder", [](CALayer& h, CALayer&) { h.setOpacity(0.5f); }},
      {"inside a masked holder",
       [](CALayer& h, CALayer&) {
         auto mask = CALayer::create();
         mask->setFrame(CGRect(10, 10, 30, 30));
         mask->setBackgroundColor(CGColor::rgb(0, 0, 0, 1));
         mask->setCornerRadius(15);
         h.setMask(mask);
       }},
      {"rounded", [](CALayer&, CALayer& c) { c.setCornerRadius(8); }},
      {"turned", [](CALayer&, CALayer& c) { c.setAffineTransform(CGAffineTransform::rotation(0.3)); }},
      {"translucent colour", [](CALayer&, CALayer& c) { c.setBackgroundColor(CGColor::rgb(0.2, 0.3, 0.9, 0.5)); }},
      {"faded", [](CALayer&, CALayer& c) { c.setOpacity(0.5f); }},
      {"masked", [](CALayer&, CALayer& c) {
         auto mask = CALayer::create();
         mask->setFrame(CGRect(10, 10, 20, 20));
         mask->setBackgroundColor(CGColor::rgb(0, 0, 0, 1));
         c.setMask(mask);
       }},
      {"over a shadow", [](CALayer& h, CALayer&) {
         auto card = CALayer::create();
         card->setFrame(CGRect(40, 30, 40, 40));
         card->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
         card->setShadowOpacity(0.6f);
         card->setShadowRadius(4);
         h.insertSublayer(card, 0);
       }},
  };
  for (const auto& c : cases) {
    // The frame showed red all over; the new picture leaves most of it clear.
    Scene scene;
    scene.root->setBackgroundColor(std::nullopt);
    auto busy = CALayer::create();
    busy->setFrame(scene.root->bounds());
    busy->setBackgroundColor(red);
    scene.root->addSublayer(busy);
    scene.frame.render(*scene.root);
    busy->removeFromSuperlayer();
    scene.layer->removeFromSuperlayer();
    auto holder = CALayer::create();
    holder->setFrame(CGRect(5, 5, 100, 60));
    auto cover = CALayer::create();
    cover->setFrame(CGRect(5, 5, 60, 40));
    cover->setBackgroundColor(CGColor::rgb(0.2, 0.3, 0.9, 1));
    holder->addSublayer(cover);
    scene.root->addSublayer(holder);
    c.apply(*holder, *cover);
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.name;
  }
}

TEST(CARenderer, ImageContentsReachingOutOfTheirBoundsAreDrawnWhole) {
  struct Case {
    CALayerContentsGravity gravity;
    CGRect frame;
    CGRect drawn;  // where the red picture lands, in the root's points
  };
  // A 40 x 30 point picture in a 20 x 10 point layer.
  const Case cases[] = {
      {CALayerContentsGravity::center, CGRect(40, 30, 20, 10), CGRect(30, 20, 40, 30)},
      {CALayerContentsGravity::topLeft, CGRect(10.25, 10, 20, 10), CGRect(10.25, 10, 40, 30)},
      {CALayerContentsGravity::bottomRight, CGRect(60, 45.5, 20, 10), CGRect(40, 25.5, 40, 30)},
      {CALayerContentsGravity::resize, CGRect(5, 5, 20, 10), CGRect(5, 5, 20, 10)},
  };
  for (const auto& c : cases) {
    Scene scene;
    auto picture = CALayer::create();
    picture->setFrame(c.frame);
    picture->setContents(CGImage::create(80, 60, std::vector<std::uint32_t>(80 * 60, 0xFFFF0000u)));
    picture->setContentsScale(2);
    picture->setContentsGravity(c.gravity);
    scene.root->addSublayer(picture);
    scene.frame.render(*scene.root);
    auto kept = scene.frame.makeImage();
    ASSERT_TRUE(kept);
    // Each corner pixel wholly inside the picture is the picture's.
    const int x0 = static_cast<int>(std::ceil(c.drawn.minX() * 2)), y0 = static_cast<int>(std::ceil(c.drawn.minY() * 2));
    const int x1 = static_cast<int>(c.drawn.maxX() * 2) - 1, y1 = static_cast<int>(c.drawn.maxY() * 2) - 1;
    for (auto [x, y] : {std::pair{x0, y0}, std::pair{x1, y0}, std::pair{x0, y1}, std::pair{x1, y1}})
      EXPECT_EQ(kept->pixel(x, y), 0xFFFF0000u) << static_cast<int>(c.gravity) << " at " << x << ", " << y;
  }
}

// Worked by hand with "over" and group opacity, at one pixel a point over grey 51: a white layer
// at opacity 0.5 covering a pixel whole gives 51 + 0.5 * (255 - 51) = 153, covering half of it
// 51 + 0.25 * 204 = 102. The window's frame and a snapshot must both draw that.
TEST(CARenderer, TranslucentLayersCompositeAsOneGroupInTheFrameAndInASnapshot) {
  struct Case {
    std::string name;
    std::function<void(CALayer& root)> build;
    std::vector<std::uint32_t> row;  // the middle row, x = 0 to 7
  };
  const auto white = CGColor::rgb(1, 1, 1, 1);
  auto layer = [](CALayer& into, const CGRect& frame, float opacity) {
    auto added = CALayer::create();
    added->setFrame(frame);
    added->setOpacity(opacity);
    into.addSublayer(added);
    return added;
  };
  constexpr std::uint32_t bg = 0xFF333333u, half = 0xFF666666u, whole = 0xFF999999u;
  const Case cases[] = {
      {"edges between pixels", [&](CALayer& r) { layer(r, CGRect(1.5, 0, 2, 3), 0.5f)->setBackgroundColor(white); },
       {bg, half, whole, half, bg, bg, bg, bg}},
      {"an opaque card in a faded holder",
       [&](CALayer& r) { layer(*layer(r, r.bounds(), 0.5f), CGRect(1.5, 0, 2, 3), 1)->setBackgroundColor(white); },
       {bg, half, whole, half, bg, bg, bg, bg}},
      {"overlapping cards in a faded holder",
       [&](CALayer& r) {
         auto holder = layer(r, r.bounds(), 0.5f);
         layer(*holder, CGRect(1, 0, 3, 3), 1)->setBackgroundColor(white);
         layer(*holder, CGRect(3, 0, 2, 3), 1)->setBackgroundColor(white);
       },
       {bg, whole, whole, whole, whole, bg, bg, bg}},
      {"a picture reaching out of a faded layer",
       [&](CALayer& r) {
         auto picture = layer(r, CGRect(3, 0, 2, 3), 0.5f);
         picture->setContents(CGImage::create(4, 3, std::vector<std::uint32_t>(12, 0xFFFFFFFFu)));
         picture->setContentsGravity(CALayerContentsGravity::center);
       },
       {bg, bg, whole, whole, whole, whole, bg, bg}},
  };
  for (const auto& c : cases) {
    auto root = CALayer::create();
    root->setFrame(CGRect(0, 0, 8, 3));
    root->setBackgroundColor(CGColor::rgb(0.2, 0.2, 0.2, 1));
    c.build(*root);
    CARenderer frame(1);
    frame.render(*root);
    const auto kept = frame.makeImage(), snapshot = Renderer::renderImage(*root, 1);
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(kept->pixel(x, 1), c.row[static_cast<std::size_t>(x)]) << c.name << ", the frame at x " << x;
      EXPECT_EQ(snapshot->pixel(x, 1), c.row[static_cast<std::size_t>(x)]) << c.name << ", the snapshot at x " << x;
    }
  }
}

// A translucent card's shadow fades with it, and does not show through it: the card and its shadow
// are composited together, then at the card's opacity. Over a fresh frame and after a fade.
TEST(CARenderer, ATranslucentLayersShadowFadesWithItAndStaysBehindIt) {
  struct Case {
    std::string name;
    float shadowOpacity;
    CGFloat offset;
    std::vector<std::uint32_t> row;  // the middle row, x = 0 to 7
  };
  // The background is 100 grey, the card 200, the shadow black: at half opacity the card shows
  // 150; the shadow at strength s, 100 * (1 - s / 2).
  constexpr std::uint32_t bg = 0xFF646464u, card = 0xFF969696u, full = 0xFF323232u, half = 0xFF4B4B4Bu;
  const Case cases[] = {
      {"a hard shadow beside the card", 1, 2, {bg, bg, card, card, full, full, bg, bg}},
      {"a half-strength shadow partly under the card", 0.5f, 1, {bg, bg, card, card, half, bg, bg, bg}},
      {"a shadow wholly under the card", 1, 0, {bg, bg, card, card, bg, bg, bg, bg}},
  };
  for (const auto& c : cases) {
    auto root = CALayer::create();
    root->setFrame(CGRect(0, 0, 8, 3));
    root->setBackgroundColor(CGColor::rgb(100 / 255.0, 100 / 255.0, 100 / 255.0, 1));
    auto layer = CALayer::create();
    layer->setFrame(CGRect(2, 0, 2, 3));
    layer->setBackgroundColor(CGColor::rgb(200 / 255.0, 200 / 255.0, 200 / 255.0, 1));
    layer->setShadowOpacity(c.shadowOpacity);
    layer->setShadowRadius(0);
    layer->setShadowOffset(CGSize{c.offset, 0});
    root->addSublayer(layer);
    CARenderer faded(1), fresh(1);
    faded.render(*root);
    layer->setOpacity(0.5f);
    faded.render(*root);
    fresh.render(*root);
    const auto pictures = {std::pair{"the faded frame", faded.makeImage()}, std::pair{"a fresh frame", fresh.makeImage()},
                           std::pair{"the snapshot", Renderer::renderImage(*root, 1)}};
    for (const auto& [path, picture] : pictures)
      for (int x = 0; x < 8; ++x)
        EXPECT_EQ(picture->pixel(x, 1), c.row[static_cast<std::size_t>(x)]) << c.name << ", " << path << " at x " << x;
  }
}

// Shadow values far beyond any screen (a bad animation, a parsed style) draw nothing on it, and the
// layer casting them is drawn as usual.
TEST(CARenderer, AShadowBeyondAnyScreenLeavesTheCardDrawn) {
  struct Case {
    std::string name;
    CGSize offset;
    CGFloat radius;
  };
  const Case cases[] = {
      {"offset beyond the int range", CGSize{3e9, 0}, 3},
      {"offset far up", CGSize{0, -1e15}, 3},
      {"radius beyond the int range", CGSize{0, 2}, 1e12},
      {"both", CGSize{-1e300, 1e300}, 1e300},
  };
  auto everyPixel = [](const CGImage& image) {
    return std::vector<std::uint32_t>(image.pixels(), image.pixels() + image.width() * image.height());
  };
  for (const auto& c : cases) {
    Scene scene;
    scene.layer->setShadowOpacity(0.5f);
    scene.layer->setShadowOffset(c.offset);
    scene.layer->setShadowRadius(c.radius);
    scene.frame.render(*scene.root);
    const auto withShadow = scene.frame.makeImage();
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.name;
    scene.layer->setShadowOpacity(0);
    scene.frame.render(*scene.root);  // the frame without the shadow: what the one with it must be
    EXPECT_EQ(everyPixel(*scene.frame.makeImage()), everyPixel(*withShadow)) << c.name;
  }
}

// Cairo's coverage of a pixel an edge cuts depends on how the shape is clipped: a frame that redraws
// part of a shape must come out as a picture that draws it whole.
TEST(CARenderer, AnEdgeBetweenPixelsRedrawnInPartIsWhatDrawingItWholeGives) {
  struct Case {
    std::string name;
    std::function<void(CALayer& root)> build;
    std::vector<CGRect> damaged;  // layers added after the first frame, each damaging its place
  };
  auto card = [](CALayer& into, const CGRect& frame) {
    auto added = CALayer::create();
    added->setFrame(frame);
    added->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
    into.addSublayer(added);
    return added;
  };
  const Case cases[] = {
      {"rounded corners cut sideways", [&](CALayer& r) { card(r, CGRect(4.5, 2.5, 60, 29))->setCornerRadius(8); },
       {CGRect(45.5, 2, 73.5, 60.5)}},
      {"an edge crossing two damaged places", [&](CALayer& r) { card(r, CGRect(17.5, 33.25, 47, 32)); },
       {CGRect(15.5, 47.5, 49, 8.5), CGRect(15.5, 58, 49, 8.5)}},
      {"a faded badge in a card clipping to its corners",
       [&](CALayer& r) {
         auto holder = card(r, CGRect(0.5, 3.5, 68, 45));
         holder->setCornerRadius(8);
         holder->setMasksToBounds(true);
         auto badge = card(*holder, CGRect(20.25, 16.25, 10, 8));
         badge->setBackgroundColor(CGColor::rgb(0.6, 0.1, 0.5, 1));
         badge->setOpacity(0.5f);
       },
       {CGRect(0, 30, 10, 10)}},
      {"a rounded badge in a rounded clip, cut across its corners' rows",
       [&](CALayer& r) {
         auto holder = card(r, CGRect(49.9167, 13.6333, 64, 37));
         holder->setCornerRadius(6);
         holder->setMasksToBounds(true);
         auto badge = card(*holder, CGRect(32.25, 23.5, 10, 8));
         badge->setBackgroundColor(CGColor::rgb(0.6, 0.1, 0.5, 1));
         badge->setCornerRadius(4);
       },
       {CGRect(35, 6, 79, 35)}},
      {"a translucent card of a translucent colour clipping to its corners",
       [&](CALayer& r) {
         auto faded = card(r, CGRect(10.5, 5.25, 60, 40));
         faded->setBackgroundColor(CGColor::rgb(0.2, 0.5, 0.9, 0.4));
         faded->setCornerRadius(9);
         faded->setMasksToBounds(true);
         faded->setOpacity(0.5f);
       },
       {}},
  };
  for (const auto& c : cases) {
    Scene scene;
    scene.root->setBackgroundColor(CGColor::rgb(0.3, 0.6, 0.2, 1));
    scene.layer->removeFromSuperlayer();
    c.build(*scene.root);
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.name << ", the first frame";
    for (const auto& place : c.damaged) {
      auto added = CALayer::create();
      added->setFrame(place);
      scene.root->addSublayer(added);
    }
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.name;
  }
}

// A layer whose drawing hangs below and to the right of its bounds, as a line of text's descenders
// and a wide word do.
class OverhangingLayer : public CALayer {
 public:
  void draw(CGContext& context) const override {
    context.setFillColor(CGColor::rgb(0.8, 0.1, 0.1, 1));
    context.fill(CGRect(2, bounds().height() - 2, bounds().width() + 6, 7));
  }
};

// What a layer draws and its shadow casts past its bounds shows in the frame as in a fresh picture,
// wherever the bounds lie.
TEST(CARenderer, WhatALayerDrawsOrCastsPastItsBoundsIsKept) {
  struct Case {
    std::string name;
    std::function<void(Scene&, const std::shared_ptr<CALayer>& overhanging)> change;
  };
  const Case cases[] = {
      {"bounds moved past the top edge", [](Scene&, const auto& l) { l->setPosition({30, -6}); }},
      {"bounds moved past the left edge", [](Scene&, const auto& l) { l->setPosition({-16.5, 40}); }},
      {"bounds moved above a clipping layer",
       [](Scene& s, const auto& l) {
         auto clip = CALayer::create();
         clip->setFrame(CGRect(60, 30, 50, 40));
         clip->setMasksToBounds(true);
         s.root->addSublayer(clip);
         clip->addSublayer(l);
         l->setPosition({20, -6});
       }},
      {"a shadow path beside the bounds",
       [](Scene& s, const auto&) {
         s.layer->setShadowOpacity(1);
         s.layer->setShadowPath(CGPath::rect(CGRect(45, 0, 20, 20)));
       }},
      {"a card shrunk and moved inside its shadow path",
       [](Scene& s, const auto&) {
         s.layer->setShadowOpacity(0.5f);
         s.layer->setShadowRadius(1);
         s.layer->setShadowPath(CGPath::roundedRect(s.layer->bounds().insetBy(-20, -4), 4, 4));
         s.frame.render(*s.root);
         s.layer->setFrame(CGRect(60, 50, 12, 8));
       }},
  };
  for (const auto& c : cases) {
    Scene scene;
    auto overhanging = std::make_shared<OverhangingLayer>();
    overhanging->setFrame(CGRect(20, 40, 30, 6));
    scene.root->addSublayer(overhanging);
    scene.frame.render(*scene.root);
    c.change(scene, overhanging);
    scene.frame.render(*scene.root);
    EXPECT_TRUE(scene.matchesAFreshPicture()) << c.name;
  }
}

}  // namespace
}  // namespace ios
