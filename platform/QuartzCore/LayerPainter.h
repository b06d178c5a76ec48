#pragma once

// The renderer's drawing of a layer tree with Cairo, shared by one-off pictures (`Renderer`) and
// kept frames (`CARenderer`). Platform code only.

#include <CoreGraphics/CGContext.h>
#include <QuartzCore/CALayer.h>
#include <QuartzCore/LayerBacking.h>

#include <cairo.h>

#include <functional>

namespace ios {

// A device coordinate on the grid of sub-pixel phases stores are kept for (1/256 of a pixel), so that
// the same place computed along two paths (a third of a point scrolled at scale 3, say) is one place.
double onPhaseGrid(double value);

// The device pixels `rect` covers under `matrix`, edges rounded outwards.
PixelRect deviceBox(const cairo_matrix_t& matrix, const CGRect& rect);
// The device pixels wholly inside `rect` under `matrix`; empty unless it keeps edges on the axes.
PixelRect coveredPixels(const cairo_matrix_t& matrix, const CGRect& rect);

// Brings `layer`'s backing store up to date for drawing under `matrix` (layer coordinates to
// device pixels): drawn again when the layer needs display or the store was made for another size,
// scale or sub-pixel phase. Returns the device pixels the layer's content covers (empty when it
// draws nothing). A store too large for one surface keeps a window of it about the device pixels
// `shown` (what can show of the layer), drawn again when they leave it; without `shown` the window
// stays where it is.
PixelRect displayIfNeeded(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& matrix,
                          const PixelRect* shown = nullptr);

// Draws layer trees into one context. Per layer, in order: the shadow (from `shadowPath`, or from
// the alpha of everything the layer draws, which is its opaque background's shape when nothing
// reaches outside it; rasterised once and reused), the background (rounded by
// `cornerRadius`), the backing store, the sublayers by `zPosition` (clipped to the rounded bounds
// when `masksToBounds`), and the border; then the mask applies to all but the shadow, and the
// opacity to the whole. Hidden and fully transparent layers draw nothing.
class LayerPainter {
 public:
  // Answers whether a layer's subtree, placed by the context's current matrix, can touch what is
  // being redrawn; without it everything is drawn.
  using Culling = std::function<bool(const CALayer&)>;
  // Kept offscreen buffers the size of the target, one for each depth of nested translucent
  // layers, so that a fading layer does not allocate a buffer every frame; null for a depth
  // without one (the painter then makes a temporary group).
  using GroupBuffers = std::function<CGContext*(int depth)>;

  explicit LayerPainter(CGContext& context, Culling culling = {}, GroupBuffers groups = {}, int depth = 0);

  // Draws `layer`, placed in its superlayer's coordinates unless it is the root of the drawing.
  void drawLayer(const CALayer& layer, bool place);

 private:
  // The shadow and the content, masked when the layer has a mask.
  void drawOwn(const CALayer& layer, const CALayer::Presentation& p);
  void drawContent(const CALayer& layer, const CALayer::Presentation& p);
  void drawStore(const CALayer& layer, const CALayer::Presentation& p);
  void drawBorder(const CALayer& layer, const CALayer::Presentation& p);
  void drawShadow(const CALayer& layer, const CALayer::Presentation& p);
  void skipCoveredPixels(const CALayer::Presentation& p, const cairo_matrix_t& m);
  cairo_surface_t* coloredShadow(const CALayer& layer, const CALayer::Presentation& p);
  void rasterizeShadow(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& matrix,
                       bool shaped);
  // The shadow's alpha before the blur: `shape` is the area it blurs, `shaped` fills the rounded
  // bounds.
  static SurfaceRef unblurredShape(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& matrix,
                                 const CGRect& shape, bool shaped);
  // Draws the alpha of everything `layer` draws, into a one-channel target.
  void drawAlpha(const CALayer& layer, const CALayer::Presentation& p);
  cairo_pattern_t* applyMask(const CALayer& layer, cairo_pattern_t* content);
  void drawMasked(const CALayer& layer, const CALayer::Presentation& p);
  void drawTranslucent(const CALayer& layer, const CALayer::Presentation& p);
  // What `draw` draws, as a group over `box` (device pixels) to composite.
  cairo_pattern_t* group(const PixelRect& box, const std::function<void()>& draw);
  // Composites `group` at `alpha`, and lets it go.
  void composite(cairo_pattern_t* group, double alpha);
  bool drawInKeptBuffer(const CALayer& layer, const CALayer::Presentation& p);
  // Composites the part of `area` outside `busy`, where the layer's content is one colour, at the
  // layer's opacity.
  void paintFlatPart(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& m,
                     const PixelRect& area, const PixelRect& busy);

  CGContext& context_;
  cairo_t* cr_;
  Culling culling_;
  GroupBuffers groups_;
  int depth_;
};

// Whether `layer` casts a shadow as presented.
bool castsShadow(const CALayer& layer, const CALayer::Presentation& p);
// How far a shadow reaches beyond its shape, in layer coordinates (blur and offset).
CGFloat shadowReach(const CALayer::Presentation& p);

}  // namespace ios
