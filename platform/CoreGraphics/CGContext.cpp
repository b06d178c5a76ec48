#include <CoreGraphics/CGContextCairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace ios {

namespace {

constexpr long long kMaxPixels = 1LL << 28;

void setSource(cairo_t* cr, const CGColor& color, CGFloat alpha) {
  const auto c = color.rgba();
  cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * alpha);
}

cairo_operator_t cairoOperator(CGBlendMode mode) {
  switch (mode) {
    case CGBlendMode::normal:
      return CAIRO_OPERATOR_OVER;
    case CGBlendMode::multiply:
      return CAIRO_OPERATOR_MULTIPLY;
    case CGBlendMode::screen:
      return CAIRO_OPERATOR_SCREEN;
    case CGBlendMode::overlay:
      return CAIRO_OPERATOR_OVERLAY;
    case CGBlendMode::darken:
      return CAIRO_OPERATOR_DARKEN;
    case CGBlendMode::lighten:
      return CAIRO_OPERATOR_LIGHTEN;
    case CGBlendMode::clear:
      return CAIRO_OPERATOR_CLEAR;
    case CGBlendMode::copy:
      return CAIRO_OPERATOR_SOURCE;
    case CGBlendMode::sourceIn:
      return CAIRO_OPERATOR_IN;
    case CGBlendMode::sourceOut:
      return CAIRO_OPERATOR_OUT;
    case CGBlendMode::sourceAtop:
      return CAIRO_OPERATOR_ATOP;
    case CGBlendMode::destinationOver:
      return CAIRO_OPERATOR_DEST_OVER;
    case CGBlendMode::destinationIn:
      return CAIRO_OPERATOR_DEST_IN;
    case CGBlendMode::destinationOut:
      return CAIRO_OPERATOR_DEST_OUT;
    case CGBlendMode::destinationAtop:
      return CAIRO_OPERATOR_DEST_ATOP;
    case CGBlendMode::xorMode:
      return CAIRO_OPERATOR_XOR;
  }
  return CAIRO_OPERATOR_OVER;
}

void appendPath(cairo_t* cr, const CGPath& path) {
  for (const auto& e : path.elements()) {
    switch (e.type) {
      case CGPath::ElementType::moveToPoint:
        cairo_move_to(cr, e.points[0].x, e.points[0].y);
        break;
      case CGPath::ElementType::addLineToPoint:
        cairo_line_to(cr, e.points[0].x, e.points[0].y);
        break;
      case CGPath::ElementType::addQuadCurveToPoint: {
        double x0 = 0, y0 = 0;
        cairo_get_current_point(cr, &x0, &y0);
        const CGPoint c = e.points[0], p = e.points[1];
        cairo_curve_to(cr, x0 + 2.0 / 3.0 * (c.x - x0), y0 + 2.0 / 3.0 * (c.y - y0),
                       p.x + 2.0 / 3.0 * (c.x - p.x), p.y + 2.0 / 3.0 * (c.y - p.y), p.x, p.y);
        break;
      }
      case CGPath::ElementType::addCurveToPoint:
        cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x,
                       e.points[2].y);
        break;
      case CGPath::ElementType::closeSubpath:
        cairo_close_path(cr);
        break;
    }
  }
}

// The pixel size of a bitmap of `size` points at `scale`; zero for an empty or absurd one.
std::pair<int, int> bitmapPixels(CGSize size, CGFloat scale) {
  if (!(scale > 0) || !(size.width > 0) || !(size.height > 0)) return {0, 0};
  const double w = std::ceil(size.width * scale - 1e-9), h = std::ceil(size.height * scale - 1e-9);
  if (w * h > static_cast<double>(kMaxPixels)) return {0, 0};
  return {static_cast<int>(w), static_cast<int>(h)};
}

}  // namespace

cairo_surface_t* cairoSurfaceFor(const CGImage& image) {
  // Cairo only reads from a source surface, so handing it the image's const pixels is safe.
  auto* data = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(image.pixels()));
  return cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, image.width(), image.height(),
                                             static_cast<int>(image.bytesPerRow()));
}

std::unique_ptr<CGContext> makeContextForSurface(cairo_surface_t* surface, CGSize size, CGFloat scale) {
  auto impl = std::make_unique<CGContext::Impl>();
  impl->surface = cairo_surface_reference(surface);
  impl->cr = cairo_create(surface);
  cairo_scale(impl->cr, scale, scale);
  return std::unique_ptr<CGContext>(new CGContext(std::move(impl), size, scale));
}

std::unique_ptr<CGContext> CGContext::bitmap(CGSize size, CGFloat scale, bool opaque) {
  const auto [w, h] = bitmapPixels(size, scale);
  if (w <= 0) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  auto context = makeContextForSurface(surface, size, scale);
  cairo_surface_destroy(surface);
  if (opaque) {
    cairo_set_source_rgb(context->impl_->cr, 0, 0, 0);
    cairo_paint(context->impl_->cr);
  }
  return context;
}

std::unique_ptr<CGContext> makeUnclearedBitmap(CGSize size, CGFloat scale) {
  const auto [w, h] = bitmapPixels(size, scale);
  if (w <= 0) return nullptr;
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, w);
  void* pixels = std::malloc(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h));
  if (!pixels) return nullptr;
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32, w, h, stride);
  static cairo_user_data_key_t ownsPixels;
  if (cairo_surface_set_user_data(surface, &ownsPixels, pixels, std::free) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    std::free(pixels);
    return nullptr;
  }
  auto context = makeContextForSurface(surface, size, scale);
  cairo_surface_destroy(surface);
  return context;
}

CGContext::CGContext(std::unique_ptr<Impl> impl, CGSize size, CGFloat scale)
    : impl_(std::move(impl)), size_(size), scale_(scale) {}

CGContext::~CGContext() {
  cairo_destroy(impl_->cr);
  cairo_surface_destroy(impl_->surface);
}

int CGContext::pixelWidth() const {
  return cairo_surface_get_type(impl_->surface) == CAIRO_SURFACE_TYPE_IMAGE
             ? cairo_image_surface_get_width(impl_->surface)
             : static_cast<int>(size_.width * scale_);
}

int CGContext::pixelHeight() const {
  return cairo_surface_get_type(impl_->surface) == CAIRO_SURFACE_TYPE_IMAGE
             ? cairo_image_surface_get_height(impl_->surface)
             : static_cast<int>(size_.height * scale_);
}

void CGContext::saveGState() {
  cairo_save(impl_->cr);
  impl_->states.push_back(impl_->states.back());
}

void CGContext::restoreGState() {
  // An unbalanced restore is ignored rather than corrupting Cairo's state stack.
  if (impl_->states.size() <= 1) return;
  cairo_restore(impl_->cr);
  impl_->states.pop_back();
}

CGAffineTransform CGContext::ctm() const {
  cairo_matrix_t m;
  cairo_get_matrix(impl_->cr, &m);
  return {m.xx / scale_, m.yx / scale_, m.xy / scale_, m.yy / scale_, m.x0 / scale_, m.y0 / scale_};
}

void CGContext::concatenate(const CGAffineTransform& t) {
  const cairo_matrix_t m{t.a, t.b, t.c, t.d, t.tx, t.ty};
  cairo_transform(impl_->cr, &m);
}

void CGContext::translateBy(CGFloat tx, CGFloat ty) {
  cairo_translate(impl_->cr, tx, ty);
}
void CGContext::scaleBy(CGFloat sx, CGFloat sy) {
  if (sx != 0 && sy != 0) cairo_scale(impl_->cr, sx, sy);
}
void CGContext::rotate(CGFloat angle) {
  cairo_rotate(impl_->cr, angle);
}

void CGContext::setFillColor(const CGColor& color) {
  impl_->states.back().fill = color;
}
void CGContext::setStrokeColor(const CGColor& color) {
  impl_->states.back().stroke = color;
}
void CGContext::setLineWidth(CGFloat width) {
  cairo_set_line_width(impl_->cr, std::max<CGFloat>(0, width));
}

void CGContext::setLineCap(CGLineCap cap) {
  cairo_set_line_cap(impl_->cr, cap == CGLineCap::round    ? CAIRO_LINE_CAP_ROUND
                                : cap == CGLineCap::square ? CAIRO_LINE_CAP_SQUARE
                                                           : CAIRO_LINE_CAP_BUTT);
}

void CGContext::setLineJoin(CGLineJoin join) {
  cairo_set_line_join(impl_->cr, join == CGLineJoin::round   ? CAIRO_LINE_JOIN_ROUND
                                 : join == CGLineJoin::bevel ? CAIRO_LINE_JOIN_BEVEL
                                                             : CAIRO_LINE_JOIN_MITER);
}

void CGContext::setLineDash(CGFloat phase, const std::vector<CGFloat>& lengths) {
  cairo_set_dash(impl_->cr, lengths.data(), static_cast<int>(lengths.size()), phase);
}

void CGContext::setAlpha(CGFloat alpha) {
  impl_->states.back().alpha = std::clamp<CGFloat>(alpha, 0, 1);
}
void CGContext::setBlendMode(CGBlendMode mode) {
  cairo_set_operator(impl_->cr, cairoOperator(mode));
}

void CGContext::setInterpolationQuality(CGInterpolationQuality quality) {
  // Kept for image draws through the source pattern's filter.
  (void)quality;
}

void CGContext::setShouldAntialias(bool antialias) {
  cairo_set_antialias(impl_->cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CGContext::beginPath() {
  cairo_new_path(impl_->cr);
}
void CGContext::addPath(const CGPath& path) {
  appendPath(impl_->cr, path);
}
void CGContext::addRect(const CGRect& r) {
  const CGRect s = r.standardized();
  if (!s.isNull()) cairo_rectangle(impl_->cr, s.minX(), s.minY(), s.width(), s.height());
}
void CGContext::move(CGPoint to) {
  cairo_move_to(impl_->cr, to.x, to.y);
}
void CGContext::addLine(CGPoint to) {
  cairo_line_to(impl_->cr, to.x, to.y);
}
void CGContext::closePath() {
  cairo_close_path(impl_->cr);
}

void CGContext::drawPath(CGPathDrawingMode mode) {
  cairo_t* cr = impl_->cr;
  const auto& state = impl_->states.back();
  const bool fill = mode != CGPathDrawingMode::stroke;
  const bool stroke = mode == CGPathDrawingMode::stroke || mode == CGPathDrawingMode::fillStroke ||
                      mode == CGPathDrawingMode::eoFillStroke;
  const bool evenOdd = mode == CGPathDrawingMode::eoFill || mode == CGPathDrawingMode::eoFillStroke;
  cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  if (fill) {
    setSource(cr, state.fill, state.alpha);
    if (stroke) {
      cairo_fill_preserve(cr);
    } else {
      cairo_fill(cr);
    }
  }
  if (stroke) {
    setSource(cr, state.stroke, state.alpha);
    cairo_stroke(cr);
  }
}

void CGContext::fillPath(bool evenOdd) {
  drawPath(evenOdd ? CGPathDrawingMode::eoFill : CGPathDrawingMode::fill);
}
void CGContext::strokePath() {
  drawPath(CGPathDrawingMode::stroke);
}

void CGContext::clip(bool evenOdd) {
  cairo_set_fill_rule(impl_->cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  cairo_clip(impl_->cr);
}

void CGContext::clip(const CGRect& rect) {
  beginPath();
  addRect(rect);
  clip();
}

CGRect CGContext::clipBoundingBox() const {
  double x1, y1, x2, y2;
  cairo_clip_extents(impl_->cr, &x1, &y1, &x2, &y2);
  return CGRect(x1, y1, x2 - x1, y2 - y1);
}

void CGContext::fill(const CGRect& rect) {
  beginPath();
  addRect(rect);
  fillPath();
}

void CGContext::fillEllipse(const CGRect& rect) {
  beginPath();
  addPath(CGPath::ellipse(rect));
  fillPath();
}

void CGContext::stroke(const CGRect& rect) {
  beginPath();
  addRect(rect);
  strokePath();
}

void CGContext::clear(const CGRect& rect) {
  cairo_t* cr = impl_->cr;
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_new_path(cr);
  addRect(rect);
  cairo_fill(cr);
  cairo_restore(cr);
}

void CGContext::draw(const CGImage& image, const CGRect& rect) {
  const CGRect r = rect.standardized();
  if (r.isEmpty()) return;
  cairo_t* cr = impl_->cr;
  cairo_surface_t* source = cairoSurfaceFor(image);
  cairo_save(cr);
  cairo_translate(cr, r.minX(), r.minY());
  cairo_scale(cr, r.width() / image.width(), r.height() / image.height());
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, 0, image.width(), image.height());
  cairo_clip(cr);
  cairo_paint_with_alpha(cr, impl_->states.back().alpha);
  cairo_restore(cr);
  cairo_surface_destroy(source);
}

void CGContext::drawLinearGradient(const std::vector<CGColor>& colors, const std::vector<CGFloat>& locations,
                                   CGPoint start, CGPoint end) {
  if (colors.empty()) return;
  cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
  for (std::size_t i = 0; i < colors.size(); ++i) {
    const CGFloat offset = i < locations.size() ? locations[i]
                           : colors.size() == 1
                               ? 0
                               : static_cast<CGFloat>(i) / static_cast<CGFloat>(colors.size() - 1);
    const auto c = colors[i].rgba();
    cairo_pattern_add_color_stop_rgba(pattern, std::clamp<CGFloat>(offset, 0, 1), c.red, c.green, c.blue,
                                      c.alpha * impl_->states.back().alpha);
  }
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_set_source(impl_->cr, pattern);
  cairo_paint(impl_->cr);
  cairo_pattern_destroy(pattern);
}

std::shared_ptr<CGImage> CGContext::makeImage() const {
  cairo_surface_t* surface = impl_->surface;
  if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  if (!data || cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) return nullptr;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    std::memcpy(&pixels[static_cast<std::size_t>(y) * w], data + static_cast<std::ptrdiff_t>(y) * stride,
                static_cast<std::size_t>(w) * 4);
  return CGImage::create(w, h, std::move(pixels));
}

}  // namespace ios
