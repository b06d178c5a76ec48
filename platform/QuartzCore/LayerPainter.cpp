#include <QuartzCore/LayerPainter.h>

#include <CoreGraphics/CGContextCairo.h>
#include <QuartzCore/Renderer.h>
#include <QuartzCore/ScaledPictures.h>
#include <QuartzCore/ShadowMaskCache.h>
#include <QuartzCore/SharedShadows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace ios {

namespace {

using Presentation = CALayer::Presentation;

// Stores and shadows larger than this many pixels are not kept (a runaway shadow draws nothing; a
// store keeps a window of its content).
constexpr double kMaxStorePixels = 1 << 26;
// The longest side of a Cairo image surface.
constexpr int kMaxSurfaceSide = 32767;
// Content larger than this many pixels (three screens at scale 3) keeps a window of it about what
// shows rather than all of it: its memory does not grow with its size.
constexpr double kMaxWholeStorePixels = 1 << 23;

bool fitsOneSurface(const PixelRect& area) {
  return area.x1 - area.x0 <= kMaxSurfaceSide && area.y1 - area.y0 <= kMaxSurfaceSide &&
         static_cast<double>(area.area()) <= kMaxStorePixels;
}

bool keptWhole(const PixelRect& area) {
  return fitsOneSurface(area) && static_cast<double>(area.area()) <= kMaxWholeStorePixels;
}

CGPath roundedBounds(const Presentation& p) { return CGPath::roundedRect(p.bounds, p.cornerRadius, p.cornerRadius); }

// The area a layer and its unclipped sublayers may draw in, in the layer's coordinates.
CGRect drawingExtent(const CALayer& layer, const Presentation& p) {
  CGRect extent = p.bounds;
  if (layer.masksToBounds()) return extent;
  for (const auto& sublayer : layer.sublayers()) {
    if (sublayer->isHidden()) continue;
    const Presentation sp = sublayer->presentation();
    CGRect sub = drawingExtent(*sublayer, sp);
    if (castsShadow(*sublayer, sp)) sub = sub.insetBy(-shadowReach(sp), -shadowReach(sp));
    extent = extent.unionWith(sublayer->presentedTransformToSuperlayer().apply(sub));
  }
  return extent;
}

bool subtreeAnimates(const CALayer& layer) {
  if (layer.hasAnimations()) return true;
  return std::any_of(layer.sublayers().begin(), layer.sublayers().end(),
                     [](const auto& sublayer) { return subtreeAnimates(*sublayer); });
}

void appendRect(cairo_t* cr, const CGRect& r) {
  const CGRect s = r.standardized();
  if (!s.isNull()) cairo_rectangle(cr, s.minX(), s.minY(), s.width(), s.height());
}

void setSourceColor(cairo_t* cr, const CGColor& color, double alpha = 1) {
  const auto c = color.rgba();
  cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * alpha);
}

// Where `contents` lands in the bounds for each gravity; y-down, so `top` is the top edge.
CGRect contentsRect(const CALayer& layer, const CGRect& b, const CGImage& image) {
  const CGFloat scale = layer.contentsScale();
  const CGSize natural{image.width() / scale, image.height() / scale};
  auto placed = [&](CGFloat fx, CGFloat fy) {
    return CGRect(b.minX() + (b.width() - natural.width) * fx, b.minY() + (b.height() - natural.height) * fy,
                  natural.width, natural.height);
  };
  switch (layer.contentsGravity()) {
    case CALayerContentsGravity::resize: return b;
    case CALayerContentsGravity::resizeAspect:
    case CALayerContentsGravity::resizeAspectFill: {
      const CGFloat sx = b.width() / natural.width, sy = b.height() / natural.height;
      const CGFloat s = layer.contentsGravity() == CALayerContentsGravity::resizeAspect ? std::min(sx, sy) : std::max(sx, sy);
      const CGSize size{natural.width * s, natural.height * s};
      return CGRect(b.midX() - size.width / 2, b.midY() - size.height / 2, size.width, size.height);
    }
    case CALayerContentsGravity::center: return placed(0.5, 0.5);
    case CALayerContentsGravity::top: return placed(0.5, 0);
    case CALayerContentsGravity::bottom: return placed(0.5, 1);
    case CALayerContentsGravity::left: return placed(0, 0.5);
    case CALayerContentsGravity::right: return placed(1, 0.5);
    case CALayerContentsGravity::topLeft: return placed(0, 0);
    case CALayerContentsGravity::topRight: return placed(1, 0);
    case CALayerContentsGravity::bottomLeft: return placed(0, 1);
    case CALayerContentsGravity::bottomRight: return placed(1, 1);
  }
  return b;
}

// Splits a device coordinate into its whole pixel and its (quantised) fraction.
int wholePixel(double value, double& fraction) {
  const double q = onPhaseGrid(value);
  const double whole = std::floor(q);
  fraction = q - whole;
  return static_cast<int>(whole);
}

// The placement of `matrix` and its whole-pixel translation.
PixelPlacement placementOf(const cairo_matrix_t& matrix, int& x, int& y) {
  PixelPlacement placement;
  placement.xx = matrix.xx, placement.yx = matrix.yx, placement.xy = matrix.xy, placement.yy = matrix.yy;
  x = wholePixel(matrix.x0, placement.phaseX);
  y = wholePixel(matrix.y0, placement.phaseY);
  return placement;
}

cairo_matrix_t matrixOf(const PixelPlacement& p) {
  cairo_matrix_t m;
  cairo_matrix_init(&m, p.xx, p.yx, p.xy, p.yy, p.phaseX, p.phaseY);
  return m;
}

double deviceScale(const cairo_matrix_t& m) { return std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx)); }

PixelRect roundedOut(double x0, double y0, double x1, double y1) {
  const auto clampInt = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
  return {clampInt(std::floor(x0)), clampInt(std::floor(y0)), clampInt(std::ceil(x1)), clampInt(std::ceil(y1))};
}

// A transparent surface of `rect`'s size whose user space is `rect`'s device pixels.
SurfaceRef makeSurface(cairo_format_t format, const PixelRect& rect) {
  if (rect.isEmpty() || static_cast<double>(rect.area()) > kMaxStorePixels) return {};
  cairo_surface_t* surface = cairo_image_surface_create(format, rect.x1 - rect.x0, rect.y1 - rect.y0);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return {};
  }
  cairo_surface_set_device_offset(surface, -rect.x0, -rect.y0);
  return SurfaceRef(surface);
}

// The shadow shape `alpha` in `color`, ready to composite.
SurfaceRef tinted(cairo_surface_t* alpha, const CGColor::RGBA& color) {
  double x0 = 0, y0 = 0;
  cairo_surface_get_device_offset(alpha, &x0, &y0);
  SurfaceRef colored = makeSurface(CAIRO_FORMAT_ARGB32, {static_cast<int>(-x0), static_cast<int>(-y0),
                                                         static_cast<int>(-x0) + cairo_image_surface_get_width(alpha),
                                                         static_cast<int>(-y0) + cairo_image_surface_get_height(alpha)});
  if (!colored) return colored;
  cairo_t* cr = cairo_create(colored.get());
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
  cairo_mask_surface(cr, alpha, 0, 0);
  cairo_destroy(cr);
  return colored;
}

// What drawing `image` in `rect` inks, painted in one colour: the same placement and clip as
// `CGContext::draw`, without a source the recording would have to copy.
void coverImageArea(cairo_t* cr, const CGRect& rect, const CGImage& image) {
  const CGRect r = rect.standardized();
  if (r.isEmpty()) return;
  cairo_save(cr);
  cairo_translate(cr, r.minX(), r.minY());
  cairo_scale(cr, r.width() / image.width(), r.height() / image.height());
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, 0, image.width(), image.height());
  cairo_clip(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  cairo_paint(cr);
  cairo_restore(cr);
}

// How a store's drawing treats the layer's contents: drawn, painted as the area they cover (to
// measure), or left out.
enum class Contents { drawn, covered, left };

// The device pixels `surface` holds, as `makeSurface` made it.
PixelRect areaOf(cairo_surface_t* surface) {
  double x = 0, y = 0;
  cairo_surface_get_device_offset(surface, &x, &y);
  const int x0 = static_cast<int>(-x), y0 = static_cast<int>(-y);
  return {x0, y0, x0 + cairo_image_surface_get_width(surface), y0 + cairo_image_surface_get_height(surface)};
}

// Draws the layer's contents and, with `drawing`, its own drawing into `surface` at `placement`,
// leaving the device pixels `held` as they are.
void drawContentInto(cairo_surface_t* surface, const CALayer& layer, const Presentation& p,
                     const PixelPlacement& placement, Contents contents = Contents::drawn, bool drawing = true,
                     const PixelRect& held = {}) {
  auto context = makeContextForSurface(surface, p.bounds.size, 1);
  if (!held.isEmpty()) {
    cairo_t* cr = cairoContext(*context);
    const PixelRect all = areaOf(surface);
    cairo_rectangle(cr, all.x0, all.y0, all.x1 - all.x0, all.y1 - all.y0);
    cairo_rectangle(cr, held.x0, held.y0, held.x1 - held.x0, held.y1 - held.y0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  }
  const cairo_matrix_t m = matrixOf(placement);
  cairo_set_matrix(cairoContext(*context), &m);
  if (const auto& image = layer.contents(); image && contents != Contents::left) {
    const CGRect rect = contentsRect(layer, p.bounds, *image);
    if (contents == Contents::covered) {
      coverImageArea(cairoContext(*context), rect, *image);
    } else {
      context->draw(*image, rect);
    }
  }
  if (drawing) layer.draw(*context);
}

// Cairo measures glyphs from the font's typical extents; stacked Vietnamese marks and descenders
// reach beyond them, so a store keeps a margin around what was measured.
PixelRect withInkMargin(double x, double y, double width, double height) {
  const double margin = 4 + std::min(height / 3, 48.0);
  return roundedOut(x - margin, y - margin, x + width + margin, y + height + margin);
}

// `sublayer` placed by its superlayer's `m`.
cairo_matrix_t placedSublayer(const CALayer& sublayer, const cairo_matrix_t& m) {
  const CGAffineTransform t = sublayer.presentedTransformToSuperlayer();
  const cairo_matrix_t local{t.a, t.b, t.c, t.d, t.tx, t.ty};
  cairo_matrix_t placed;
  cairo_matrix_multiply(&placed, &local, &m);
  return placed;
}

bool contains(const PixelRect& outer, const PixelRect& inner) { return outer.intersection(inner) == inner; }

PixelRect shifted(const PixelRect& r, int dx, int dy) {
  return r.isEmpty() ? r : PixelRect{r.x0 + dx, r.y0 + dy, r.x1 + dx, r.y1 + dy};
}

// Whether the layer's store holds any content of its own, a window of it or all of it.
bool drawsOwn(const LayerBacking::Store& store) { return store.surface || !store.whole.isEmpty(); }

// The pixels a store's surface holds, relative to the layer's whole-pixel origin.
PixelRect surfaceArea(const LayerBacking::Store& store) { return store.surface ? areaOf(store.surface.get()) : PixelRect{}; }

// The device pixels the clip of `cr` lets through.
PixelRect clipPixels(cairo_t* cr) {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
  cairo_restore(cr);
  return roundedOut(x0, y0, x1, y1);
}

// A layer that fills its bounds with its background colour and draws nothing else.
bool isPlainFill(const CALayer& layer, const Presentation& p) {
  const auto& store = layer.backing().store;
  return layer.sublayers().empty() && !layer.contents() && !layer.needsDisplay() && store.drawn && !drawsOwn(store) &&
         layer.borderWidth() <= 0 && p.cornerRadius <= 0 && !layer.mask() && !castsShadow(layer, p);
}

PixelRect drawnPixels(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m);
PixelRect drawnPixelsWithShadow(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m);

// Where a translucent layer placed by `m` may draw anything but one colour throughout `area`: the
// box of its sublayers other than plain fills covering all of `area`. Null when its own drawing
// (content, border, rounded or partial background or clip) does not leave one colour.
std::optional<PixelRect> busyPart(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m,
                                  const PixelRect& area) {
  const auto& store = layer.backing().store;
  if (layer.contents() || layer.needsDisplay() || !store.drawn || drawsOwn(store) || layer.borderWidth() > 0 ||
      castsShadow(layer, p))
    return std::nullopt;
  const bool fills = p.backgroundColor && p.backgroundColor->alpha() > 0;
  if ((fills || layer.masksToBounds()) && (p.cornerRadius > 0 || !contains(coveredPixels(m, p.bounds), area)))
    return std::nullopt;
  PixelRect busy;
  for (const auto& sublayer : layer.sublayers()) {
    const Presentation sp = sublayer->presentation();
    if (sublayer->isHidden() || sp.opacity <= 0) continue;
    const cairo_matrix_t placed = placedSublayer(*sublayer, m);
    if (isPlainFill(*sublayer, sp) && contains(coveredPixels(placed, sp.bounds), area)) continue;
    busy = busy.unionWith(drawnPixelsWithShadow(*sublayer, sp, placed));
  }
  return busy.intersection(area);
}

void appendPixelRect(cairo_t* cr, const PixelRect& r) { cairo_rectangle(cr, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0); }

void clipToPixels(cairo_t* cr, const PixelRect& r) {
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_new_path(cr);
  appendPixelRect(cr, r);
  cairo_restore(cr);
  cairo_clip(cr);
}

// Disjoint device pixels that `p`'s opaque background alone, placed by `m`, makes fully opaque:
// those wholly inside its straight bands (the corners' arcs are flattened inside the true curve, the
// bands' edges are straight or lie between the flattened arcs' end points). Whatever is drawn over
// them leaves them so. Empty unless the placement keeps edges on the axes.
std::vector<PixelRect> opaqueBands(const Presentation& p, const cairo_matrix_t& m) {
  const CGRect b = p.bounds.standardized();
  if (!p.backgroundColor || p.backgroundColor->alpha() < 1 || m.xy != 0 || m.yx != 0 || b.isEmpty()) return {};
  const CGFloat rx = std::clamp<CGFloat>(p.cornerRadius, 0, b.width() / 2);
  const CGFloat ry = std::clamp<CGFloat>(p.cornerRadius, 0, b.height() / 2);
  const PixelRect wide = coveredPixels(m, b.insetBy(rx, 0)), tall = coveredPixels(m, b.insetBy(0, ry));
  std::vector<PixelRect> bands;
  for (const PixelRect& r : {wide, PixelRect{tall.x0, tall.y0, wide.x0, tall.y1}, PixelRect{wide.x1, tall.y0, tall.x1, tall.y1}})
    if (!r.isEmpty()) bands.push_back(r);
  return bands;
}

bool withinAny(const std::vector<PixelRect>& rects, const PixelRect& box) {
  return std::any_of(rects.begin(), rects.end(), [&](const PixelRect& r) { return contains(r, box); });
}

const cairo_user_data_key_t kInkKey{};

// The pixels of the colour `surface` that are not transparent (relative to its first pixel),
// found once and kept with it: a store reserves a margin around what it was measured to draw.
PixelRect inkOf(cairo_surface_t* surface) {
  if (const auto* kept = static_cast<const PixelRect*>(cairo_surface_get_user_data(surface, &kInkKey))) return *kept;
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  PixelRect ink;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    int x0 = 0, x1 = w;
    while (x0 < w && (row[x0] >> 24) == 0) ++x0;
    if (x0 == w) continue;
    while ((row[x1 - 1] >> 24) == 0) --x1;
    ink = ink.unionWith({x0, y, x1, y + 1});
  }
  auto* kept = new PixelRect(ink);
  if (cairo_surface_set_user_data(surface, &kInkKey, kept, [](void* p) { delete static_cast<PixelRect*>(p); }) !=
      CAIRO_STATUS_SUCCESS)
    delete kept;
  return ink;
}

// The device pixels `layer`'s subtree may draw in under `m`: its bounds, its shadow and what its
// kept store inks.
// Null while a store is not drawn for that placement, so what it holds is not known.
std::optional<PixelRect> subtreePixels(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m) {
  const CGFloat reach = castsShadow(layer, p) ? shadowReach(p) : 0;
  PixelRect box = deviceBox(m, p.bounds.insetBy(-reach, -reach));
  if (layer.masksToBounds()) return box;
  const auto& store = layer.backing().store;
  int x = 0, y = 0;
  const PixelPlacement placement = placementOf(m, x, y);
  if (layer.needsDisplay() || !store.drawn || store.placement != placement || store.size != p.bounds.size)
    return std::nullopt;
  if (!store.whole.isEmpty()) {
    box = box.unionWith(shifted(store.whole, x, y));
  } else if (store.surface) {
    const PixelRect ink = inkOf(store.surface.get());
    box = box.unionWith({x + store.originX + ink.x0, y + store.originY + ink.y0, x + store.originX + ink.x1,
                         y + store.originY + ink.y1});
  }
  for (const auto& sublayer : layer.sublayers()) {
    const Presentation sp = sublayer->presentation();
    if (sublayer->isHidden() || sp.opacity <= 0) continue;
    const auto sub = subtreePixels(*sublayer, sp, placedSublayer(*sublayer, m));
    if (!sub) return std::nullopt;
    box = box.unionWith(*sub);
  }
  return box;
}

// `box` grown by `by` device pixels on every side.
PixelRect grownBy(const PixelRect& box, double by) {
  return box.isEmpty() ? box : roundedOut(box.x0 - by, box.y0 - by, box.x1 + by, box.y1 + by);
}

// The device pixels `layer` and its unclipped sublayers may draw in under `m`, their shadows and
// contents or drawing reaching out of their bounds included: stores are brought up to date to know.
PixelRect drawnPixels(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m) {
  PixelRect box = deviceBox(m, p.bounds);
  if (layer.masksToBounds()) return box;
  box = box.unionWith(displayIfNeeded(layer, p, m));
  for (const auto& sublayer : layer.sublayers()) {
    const Presentation sp = sublayer->presentation();
    if (sublayer->isHidden() || sp.opacity <= 0) continue;
    box = box.unionWith(drawnPixelsWithShadow(*sublayer, sp, placedSublayer(*sublayer, m)));
  }
  return box;
}

PixelRect drawnPixelsWithShadow(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m) {
  const PixelRect drawn = drawnPixels(layer, p, m);
  return castsShadow(layer, p) ? grownBy(drawn, shadowReach(p) * deviceScale(m)) : drawn;
}

// The device pixels a translucent layer's group takes in: what it draws and its own shadow, whose
// path may lie beyond its bounds.
PixelRect groupPixels(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m) {
  if (!castsShadow(layer, p) || !layer.shadowPath()) return drawnPixelsWithShadow(layer, p, m);
  const PixelRect shape = drawnPixels(layer, p, m).unionWith(deviceBox(m, layer.shadowPath()->boundingBox()));
  return grownBy(shape, shadowReach(p) * deviceScale(m));
}

// Blurs the one-channel `surface` in place by `sigma` device pixels, reusing an earlier blur of the
// same alpha: matched by `source` when given (the bytes that decide the alpha), else by its bytes.
void blurInPlace(cairo_surface_t* surface, double sigma, const std::vector<unsigned char>* source = nullptr) {
  if (!surface) return;
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  auto blur = [&](unsigned char* pixels) { Renderer::blurAlpha(pixels, w, h, stride, sigma); };
  if (source) {
    ShadowMaskCache::shared().blur(data, w, h, stride, sigma, *source, blur);
  } else {
    ShadowMaskCache::shared().blur(data, w, h, stride, sigma, blur);
  }
  cairo_surface_mark_dirty(surface);
}

// What decides the one-channel `surface` when `bands` (disjoint device pixels) are known to be
// opaque: where they lie, and the bytes outside them, row by row.
std::vector<unsigned char> bytesOutside(cairo_surface_t* surface, const std::vector<PixelRect>& bands) {
  double ox = 0, oy = 0;
  cairo_surface_get_device_offset(surface, &ox, &oy);
  const int x0 = static_cast<int>(-ox), y0 = static_cast<int>(-oy);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  // Where the bands lie is part of what decides the alpha.
  std::vector<unsigned char> bytes(sizeof(PixelRect) * bands.size());
  std::memcpy(bytes.data(), bands.data(), bytes.size());
  std::vector<std::pair<int, int>> spans;
  for (int y = 0; y < h; ++y) {
    spans.clear();
    for (const PixelRect& b : bands)
      if (y0 + y >= b.y0 && y0 + y < b.y1) spans.emplace_back(std::clamp(b.x0 - x0, 0, w), std::clamp(b.x1 - x0, 0, w));
    std::sort(spans.begin(), spans.end());
    const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
    int x = 0;
    for (const auto& [from, to] : spans) {
      if (from > x) bytes.insert(bytes.end(), row + x, row + from);
      x = std::max(x, to);
    }
    bytes.insert(bytes.end(), row + x, row + w);
  }
  return bytes;
}

// Whether the alpha a shadow follows is the layer's opaque rounded background alone, placed by `m`:
// it draws no border, and it and its sublayers draw only where the background is already opaque.
// Such a shadow keeps while the content changes, and cards of one size share it.
bool backgroundIsTheShape(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m) {
  if (layer.mask() || layer.contents() || (layer.borderWidth() > 0 && layer.borderColor() && layer.borderColor()->alpha() > 0))
    return false;
  const std::vector<PixelRect> bands = opaqueBands(p, m);
  const auto& store = layer.backing().store;
  int x = 0, y = 0;
  if (bands.empty() || layer.needsDisplay() || !store.drawn || drawsOwn(store) || store.size != p.bounds.size ||
      store.placement != placementOf(m, x, y))
    return false;
  return std::all_of(layer.sublayers().begin(), layer.sublayers().end(), [&](const auto& sublayer) {
    const Presentation sp = sublayer->presentation();
    if (sublayer->isHidden() || sp.opacity <= 0) return true;
    const auto box = subtreePixels(*sublayer, sp, placedSublayer(*sublayer, m));
    return box && withinAny(bands, *box);
  });
}

// A pixel of `area` outside `busy`, if any.
std::optional<std::pair<int, int>> pixelOutside(const PixelRect& area, const PixelRect& busy) {
  if (busy.isEmpty()) return std::pair{area.x0, area.y0};
  const PixelRect parts[] = {{area.x0, area.y0, area.x1, busy.y0},
                             {area.x0, busy.y1, area.x1, area.y1},
                             {area.x0, area.y0, busy.x0, area.y1},
                             {busy.x1, area.y0, area.x1, area.y1}};
  for (const auto& part : parts)
    if (!part.intersection(area).isEmpty()) return std::pair{part.intersection(area).x0, part.intersection(area).y0};
  return std::nullopt;
}

// The premultiplied pixel `sample` (one pixel) leaves on a clear target at `opacity`: the same
// arithmetic as compositing it there, done once.
std::uint32_t fadedPixel(cairo_surface_t* sample, double opacity) {
  std::uint32_t pixel = 0;
  SurfaceRef faded(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(&pixel), CAIRO_FORMAT_ARGB32,
                                                       1, 1, sizeof pixel));
  double x = 0, y = 0;
  cairo_surface_get_device_offset(sample, &x, &y);
  cairo_t* cr = cairo_create(faded.get());
  cairo_set_source_surface(cr, sample, x, y);
  cairo_paint_with_alpha(cr, opacity);
  cairo_destroy(cr);
  cairo_surface_flush(faded.get());
  return pixel;
}

// What drawing the layer's content inks, with the margin a store keeps; empty when nothing. A
// recording finds out before any pixels are kept (it cannot be the store: it replays text with
// other glyph positions).
PixelRect recordedInk(const CALayer& layer, const Presentation& p, const PixelPlacement& placement, Contents contents) {
  SurfaceRef recording(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr));
  drawContentInto(recording.get(), layer, p, placement, contents);
  double ix = 0, iy = 0, iw = 0, ih = 0;
  cairo_recording_surface_ink_extents(recording.get(), &ix, &iy, &iw, &ih);
  return iw > 0 && ih > 0 ? withInkMargin(ix, iy, iw, ih) : PixelRect{};
}

// The device pixels (relative to the layer's whole-pixel origin) a new store of the layer covers;
// empty when it draws nothing.
PixelRect storeArea(const CALayer& layer, const Presentation& p, const PixelPlacement& placement) {
  const auto& store = layer.backing().store;
  if (store.drawn && drawsOwn(store)) {
    // A layer that drew before draws again over its bounds, its contents and what it covered.
    CGRect local = p.bounds;
    if (const auto& image = layer.contents()) local = local.unionWith(contentsRect(layer, p.bounds, *image));
    const PixelRect box = deviceBox(matrixOf(placement), local);
    const PixelRect covered = store.whole.isEmpty() ? surfaceArea(store) : store.whole;
    const PixelRect last = store.placement == placement ? covered : PixelRect{};
    return PixelRect{box.x0 - 2, box.y0 - 2, box.x1 + 2, box.y1 + 2}.unionWith(last);
  }
  // Most layers draw nothing of their own.
  return recordedInk(layer, p, placement, Contents::covered);
}

// The store of a layer that shows a picture and draws nothing over it: the picture alone, drawn as
// the store would draw it and shared with every layer that shows it the same way. Nothing for any
// other layer.
std::optional<SurfaceRef> pictureStore(const CALayer& layer, const Presentation& p, const PixelPlacement& placement) {
  const auto& image = layer.contents();
  if (!image || !recordedInk(layer, p, placement, Contents::left).isEmpty()) return std::nullopt;
  const CGRect rect = contentsRect(layer, p.bounds, *image);
  // A picture too large for one surface is drawn as far as it shows, as other content is.
  if (!fitsOneSurface(deviceBox(matrixOf(placement), rect))) return std::nullopt;
  return ScaledPictures::current().picture({image->identity(), rect, placement}, [&] {
    SurfaceRef surface = makeSurface(CAIRO_FORMAT_ARGB32, deviceBox(matrixOf(placement), rect));
    if (surface) drawContentInto(surface.get(), layer, p, placement, Contents::drawn, false);
    return surface;
  });
}

SurfaceRef drawnStore(const CALayer& layer, const Presentation& p, const PixelPlacement& placement,
                      const PixelRect& area) {
  SurfaceRef surface = makeSurface(CAIRO_FORMAT_ARGB32, area);
  if (surface) drawContentInto(surface.get(), layer, p, placement);
  return surface;
}

// Copies the pixels `area` of `from` into `to` (both made by `makeSurface`).
void copyPixels(cairo_surface_t* from, cairo_surface_t* to, const PixelRect& area) {
  cairo_t* cr = cairo_create(to);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, from, 0, 0);
  cairo_rectangle(cr, area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
  cairo_fill(cr);
  cairo_destroy(cr);
}

bool sameSize(const PixelRect& a, const PixelRect& b) { return a.x1 - a.x0 == b.x1 - b.x0 && a.y1 - a.y0 == b.y1 - b.y0; }

// A window's surface moved to `window` of the same size in place, the pixels `held` of the content
// kept where they belong in it and the rest cleared: no new surface to allocate and fault in as a
// scroll moves the window on.
SurfaceRef movedWindow(SurfaceRef surface, const PixelRect& held, const PixelRect& window) {
  cairo_surface_t* s = surface.get();
  const PixelRect last = areaOf(s);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  const auto at = [&](const PixelRect& in, int x, int y) {
    return data + static_cast<std::ptrdiff_t>(y - in.y0) * stride + static_cast<std::ptrdiff_t>(x - in.x0) * 4;
  };
  const auto row = [&](int y) { std::memmove(at(window, held.x0, y), at(last, held.x0, y), static_cast<std::size_t>(held.x1 - held.x0) * 4); };
  // Rows move in the order that never reads one already overwritten.
  if (window.y0 > last.y0) {
    for (int y = held.y0; y < held.y1; ++y) row(y);
  } else {
    for (int y = held.y1 - 1; y >= held.y0; --y) row(y);
  }
  cairo_surface_mark_dirty(s);
  cairo_surface_set_device_offset(s, -window.x0, -window.y0);
  cairo_t* cr = cairo_create(s);
  cairo_rectangle(cr, window.x0, window.y0, window.x1 - window.x0, window.y1 - window.y0);
  if (!held.isEmpty()) cairo_rectangle(cr, held.x0, held.y0, held.x1 - held.x0, held.y1 - held.y0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_destroy(cr);
  return surface;
}

// As much of `area` from its top-left corner as one surface holds.
PixelRect fitted(const PixelRect& area) {
  PixelRect r = area;
  r.x1 = std::min(r.x1, r.x0 + kMaxSurfaceSide);
  r.y1 = std::min(r.y1, r.y0 + kMaxSurfaceSide);
  if (!r.isEmpty() && !fitsOneSurface(r)) r.y1 = r.y0 + static_cast<int>(kMaxStorePixels / (r.x1 - r.x0));
  return r;
}

// The window of `whole` a store keeps about `needed`: as much again on every side as a store kept
// whole may hold, less where that is too much, so that a scroll needs it moved seldom.
PixelRect windowAbout(const PixelRect& whole, const PixelRect& needed) {
  int mx = needed.x1 - needed.x0, my = needed.y1 - needed.y0;
  PixelRect window;
  do {
    window = whole.intersection({needed.x0 - mx, needed.y0 - my, needed.x1 + mx, needed.y1 + my});
    mx /= 2, my /= 2;
  } while (!keptWhole(window) && (mx > 0 || my > 0));
  return keptWhole(window) ? window : needed;
}

// Moves the window of windowed content about `shown` (relative to the layer's whole-pixel origin)
// when part of what shows lies outside it. What the last window holds of the new one is the same
// content: it is copied, and only the rest drawn.
void showWindow(const CALayer& layer, const Presentation& p, const PixelRect& shown) {
  auto& backing = layer.backing();
  auto& store = backing.store;
  const PixelRect needed = fitted(store.whole.intersection(shown));
  const PixelRect last = surfaceArea(store);
  if (needed.isEmpty() || contains(last, needed)) return;
  const PixelRect window = windowAbout(store.whole, needed);
  const PixelRect held = last.intersection(window);
  SurfaceRef surface = sameSize(last, window) ? movedWindow(std::move(store.surface), held, window)
                                              : makeSurface(CAIRO_FORMAT_ARGB32, window);
  if (surface && !sameSize(last, window) && !held.isEmpty()) copyPixels(store.surface.get(), surface.get(), held);
  if (surface) drawContentInto(surface.get(), layer, p, store.placement, Contents::drawn, true, held);
  store.surface = std::move(surface);
  store.originX = window.x0, store.originY = window.y0;
  ++backing.storeDraws;
}

// Makes the layer's store anew for `placement`: a shared picture, all of its content, or, for content
// too large to keep whole, no surface until its window shows.
void redisplay(const CALayer& layer, const Presentation& p, const PixelPlacement& placement) {
  auto& backing = layer.backing();
  auto& store = backing.store;
  auto picture = pictureStore(layer, p, placement);
  const PixelRect area = picture ? PixelRect{} : storeArea(layer, p, placement);
  store.whole = keptWhole(area) ? PixelRect{} : area;
  store.surface = {};  // the old store goes before a new one is made
  if (picture) {
    store.surface = std::move(*picture);
  } else if (store.whole.isEmpty()) {
    store.surface = drawnStore(layer, p, placement, area);
  }
  const PixelRect held = surfaceArea(store);
  store.originX = held.x0, store.originY = held.y0;
  store.placement = placement;
  store.size = p.bounds.size;
  store.drawn = true;
  if (store.whole.isEmpty()) ++backing.storeDraws;
  layer.clearNeedsDisplay();
}

}  // namespace

PixelRect PixelRect::unionWith(const PixelRect& o) const {
  if (isEmpty()) return o;
  if (o.isEmpty()) return *this;
  return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
}

PixelRect PixelRect::intersection(const PixelRect& o) const {
  const PixelRect r{std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
  return r.isEmpty() ? PixelRect{} : r;
}

double onPhaseGrid(double value) { return std::round(value * 256) / 256; }

PixelRect deviceBox(const cairo_matrix_t& m, const CGRect& rect) {
  const CGRect r = rect.standardized();
  if (r.isNull()) return {};
  double xs[4] = {r.minX(), r.maxX(), r.minX(), r.maxX()}, ys[4] = {r.minY(), r.minY(), r.maxY(), r.maxY()};
  for (int i = 0; i < 4; ++i) cairo_matrix_transform_point(&m, &xs[i], &ys[i]);
  return roundedOut(*std::min_element(xs, xs + 4), *std::min_element(ys, ys + 4), *std::max_element(xs, xs + 4),
                    *std::max_element(ys, ys + 4));
}

PixelRect coveredPixels(const cairo_matrix_t& m, const CGRect& rect) {
  if (m.xy != 0 || m.yx != 0) return {};
  double x0 = rect.minX(), y0 = rect.minY(), x1 = rect.maxX(), y1 = rect.maxY();
  cairo_matrix_transform_point(&m, &x0, &y0);
  cairo_matrix_transform_point(&m, &x1, &y1);
  // Rounded inwards: the pixels its edges cut through are not wholly inside.
  const PixelRect outer = roundedOut(std::max(x0, x1), std::max(y0, y1), std::min(x0, x1), std::min(y0, y1));
  const PixelRect inner{outer.x1, outer.y1, outer.x0, outer.y0};
  return inner.isEmpty() ? PixelRect{} : inner;
}

bool castsShadow(const CALayer& layer, const Presentation& p) {
  return !layer.masksToBounds() && p.shadowOpacity > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0;
}

CGFloat shadowReach(const Presentation& p) {
  return 3 * p.shadowRadius + 1 + std::max(std::fabs(p.shadowOffset.width), std::fabs(p.shadowOffset.height));
}

PixelRect displayIfNeeded(const CALayer& layer, const Presentation& p, const cairo_matrix_t& matrix,
                          const PixelRect* shown) {
  int x = 0, y = 0;
  const PixelPlacement placement = placementOf(matrix, x, y);
  const auto& store = layer.backing().store;
  if (layer.needsDisplay() || !store.drawn || store.placement != placement || store.size != p.bounds.size)
    redisplay(layer, p, placement);
  if (store.whole.isEmpty()) return shifted(surfaceArea(store), x, y);
  if (shown) showWindow(layer, p, shifted(*shown, -x, -y));
  return shifted(store.whole, x, y);
}

LayerPainter::LayerPainter(CGContext& context, Culling culling, GroupBuffers groups, int depth)
    : context_(context), cr_(cairoContext(context)), culling_(std::move(culling)), groups_(std::move(groups)),
      depth_(depth) {}

void LayerPainter::drawLayer(const CALayer& layer, bool place) {
  if (layer.isHidden()) return;
  const Presentation p = layer.presentation();
  if (p.opacity <= 0) return;
  context_.saveGState();
  if (place) context_.concatenate(layer.presentedTransformToSuperlayer());
  if (culling_ && !culling_(layer)) {
    context_.restoreGState();
    return;
  }
  if (p.opacity < 1) {
    drawTranslucent(layer, p);
  } else {
    drawOwn(layer, p);
  }
  context_.restoreGState();
}

void LayerPainter::drawOwn(const CALayer& layer, const Presentation& p) {
  if (castsShadow(layer, p)) drawShadow(layer, p);
  if (layer.mask()) {
    drawMasked(layer, p);
  } else {
    drawContent(layer, p);
  }
}

void LayerPainter::drawMasked(const CALayer& layer, const Presentation& p) {
  cairo_matrix_t m;
  cairo_get_matrix(cr_, &m);
  composite(applyMask(layer, group(drawnPixels(layer, p, m), [&] { drawContent(layer, p); })), 1);
}

void LayerPainter::drawTranslucent(const CALayer& layer, const Presentation& p) {
  // The opacity applies to the shadow and the content composited together: the shadow fades with
  // the content and does not show through it.
  if (!layer.mask() && drawInKeptBuffer(layer, p)) return;
  cairo_matrix_t m;
  cairo_get_matrix(cr_, &m);
  composite(group(groupPixels(layer, p, m), [&] { drawOwn(layer, p); }), p.opacity);
}

cairo_pattern_t* LayerPainter::group(const PixelRect& box, const std::function<void()>& draw) {
  // The group covers the whole pixels the layer can draw in, as the kept buffer does, and the clips
  // above apply once, when it is composited: a clip cutting an edge in the group too would cut it
  // twice.
  clipToPixels(cr_, box);
  cairo_push_group(cr_);
  // Cairo draws the first shape on a new surface by a shortcut of its own, a shade off from drawing
  // it over the cleared pixels of a kept buffer: the group is drawn as the buffer is.
  cairo_surface_mark_dirty(cairo_get_group_target(cr_));
  cairo_reset_clip(cr_);
  clipToPixels(cr_, box);
  draw();
  return cairo_pop_group(cr_);
}

void LayerPainter::composite(cairo_pattern_t* group, double alpha) {
  cairo_set_source(cr_, group);
  cairo_paint_with_alpha(cr_, alpha);
  cairo_pattern_destroy(group);
}

bool LayerPainter::drawInKeptBuffer(const CALayer& layer, const Presentation& p) {
  CGContext* buffer = groups_ ? groups_(depth_) : nullptr;
  if (!buffer) return false;
  cairo_matrix_t m;
  cairo_get_matrix(cr_, &m);
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  cairo_clip_extents(cr_, &x0, &y0, &x1, &y1);
  cairo_restore(cr_);
  PixelRect area = roundedOut(x0, y0, x1, y1).intersection(groupPixels(layer, p, m));
  if (area.isEmpty()) return true;
  // A fading overlay is mostly one colour: that part is composited as one pixel, and only the rest
  // goes through the buffer.
  if (const auto busy = busyPart(layer, p, m, area); busy && pixelOutside(area, *busy)) {
    paintFlatPart(layer, p, m, area, *busy);
    area = *busy;
    if (area.isEmpty()) return true;
  }
  // The buffer's pixels are the target's: clear the area, draw the layer there, then put it back
  // through the current clip at the layer's opacity.
  cairo_t* cr = cairoContext(*buffer);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_set_matrix(cr, &m);
  LayerPainter(*buffer, culling_, groups_, depth_ + 1).drawOwn(layer, p);
  cairo_restore(cr);
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  cairo_new_path(cr_);
  cairo_rectangle(cr_, area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
  cairo_clip(cr_);
  cairo_set_source_surface(cr_, buffer->impl().surface, 0, 0);
  cairo_paint_with_alpha(cr_, p.opacity);
  cairo_restore(cr_);
  return true;
}

void LayerPainter::paintFlatPart(const CALayer& layer, const Presentation& p, const cairo_matrix_t& m,
                                 const PixelRect& area, const PixelRect& busy) {
  // The layer drawn into one pixel of the flat part is what its buffer holds all over that part.
  const auto [x, y] = *pixelOutside(area, busy);
  SurfaceRef sample = makeSurface(CAIRO_FORMAT_ARGB32, {x, y, x + 1, y + 1});
  if (!sample) return;
  {
    auto context = makeContextForSurface(sample.get(), p.bounds.size, 1);
    cairo_set_matrix(cairoContext(*context), &m);
    LayerPainter(*context).drawContent(layer, p);
  }
  const std::uint32_t pixel = fadedPixel(sample.get(), p.opacity);
  const unsigned alpha = pixel >> 24;
  if (alpha == 0) return;
  // As a colour the faded pixel composites on the solid fast path; its premultiplied bytes come
  // back unchanged from the colour, so the pixels are what the buffer would give.
  const auto channel = [&](int shift) { return static_cast<double>((pixel >> shift) & 0xFF) / alpha; };
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  cairo_new_path(cr_);
  const PixelRect parts[] = {{area.x0, area.y0, area.x1, busy.isEmpty() ? area.y1 : busy.y0},
                             {area.x0, busy.y1, area.x1, area.y1},
                             {area.x0, busy.y0, busy.x0, busy.y1},
                             {busy.x1, busy.y0, area.x1, busy.y1}};
  for (const auto& part : busy.isEmpty() ? std::span(parts, 1) : std::span(parts))
    if (const PixelRect r = part.intersection(area); !r.isEmpty()) appendPixelRect(cr_, r);
  cairo_set_source_rgba(cr_, channel(16), channel(8), channel(0), alpha / 255.0);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void LayerPainter::drawContent(const CALayer& layer, const Presentation& p) {
  const bool rounded = p.cornerRadius > 0;
  auto appendBounds = [&] {
    cairo_new_path(cr_);
    if (rounded) {
      context_.addPath(roundedBounds(p));
    } else {
      appendRect(cr_, p.bounds);
    }
  };
  if (const auto& background = p.backgroundColor; background && background->alpha() > 0) {
    appendBounds();
    setSourceColor(cr_, *background);
    cairo_fill(cr_);
  }
  context_.saveGState();
  if (layer.masksToBounds()) {
    appendBounds();
    cairo_clip(cr_);
  }
  drawStore(layer, p);
  std::vector<const CALayer*> ordered;
  ordered.reserve(layer.sublayers().size());
  for (const auto& sublayer : layer.sublayers()) ordered.push_back(sublayer.get());
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const CALayer* a, const CALayer* b) { return a->zPosition() < b->zPosition(); });
  for (const CALayer* sublayer : ordered) drawLayer(*sublayer, true);
  context_.restoreGState();
  drawBorder(layer, p);
}

void LayerPainter::drawStore(const CALayer& layer, const Presentation& p) {
  cairo_matrix_t m;
  cairo_get_matrix(cr_, &m);
  const PixelRect shown = clipPixels(cr_);
  displayIfNeeded(layer, p, m, &shown);
  const auto& store = layer.backing().store;
  if (!store.surface) return;
  // Whole-pixel moves: the store's pixels land where drawing them again would put them.
  int x = 0, y = 0;
  placementOf(m, x, y);
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  cairo_set_source_surface(cr_, store.surface.get(), x, y);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void LayerPainter::drawBorder(const CALayer& layer, const Presentation& p) {
  const CGFloat width = layer.borderWidth();
  const auto& color = layer.borderColor();
  if (width <= 0 || !color || color->alpha() <= 0) return;
  // The border lies inside the bounds, following the rounded corners.
  const CGRect inset = p.bounds.insetBy(width / 2, width / 2);
  if (inset.isNull()) return;
  const CGFloat radius = std::max<CGFloat>(0, p.cornerRadius - width / 2);
  cairo_new_path(cr_);
  context_.addPath(CGPath::roundedRect(inset, radius, radius));
  cairo_set_line_width(cr_, width);
  setSourceColor(cr_, *color);
  cairo_stroke(cr_);
}

void LayerPainter::drawShadow(const CALayer& layer, const Presentation& p) {
  cairo_matrix_t m;
  cairo_get_matrix(cr_, &m);
  int x = 0, y = 0;
  const PixelPlacement placement = placementOf(m, x, y);
  auto& shadow = layer.backing().shadow;
  const bool shaped = !layer.shadowPath() && backgroundIsTheShape(layer, p, m);
  const bool followsAlpha = !layer.shadowPath() && !shaped;
  const bool current = shadow.made && shadow.placement == placement && shadow.radius == p.shadowRadius &&
                       shadow.path == layer.shadowPath() && shadow.bounds == p.bounds &&
                       shadow.background == shaped && shadow.cornerRadius == p.cornerRadius &&
                       (!followsAlpha || (shadow.generation == layer.contentGeneration() && !subtreeAnimates(layer)));
  if (!current) rasterizeShadow(layer, p, matrixOf(placement), shaped);
  if (!shadow.alpha) return;
  // The shape's pixels are kept relative to the layer's whole-pixel origin; the offset moves the
  // shadow in layer space, so through the layer's linear part in device space.
  const double ox = p.shadowOffset.width, oy = p.shadowOffset.height;
  const double dx = m.xx * ox + m.xy * oy, dy = m.yx * ox + m.yy * oy;
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  if (!layer.mask()) skipCoveredPixels(p, m);
  if (dx == std::round(dx) && dy == std::round(dy)) {
    // A whole-pixel offset composites the coloured shape as it is, the cheapest way there is.
    cairo_set_source_surface(cr_, coloredShadow(layer, p), x + dx, y + dy);
    cairo_paint(cr_);
  } else {
    cairo_translate(cr_, x, y);
    cairo_matrix_t toShape;
    cairo_matrix_init_translate(&toShape, -dx, -dy);
    cairo_pattern_t* mask = cairo_pattern_create_for_surface(shadow.alpha.get());
    cairo_pattern_set_matrix(mask, &toShape);
    setSourceColor(cr_, *layer.shadowColor(), p.shadowOpacity);
    cairo_mask(cr_, mask);
    cairo_pattern_destroy(mask);
  }
  cairo_restore(cr_);
}

void LayerPainter::skipCoveredPixels(const Presentation& p, const cairo_matrix_t& m) {
  // The layer's opaque background is painted over its shadow at once (in its group, when
  // translucent): where it makes pixels opaque, compositing the shadow would be work for nothing.
  double cx0 = 0, cy0 = 0, cx1 = 0, cy1 = 0;
  cairo_clip_extents(cr_, &cx0, &cy0, &cx1, &cy1);
  const PixelRect outer = roundedOut(cx0, cy0, cx1, cy1);
  cairo_new_path(cr_);
  appendPixelRect(cr_, outer);
  bool skips = false;
  // Within the clip's extents: the even-odd rule would otherwise let in what lies beyond them.
  for (const PixelRect& band : opaqueBands(p, m)) {
    const PixelRect covered = band.intersection(outer);
    if (covered.isEmpty()) continue;
    appendPixelRect(cr_, covered);
    skips = true;
  }
  if (skips) {
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr_);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
  }
  cairo_new_path(cr_);
}

cairo_surface_t* LayerPainter::coloredShadow(const CALayer& layer, const Presentation& p) {
  auto& shadow = layer.backing().shadow;
  auto color = layer.shadowColor()->rgba();
  color.alpha *= p.shadowOpacity;
  if (shadow.colored && std::memcmp(&color, &shadow.color, sizeof color) == 0) return shadow.colored.get();
  cairo_surface_t* alpha = shadow.alpha.get();
  shadow.colored = SharedShadows::current().colored(alpha, color, [&] { return tinted(alpha, color); });
  shadow.color = color;
  return shadow.colored.get();
}

void LayerPainter::rasterizeShadow(const CALayer& layer, const Presentation& p, const cairo_matrix_t& placed,
                                   bool shaped) {
  auto& backing = layer.backing();
  auto& shadow = backing.shadow;
  ++backing.shadowRasterizations;
  shadow.colored = {};
  shadow.made = true;
  shadow.radius = p.shadowRadius;
  shadow.path = layer.shadowPath();
  shadow.generation = layer.contentGeneration();
  shadow.bounds = p.bounds;
  shadow.background = shaped;
  shadow.cornerRadius = p.cornerRadius;
  int x = 0, y = 0;
  shadow.placement = placementOf(placed, x, y);
  const CGRect shape = layer.shadowPath() ? layer.shadowPath()->boundingBox() : drawingExtent(layer, p);
  const double sigma = p.shadowRadius * deviceScale(placed);
  // A shadow of a fixed shape is shared by its key; one that follows the layer's alpha depends on the
  // content too, and is shared only with shadows of the very same pixels: of an opaque background,
  // the same bytes outside its opaque bands before the blur; otherwise the same blurred bytes.
  const std::vector<PixelRect> bands = shaped || layer.shadowPath() ? std::vector<PixelRect>{} : opaqueBands(p, placed);
  const SharedShadows::Key key{shadow.placement, shape, p.bounds, shaped || !bands.empty() ? p.cornerRadius : 0,
                               p.shadowRadius, layer.shadowPath()};
  auto& shared = SharedShadows::current();
  if (shaped || layer.shadowPath()) {
    shadow.alpha = shared.alpha(key, [&] {
      SurfaceRef alpha = unblurredShape(layer, p, placed, shape, shaped);
      blurInPlace(alpha.get(), sigma);
      return alpha;
    });
    return;
  }
  SurfaceRef unblurred = unblurredShape(layer, p, placed, shape, false);
  if (!unblurred || bands.empty()) {
    blurInPlace(unblurred.get(), sigma);
    shadow.alpha = shared.alike(key, std::move(unblurred));
    return;
  }
  const std::vector<unsigned char> source = bytesOutside(unblurred.get(), bands);
  blurInPlace(unblurred.get(), sigma, &source);
  shadow.alpha = shared.alpha(key, source, [&] { return std::move(unblurred); });
}

SurfaceRef LayerPainter::unblurredShape(const CALayer& layer, const Presentation& p, const cairo_matrix_t& placed,
                                        const CGRect& shape, bool shaped) {
  const CGFloat blur = 3 * p.shadowRadius + 1;
  const PixelRect area = deviceBox(placed, shape.insetBy(-blur, -blur));
  SurfaceRef alpha = makeSurface(CAIRO_FORMAT_A8, area);
  if (!alpha) return alpha;
  auto context = makeContextForSurface(alpha.get(), p.bounds.size, 1);
  cairo_t* cr = cairoContext(*context);
  cairo_set_matrix(cr, &placed);
  if (layer.shadowPath() || shaped) {
    context->addPath(shaped ? roundedBounds(p) : *layer.shadowPath());
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_fill(cr);
  } else {
    LayerPainter(*context).drawAlpha(layer, p);
  }
  context.reset();
  cairo_surface_flush(alpha.get());
  return alpha;
}

void LayerPainter::drawAlpha(const CALayer& layer, const Presentation& p) {
  cairo_matrix_t placed;
  cairo_get_matrix(cr_, &placed);
  const std::vector<PixelRect> bands = opaqueBands(p, placed);
  if (bands.empty()) return drawContent(layer, p);
  // Over an opaque background the background's opaque bands stay as they are: they are filled at
  // once, and sublayers that draw only within them are skipped. (The rest is drawn whole: a clip
  // around the bands would make Cairo cut the shapes it fills, and round their edges otherwise.)
  cairo_identity_matrix(cr_);
  cairo_new_path(cr_);
  for (const PixelRect& band : bands) appendPixelRect(cr_, band);
  cairo_set_source_rgba(cr_, 0, 0, 0, 1);
  cairo_fill(cr_);
  cairo_set_matrix(cr_, &placed);
  culling_ = [this, bands](const CALayer& sublayer) {
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    const auto box = subtreePixels(sublayer, sublayer.presentation(), m);
    return !box || !withinAny(bands, *box);
  };
  drawContent(layer, p);
}

cairo_pattern_t* LayerPainter::applyMask(const CALayer& layer, cairo_pattern_t* content) {
  cairo_push_group(cr_);
  LayerPainter(context_).drawLayer(*layer.mask(), true);
  cairo_pattern_t* mask = cairo_pop_group(cr_);
  cairo_push_group(cr_);
  cairo_set_source(cr_, content);
  cairo_mask(cr_, mask);
  cairo_pattern_t* masked = cairo_pop_group(cr_);
  cairo_pattern_destroy(mask);
  cairo_pattern_destroy(content);
  return masked;
}

}  // namespace ios
