#pragma once

// What the renderer keeps for one layer between frames. Platform code only (it exposes Cairo).

#include <CoreGraphics/CGColor.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGPath.h>

#include <cairo.h>

#include <cstdint>
#include <optional>

namespace ios {

// Owns one reference to a Cairo surface.
class SurfaceRef {
 public:
  SurfaceRef() = default;
  explicit SurfaceRef(cairo_surface_t* surface) : surface_(surface) {}
  SurfaceRef(SurfaceRef&& other) noexcept : surface_(other.surface_) { other.surface_ = nullptr; }
  SurfaceRef& operator=(SurfaceRef&& other) noexcept;
  ~SurfaceRef();
  cairo_surface_t* get() const { return surface_; }
  // Another reference to the same surface.
  SurfaceRef share() const { return SurfaceRef(surface_ ? cairo_surface_reference(surface_) : nullptr); }
  explicit operator bool() const { return surface_ != nullptr; }

 private:
  cairo_surface_t* surface_ = nullptr;
};

// A rectangle of whole device pixels, [x0, x1) x [y0, y1).
struct PixelRect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool isEmpty() const { return x1 <= x0 || y1 <= y0; }
  PixelRect unionWith(const PixelRect& other) const;
  PixelRect intersection(const PixelRect& other) const;
  bool intersects(const PixelRect& other) const { return !intersection(other).isEmpty(); }
  long long area() const { return isEmpty() ? 0 : static_cast<long long>(x1 - x0) * (y1 - y0); }
  bool operator==(const PixelRect&) const = default;
};

// Where a rasterisation sits on the device's pixel grid: the linear part of the layer-to-device
// transform and the fraction of a pixel by which the layer's origin is offset. Pixels drawn for one
// placement are reused for another with the same key, moved by whole pixels, so they land exactly
// where drawing again would put them.
struct PixelPlacement {
  double xx = 0, yx = 0, xy = 0, yy = 0, phaseX = 0, phaseY = 0;
  bool operator==(const PixelPlacement&) const = default;
};

struct LayerBacking {
  // The layer's own content (contents image and drawing) in device pixels, `origin` being the
  // pixel of the store's top-left corner relative to the whole pixel of the layer's origin. A null
  // surface with `drawn` set means the layer draws nothing, unless the content is windowed.
  struct Store {
    SurfaceRef surface;
    int originX = 0, originY = 0;
    // Content too large for one surface is kept as a window of it about what last showed (the
    // surface, null before anything showed); `whole` is then all that the content covers, relative
    // like the origin. Empty for content kept whole.
    PixelRect whole;
    PixelPlacement placement;
    CGSize size;
    bool drawn = false;
  } store;

  // The layer's blurred shadow shape as 8-bit alpha, placed like the store; what it was made from
  // decides whether it is still good.
  struct Shadow {
    SurfaceRef alpha;
    int originX = 0, originY = 0;
    PixelPlacement placement;
    CGFloat radius = 0;
    std::optional<CGPath> path;
    std::uint64_t generation = 0;  // the layer's content generation, for a shadow following its alpha
    CGRect bounds;
    bool background = false;  // made from the opaque background's rounded shape alone
    CGFloat cornerRadius = 0;
    bool made = false;
    // The shape in the shadow's colour and opacity, ready to composite.
    SurfaceRef colored;
    CGColor::RGBA color{};
  } shadow;

  // How many times the store was drawn and the shadow rasterised: what tests and benchmarks count.
  std::uint64_t storeDraws = 0;
  std::uint64_t shadowRasterizations = 0;
};

}  // namespace ios
