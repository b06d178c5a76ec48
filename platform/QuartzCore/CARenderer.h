#pragma once

#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGImage.h>
#include <QuartzCore/CALayer.h>
#include <QuartzCore/LayerPainter.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace ios {

// A frame of a layer tree kept between renders, as a window's screen is: the frame buffer stays
// allocated (a new one only when the root's size changes), and each render redraws only the
// damaged region, the pixels of layers whose drawing or placement changed since the last render
// (in both their old and new places), composited from the layers' backing stores.
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
    PixelRect own, subtree;
    std::uint64_t frame = 0;
  };

  PixelRect walk(const CALayer& layer, const cairo_matrix_t& parent, const PixelRect& clip, double alpha,
                 bool place, std::size_t index);
  void addDamage(const PixelRect& rect);
  void simplifyDamage();
  void ensureBuffer(int width, int height);
  void paint(const CALayer& root);
  bool touchesDamage(const CALayer& layer) const;

  CGFloat scale_;
  std::unique_ptr<CGContext> context_;
  std::vector<std::unique_ptr<CGContext>> groups_;  // kept buffers for translucent layers, by depth
  PixelRect screen_;
  std::uint64_t frame_ = 0;
  bool fullDamage_ = true;
  std::vector<PixelRect> damage_;
  std::unordered_map<const CALayer*, Record> records_;
};

}  // namespace ios
