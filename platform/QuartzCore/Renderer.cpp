#include <QuartzCore/Renderer.h>

#include <CoreGraphics/CGContextCairo.h>
#include <QuartzCore/ShadowMaskCache.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ios {

namespace {

// Below this opacity a layer is treated as invisible, as hit testing also does.
constexpr float kInvisibleOpacity = 0.0f;

using Presentation = CALayer::Presentation;

CGPath roundedBounds(const Presentation& p) { return CGPath::roundedRect(p.bounds, p.cornerRadius, p.cornerRadius); }

bool hasVisibleShadow(const CALayer& layer, const Presentation& p) {
  return !layer.masksToBounds() && p.shadowOpacity > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0;
}

CGRect withShadowMargin(const CGRect& extent, const Presentation& p) {
  const CGFloat margin = 3 * p.shadowRadius + 1;
  return extent.insetBy(-margin - std::fabs(p.shadowOffset.width), -margin - std::fabs(p.shadowOffset.height));
}

// The area a layer and its unclipped sublayers may draw in, in the layer's coordinates.
CGRect drawingExtent(const CALayer& layer, const Presentation& p) {
  CGRect extent = p.bounds;
  if (layer.masksToBounds()) return extent;
  for (const auto& sublayer : layer.sublayers()) {
    if (sublayer->isHidden()) continue;
    const Presentation sp = sublayer->presentation();
    CGRect sub = drawingExtent(*sublayer, sp);
    if (hasVisibleShadow(*sublayer, sp)) sub = withShadowMargin(sub, sp);
    extent = extent.unionWith(sublayer->presentedTransformToSuperlayer().apply(sub));
  }
  return extent;
}

// The device-pixel scale of the current Cairo matrix (the geometric mean of its axes).
double deviceScale(cairo_t* cr) {
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  return std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
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

class TreeRenderer {
 public:
  explicit TreeRenderer(CGContext& context) : context_(context), cr_(cairoContext(context)) {}

  // Draws `layer`, placed in its superlayer's coordinates unless it is the root of the drawing.
  void drawLayer(const CALayer& layer, bool place) {
    if (layer.isHidden()) return;
    const Presentation p = layer.presentation();
    if (p.opacity <= kInvisibleOpacity) return;
    context_.saveGState();
    if (place) context_.concatenate(layer.presentedTransformToSuperlayer());

    const bool shadow = hasVisibleShadow(layer, p);
    const bool group = p.opacity < 1 || layer.mask() != nullptr;
    if (shadow || group) {
      // Limit offscreen work to what the layer can cover, its shadow included.
      CGRect extent = drawingExtent(layer, p);
      if (shadow) extent = withShadowMargin(extent, p);
      cairo_new_path(cr_);
      appendRect(cr_, extent);
      cairo_clip(cr_);
    }

    cairo_pattern_t* content = nullptr;
    if (group || (shadow && !layer.shadowPath())) {
      cairo_push_group(cr_);
      drawContent(layer, p);
      content = cairo_pop_group(cr_);
    }
    if (shadow) drawShadow(layer, p, content);

    if (content) {
      if (layer.mask()) content = applyMask(layer, content);
      cairo_set_source(cr_, content);
      cairo_paint_with_alpha(cr_, p.opacity);
      cairo_pattern_destroy(content);
    } else {
      drawContent(layer, p);
    }
    context_.restoreGState();
  }

 private:
  void drawContent(const CALayer& layer, const Presentation& p) {
    const CGRect bounds = p.bounds;
    const bool rounded = p.cornerRadius > 0;
    if (const auto& background = p.backgroundColor; background && background->alpha() > 0) {
      cairo_new_path(cr_);
      if (rounded) {
        context_.addPath(roundedBounds(p));
      } else {
        appendRect(cr_, bounds);
      }
      setSourceColor(cr_, *background);
      cairo_fill(cr_);
    }

    context_.saveGState();
    if (layer.masksToBounds()) {
      cairo_new_path(cr_);
      if (rounded) {
        context_.addPath(roundedBounds(p));
      } else {
        appendRect(cr_, bounds);
      }
      cairo_clip(cr_);
    }
    if (const auto& image = layer.contents()) context_.draw(*image, contentsRect(layer, bounds, *image));
    layer.draw(context_);

    std::vector<const CALayer*> ordered;
    ordered.reserve(layer.sublayers().size());
    for (const auto& sublayer : layer.sublayers()) ordered.push_back(sublayer.get());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const CALayer* a, const CALayer* b) { return a->zPosition() < b->zPosition(); });
    for (const CALayer* sublayer : ordered) drawLayer(*sublayer, true);
    context_.restoreGState();

    drawBorder(layer, p);
  }

  void drawBorder(const CALayer& layer, const Presentation& p) {
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

  void drawShadow(const CALayer& layer, const Presentation& p, cairo_pattern_t* content) {
    cairo_pattern_t* shape = content;
    bool ownShape = false;
    if (layer.shadowPath()) {
      cairo_push_group(cr_);
      cairo_new_path(cr_);
      context_.addPath(*layer.shadowPath());
      cairo_set_source_rgba(cr_, 0, 0, 0, 1);
      cairo_fill(cr_);
      shape = cairo_pop_group(cr_);
      ownShape = true;
    }
    if (!shape) return;

    cairo_surface_t* source = nullptr;
    cairo_pattern_get_surface(shape, &source);
    if (source && cairo_surface_get_type(source) == CAIRO_SURFACE_TYPE_IMAGE) {
      cairo_surface_flush(source);
      const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
      cairo_surface_t* alpha = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
      const unsigned char* from = cairo_image_surface_get_data(source);
      unsigned char* to = cairo_image_surface_get_data(alpha);
      const int fromStride = cairo_image_surface_get_stride(source), toStride = cairo_image_surface_get_stride(alpha);
      if (from && to) {
        for (int y = 0; y < h; ++y) {
          const auto* row = reinterpret_cast<const std::uint32_t*>(from + static_cast<std::ptrdiff_t>(y) * fromStride);
          unsigned char* out = to + static_cast<std::ptrdiff_t>(y) * toStride;
          for (int x = 0; x < w; ++x) out[x] = static_cast<unsigned char>(row[x] >> 24);
        }
        const double sigma = p.shadowRadius * deviceScale(cr_);
        ShadowMaskCache::shared().blur(to, w, h, toStride, sigma,
                                       [&](unsigned char* data) { Renderer::blurAlpha(data, w, h, toStride, sigma); });
        cairo_surface_mark_dirty(alpha);
      }
      double dx = 0, dy = 0;
      cairo_surface_get_device_offset(source, &dx, &dy);
      cairo_surface_set_device_offset(alpha, dx, dy);

      cairo_pattern_t* mask = cairo_pattern_create_for_surface(alpha);
      cairo_matrix_t matrix;
      cairo_pattern_get_matrix(shape, &matrix);
      // Reading the mask at (p - offset) moves the shadow by the offset in layer space.
      cairo_matrix_translate(&matrix, -p.shadowOffset.width, -p.shadowOffset.height);
      cairo_pattern_set_matrix(mask, &matrix);
      setSourceColor(cr_, *layer.shadowColor(), p.shadowOpacity);
      cairo_mask(cr_, mask);
      cairo_pattern_destroy(mask);
      cairo_surface_destroy(alpha);
    }
    if (ownShape) cairo_pattern_destroy(shape);
  }

  cairo_pattern_t* applyMask(const CALayer& layer, cairo_pattern_t* content) {
    cairo_push_group(cr_);
    drawLayer(*layer.mask(), true);
    cairo_pattern_t* mask = cairo_pop_group(cr_);
    cairo_push_group(cr_);
    cairo_set_source(cr_, content);
    cairo_mask(cr_, mask);
    cairo_pattern_t* masked = cairo_pop_group(cr_);
    cairo_pattern_destroy(mask);
    cairo_pattern_destroy(content);
    return masked;
  }

  CGContext& context_;
  cairo_t* cr_;
};

// One horizontal box pass of width 2r+1 over each row, with zeros beyond the edges.
void boxPass(const unsigned char* in, unsigned char* out, int length, int count, int inStep, int lineStep, int r) {
  const int window = 2 * r + 1;
  for (int line = 0; line < count; ++line) {
    const unsigned char* src = in + static_cast<std::ptrdiff_t>(line) * lineStep;
    unsigned char* dst = out + static_cast<std::ptrdiff_t>(line) * lineStep;
    int sum = 0;
    for (int i = 0; i <= std::min(r, length - 1); ++i) sum += src[static_cast<std::ptrdiff_t>(i) * inStep];
    for (int i = 0; i < length; ++i) {
      dst[static_cast<std::ptrdiff_t>(i) * inStep] = static_cast<unsigned char>((sum + window / 2) / window);
      const int add = i + r + 1, drop = i - r;
      if (add < length) sum += src[static_cast<std::ptrdiff_t>(add) * inStep];
      if (drop >= 0) sum -= src[static_cast<std::ptrdiff_t>(drop) * inStep];
    }
  }
}

}  // namespace

void Renderer::render(const CALayer& root, CGContext& context) {
  TreeRenderer renderer(context);
  renderer.drawLayer(root, false);
}

std::shared_ptr<CGImage> Renderer::renderImage(const CALayer& root, CGFloat scale) {
  const CGRect bounds = root.bounds();
  auto context = CGContext::bitmap(bounds.size, scale);
  if (!context) return nullptr;
  context->translateBy(-bounds.minX(), -bounds.minY());
  render(root, *context);
  return context->makeImage();
}

void Renderer::blurAlpha(unsigned char* data, int width, int height, int stride, double sigma) {
  if (!(sigma > 0.25) || width <= 0 || height <= 0) return;
  // Three box widths whose successive application approximates the Gaussian (Kovesi's method).
  constexpr int passes = 3;
  const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
  int lower = static_cast<int>(std::floor(ideal));
  if (lower % 2 == 0) --lower;
  const int upper = lower + 2;
  const double m = (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes) / (-4 * lower - 4);
  const int useLower = static_cast<int>(std::round(m));

  std::vector<unsigned char> scratch(static_cast<std::size_t>(stride) * height);
  for (int pass = 0; pass < passes; ++pass) {
    const int r = ((pass < useLower ? lower : upper) - 1) / 2;
    if (r <= 0) continue;
    boxPass(data, scratch.data(), width, height, 1, stride, r);
    boxPass(scratch.data(), data, height, width, stride, 1, r);
  }
}

}  // namespace ios
