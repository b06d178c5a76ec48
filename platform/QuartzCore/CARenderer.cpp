#include <QuartzCore/CARenderer.h>

#include <CoreGraphics/CGContextCairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ios {

namespace {

// Translucent layers nest a few deep at most; deeper ones make temporary groups.
constexpr int kKeptGroupDepth = 2;
// Beyond this many rectangles the damage is redrawn as their bounding box.
constexpr std::size_t kMaxDamageRects = 8;

// FNV-1a over the bytes of the values hashed.
class Signature {
 public:
  template <class T>
  Signature& add(const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 1099511628211ull;
    return *this;
  }
  Signature& add(const std::optional<CGColor>& color) {
    const auto c = color ? color->rgba() : CGColor::RGBA{-1, -1, -1, -1};
    return add(c.red).add(c.green).add(c.blue).add(c.alpha);
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 1469598103934665603ull;
};

std::vector<const CALayer*> inDrawingOrder(const CALayer& layer) {
  std::vector<const CALayer*> ordered;
  ordered.reserve(layer.sublayers().size());
  for (const auto& sublayer : layer.sublayers()) ordered.push_back(sublayer.get());
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const CALayer* a, const CALayer* b) { return a->zPosition() < b->zPosition(); });
  return ordered;
}

PixelRect outset(const PixelRect& r, int by) { return r.isEmpty() ? r : PixelRect{r.x0 - by, r.y0 - by, r.x1 + by, r.y1 + by}; }

// Everything that decides the pixels a layer itself puts on screen, apart from its sublayers.
std::uint64_t signatureOf(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& m,
                          const PixelRect& clip, double alpha, std::size_t index, bool shadow) {
  Signature s;
  s.add(m.xx).add(m.yx).add(m.xy).add(m.yy).add(m.x0).add(m.y0).add(clip).add(alpha).add(index);
  s.add(p.bounds.origin.x).add(p.bounds.origin.y).add(p.bounds.size.width).add(p.bounds.size.height);
  s.add(p.backgroundColor).add(p.cornerRadius).add(layer.masksToBounds());
  s.add(layer.borderWidth()).add(layer.borderColor()).add(layer.displayVersion());
  if (shadow) {
    // The generation covers the shadow's path and, for a shadow that follows the layer's alpha,
    // everything drawn below it.
    s.add(layer.shadowColor()).add(p.shadowOpacity).add(p.shadowOffset.width).add(p.shadowOffset.height);
    s.add(p.shadowRadius).add(layer.generation());
  }
  if (const auto& mask = layer.mask()) s.add(mask.get()).add(mask->generation()).add(mask->displayVersion());
  return s.value();
}

}  // namespace

CARenderer::CARenderer(CGFloat scale) : scale_(scale > 0 ? scale : 1) {}

CARenderer::~CARenderer() = default;

int CARenderer::width() const { return screen_.x1; }
int CARenderer::height() const { return screen_.y1; }
std::size_t CARenderer::bytesPerRow() const {
  return context_ ? static_cast<std::size_t>(cairo_image_surface_get_stride(context_->impl().surface)) : 0;
}

const std::uint32_t* CARenderer::pixels() const {
  if (!context_) return nullptr;
  return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(context_->impl().surface));
}

std::shared_ptr<CGImage> CARenderer::makeImage() const { return context_ ? context_->makeImage() : nullptr; }

void CARenderer::ensureBuffer(int width, int height) {
  if (context_ && screen_.x1 == width && screen_.y1 == height) return;
  context_ = CGContext::bitmap(CGSize{width / scale_, height / scale_}, scale_);
  screen_ = context_ ? PixelRect{0, 0, width, height} : PixelRect{};
  // The buffers for translucent layers are made with the frame and touched once, so that the first
  // fade does not pay for fresh pages.
  groups_.clear();
  for (int depth = 0; context_ && depth < kKeptGroupDepth; ++depth) {
    groups_.push_back(CGContext::bitmap(CGSize{width / scale_, height / scale_}, scale_));
    if (groups_.back()) groups_.back()->clear(CGRect(0, 0, width / scale_, height / scale_));
  }
  records_.clear();
  fullDamage_ = true;
}

const std::vector<PixelRect>& CARenderer::render(const CALayer& root) {
  damage_.clear();
  const CGRect bounds = root.bounds();
  const int w = static_cast<int>(std::ceil(bounds.width() * scale_ - 1e-9));
  const int h = static_cast<int>(std::ceil(bounds.height() * scale_ - 1e-9));
  if (w <= 0 || h <= 0) return damage_;
  ensureBuffer(w, h);
  if (!context_) return damage_;
  ++frame_;
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, scale_, scale_);
  cairo_matrix_translate(&m, -bounds.minX(), -bounds.minY());
  walk(root, m, screen_, 1, false, 0);
  for (auto it = records_.begin(); it != records_.end();) {
    if (it->second.frame == frame_) {
      ++it;
      continue;
    }
    addDamage(it->second.own);
    it = records_.erase(it);
  }
  if (fullDamage_) damage_.assign(1, screen_);
  fullDamage_ = false;
  simplifyDamage();
  if (!damage_.empty()) paint(root);
  return damage_;
}

PixelRect CARenderer::walk(const CALayer& layer, const cairo_matrix_t& parent, const PixelRect& clip, double alpha,
                           bool place, std::size_t index) {
  if (layer.isHidden()) return {};
  const CALayer::Presentation p = layer.presentation();
  if (p.opacity <= 0) return {};
  cairo_matrix_t m = parent;
  if (place) {
    const CGAffineTransform t = layer.presentedTransformToSuperlayer();
    const cairo_matrix_t local{t.a, t.b, t.c, t.d, t.tx, t.ty};
    cairo_matrix_multiply(&m, &local, &parent);
  }
  alpha *= p.opacity;
  const PixelRect boundsBox = deviceBox(m, p.bounds);
  const PixelRect inner = layer.masksToBounds() ? clip.intersection(boundsBox) : clip;
  PixelRect subtree;
  const auto ordered = inDrawingOrder(layer);
  for (std::size_t i = 0; i < ordered.size(); ++i) subtree = subtree.unionWith(walk(*ordered[i], m, inner, alpha, true, i));

  // Stores are drawn before anything is composited, as a display pass would; a layer wholly outside
  // the clip waits until it shows.
  PixelRect own = boundsBox;
  if (boundsBox.isEmpty() || boundsBox.intersects(clip)) own = own.unionWith(displayIfNeeded(layer, p, m));
  if (layer.masksToBounds()) own = own.intersection(boundsBox);
  const bool shadow = castsShadow(layer, p);
  if (p.opacity < 1 || layer.mask()) own = own.unionWith(subtree);
  if (shadow) {
    const double reach = shadowReach(p) * std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
    own = outset(own.unionWith(subtree), static_cast<int>(std::ceil(reach)));
  }
  own = own.intersection(clip);
  subtree = subtree.unionWith(own);

  const std::uint64_t signature = signatureOf(layer, p, m, clip, alpha, index, shadow);
  Record& record = records_[&layer];
  if (record.frame == 0 || record.signature != signature) {
    addDamage(record.own);
    addDamage(own);
  }
  record = {signature, own, subtree, frame_};
  return subtree;
}

void CARenderer::addDamage(const PixelRect& rect) {
  const PixelRect r = rect.intersection(screen_);
  if (!r.isEmpty()) damage_.push_back(r);
}

void CARenderer::simplifyDamage() {
  // Overlapping rectangles merge; many small ones become their bounding box.
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < damage_.size() && !merged; ++i) {
      for (std::size_t j = i + 1; j < damage_.size(); ++j) {
        if (!outset(damage_[i], 1).intersects(damage_[j])) continue;
        damage_[i] = damage_[i].unionWith(damage_[j]);
        damage_.erase(damage_.begin() + static_cast<std::ptrdiff_t>(j));
        merged = true;
        break;
      }
    }
  }
  if (damage_.size() <= kMaxDamageRects) return;
  PixelRect all;
  for (const auto& r : damage_) all = all.unionWith(r);
  damage_.assign(1, all);
}

bool CARenderer::touchesDamage(const CALayer& layer) const {
  auto it = records_.find(&layer);
  if (it == records_.end()) return true;
  return std::any_of(damage_.begin(), damage_.end(), [&](const PixelRect& r) { return r.intersects(it->second.subtree); });
}

void CARenderer::paint(const CALayer& root) {
  cairo_t* cr = cairoContext(*context_);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_new_path(cr);
  for (const auto& r : damage_) cairo_rectangle(cr, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_scale(cr, scale_, scale_);
  const CGRect bounds = root.bounds();
  cairo_translate(cr, -bounds.minX(), -bounds.minY());
  auto groups = [this](int depth) -> CGContext* {
    return depth < static_cast<int>(groups_.size()) ? groups_[static_cast<std::size_t>(depth)].get() : nullptr;
  };
  LayerPainter(*context_, [this](const CALayer& layer) { return touchesDamage(layer); }, groups).drawLayer(root, false);
  cairo_restore(cr);
  cairo_surface_flush(context_->impl().surface);
}

}  // namespace ios
