#pragma once

#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGImage.h>
#include <QuartzCore/CALayer.h>
#include <QuartzCore/LayerPainter.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace ios {

// A frame of a layer tree kept between renders, as a window's screen is: the frame buffer stays
// allocated (a new one only when the root's size changes), and each render redraws only the
// damaged region, the pixels of layers whose drawing or placement changed since the last render
// (in both their old and new places), composited from the layers' backing stores. A layer that
// only scrolled its content by whole pixels has its pixels moved, and only the strip scrolling into
// view drawn. Siblings drawn in a new order are drawn again only where they overlap.
//
// Cost of `render`: a walk over the visible layers (placement and a signature each, drawing the
// stores of layers marked as needing display), then pixel work in proportion to the damage.
class CARenderer {
 public:
  // Renders at `scale` device pixels a point.
  explicit CARenderer(CGFloat scale);
  ~CARenderer();
  CARenderer(const CARenderer&) = delete;
  CARenderer& operator=(const CARenderer&) = delete;

  // Brings the frame up to date with `root` (its bounds, the root's own position and transform not
  // applied) and returns the device rectangles that were redrawn; empty when nothing changed.
  const std::vector<PixelRect>& render(const CALayer& root);

  // The frame: premultiplied ARGB32 rows of `bytesPerRow()` bytes, valid until the next render.
  int width() const;
  int height() const;
  std::size_t bytesPerRow() const;
  const std::uint32_t* pixels() const;
  // What the last render redrew, and how many renders there have been.
  const std::vector<PixelRect>& damage() const { return damage_; }
  std::uint64_t frameCount() const { return frame_; }
  // A copy of the frame; null before the first render.
  std::shared_ptr<CGImage> makeImage() const;

 private:
  struct Record {
    std::uint64_t signature = 0;
    std::uint64_t still = 0;  // the signature apart from the scroll position, for layers that may scroll
    PixelRect own, subtree;
    PixelRect curved;  // where the layer fills or clips to a shape with curved or slanted edges
    PixelRect slantTop, slantBottom;  // the rows of `curved` where its edges leave the vertical
    std::uint64_t frame = 0;
    double x0 = 0, y0 = 0;  // the device translation of the layer's coordinates
    const CALayer* superlayer = nullptr;
    std::size_t rank = 0;  // the place among its siblings in drawing order
  };
  // Where the walk places a layer: what its superlayer passes down.
  struct Place {
    cairo_matrix_t matrix;  // the superlayer's coordinates to device pixels
    PixelRect clip;
    PixelRect open;     // the part of `clip` that the clips above let through whole (no edge or mask cuts it)
    PixelRect keyClip;  // the part of `clip` that keys the signature
    double alpha = 1;
    const CALayer* superlayer = nullptr;
    std::size_t rank = 0;
    bool shapedClip = false;  // a clip above has curved or slanted edges, or edges between pixels
  };
  // A sublayer's place among its siblings last frame, or where one walked this frame draws.
  struct Sibling {
    std::size_t rank = 0;
    PixelRect subtree;
  };
  // A layer whose content scrolled by whole pixels since the last frame: its pixels are moved by
  // (dx, dy) within `inner` instead of being drawn again.
  struct Blit {
    bool active = false;
    int dx = 0, dy = 0;
    PixelRect inner;
    std::size_t exit = 0;  // the first layer visited after the scrolled layer's subtree
    std::size_t damageBefore = 0;  // damage found before the scroll
  };
  // One layer on the way down the walk, for what lies beneath a layer that scrolls.
  struct Level {
    const std::vector<const CALayer*>* ordered;
    std::size_t child;  // the sublayer being walked
    PixelRect boundsBox;
    bool solid;       // an opaque unrounded background and nothing drawn over it of its own
    bool drawsBelow;  // any background or drawing of its own
  };
  // How the layers being walked moved with a scroll.
  struct Shift {
    int dx = 0, dy = 0;
    bool active = false;
    bool borderAbove = false;  // an ancestor strokes a border over its sublayers
  };

  PixelRect walk(const CALayer& layer, const Place& from, bool place, const Shift& shift);
  std::optional<Sibling> lastPlace(const CALayer& layer, const CALayer& superlayer) const;
  void damageReordering(const Sibling& before, const std::vector<Sibling>& walked, const Shift& shift);
  std::uint64_t scrollSignature(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& m,
                                const PixelRect& clip, double alpha, const PixelRect& stored,
                                const PixelRect& boundsBox, const PixelRect& inner) const;
  // Whether one opaque colour is all that the layers drawn before the current one show in `inner`.
  bool solidBeneath(const PixelRect& inner) const;
  bool startsScroll(const Record& record, std::uint64_t still, const cairo_matrix_t& m, const PixelRect& inner,
                    const Shift& shift);
  void moveScrolledPixels();
  void addDamage(const PixelRect& rect);
  void simplifyDamage();
  void widenOverCurves();
  bool widenOnce();
  void ensureBuffer(int width, int height);
  void paint(const CALayer& root);
  void paint(const CALayer& root, const PixelRect& rect);
  bool touches(const CALayer& layer, const PixelRect& rect) const;

  CGFloat scale_;
  std::unique_ptr<CGContext> context_;
  std::vector<std::unique_ptr<CGContext>> groups_;  // kept buffers for translucent layers, by depth
  PixelRect screen_;
  std::uint64_t frame_ = 0;
  std::size_t visits_ = 0;
  Blit blit_;
  std::vector<Level> path_;
  PixelRect cover_;  // the largest area an opaque background paints over this frame
  bool fullDamage_ = true;
  std::vector<PixelRect> damage_;
  std::unordered_map<const CALayer*, Record> records_;
};

}  // namespace ios
