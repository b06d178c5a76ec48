#include <QuartzCore/CARenderer.h>

#include <CoreGraphics/CGContextCairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace ios {

namespace {

// Translucent layers nest a few deep at most; deeper ones make temporary groups.
constexpr int kKeptGroupDepth = 2;
// Beyond this many rectangles the damage is redrawn as their bounding box.
constexpr std::size_t kMaxDamageRects = 8;
// Damage widened over curved shapes this many times and still meeting more is drawn in whole rows.
constexpr int kMaxWidenings = 8;

// The values hashed eight bytes at a time, each step through the SplitMix64 finaliser, whose full
// avalanche keeps two different placements from colliding in practice.
class Signature {
 public:
  template <class T>
  Signature& add(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); i += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes + i, std::min<std::size_t>(8, sizeof(T) - i));
      mix(word);
    }
    return *this;
  }
  Signature& add(const std::optional<CGColor>& color) {
    const auto c = color ? color->rgba() : CGColor::RGBA{-1, -1, -1, -1};
    return add(c.red).add(c.green).add(c.blue).add(c.alpha);
  }
  std::uint64_t value() const { return hash_; }

 private:
  void mix(std::uint64_t word) {
    std::uint64_t z = hash_ ^ word;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    hash_ = (z ^ (z >> 31)) + 0x9e3779b97f4a7c15ull;
  }

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

// The key clip of layers below one that may scroll: nothing that scrolls with them clips them yet.
constexpr PixelRect kUnclipped{-(1 << 29), -(1 << 29), 1 << 29, 1 << 29};

// A shadow offset or blurred this many device pixels or more lies past any frame; reaches stop
// there, so that absurd values keep the rectangles' edges in range.
constexpr double kFarthestReach = 1 << 28;

PixelRect outset(const PixelRect& r, double by) {
  const int d = static_cast<int>(std::ceil(std::isnan(by) ? kFarthestReach : std::clamp(by, 0.0, kFarthestReach)));
  return r.isEmpty() ? r : PixelRect{r.x0 - d, r.y0 - d, r.x1 + d, r.y1 + d};
}
PixelRect offset(const PixelRect& r, int dx, int dy) { return r.isEmpty() ? r : PixelRect{r.x0 + dx, r.y0 + dy, r.x1 + dx, r.y1 + dy}; }

// The parts of `r` outside `hole`.
std::vector<PixelRect> outside(const PixelRect& r, const PixelRect& hole) {
  const PixelRect h = r.intersection(hole);
  if (h.isEmpty()) return {r};
  std::vector<PixelRect> parts{{r.x0, r.y0, r.x1, h.y0}, {r.x0, h.y1, r.x1, r.y1}, {r.x0, h.y0, h.x0, h.y1},
                               {h.x1, h.y0, r.x1, h.y1}};
  std::erase_if(parts, [](const PixelRect& part) { return part.isEmpty(); });
  return parts;
}

// The bounds less their rounded corners: a clip to them lets through whatever lies inside.
CGRect insideCorners(const CALayer::Presentation& p) {
  const CGFloat radius = std::clamp<CGFloat>(p.cornerRadius, 0, std::min(p.bounds.width(), p.bounds.height()) / 2);
  return p.bounds.insetBy(radius, radius);
}

// Whether the layer fills or clips to a shape that Cairo rasterises edge by edge: rounded corners,
// a border, or edges off the pixel axes.
bool curvesEdges(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& m) {
  const bool fills = (p.backgroundColor && p.backgroundColor->alpha() > 0) || layer.masksToBounds();
  if (layer.borderWidth() > 0) return true;
  return fills && (p.cornerRadius > 0 || m.xy != 0 || m.yx != 0);
}

// The rows of `curved` (where the layer's shape lies) in which its edges are not vertical: the
// rounded corners' rows, or all of them when the shape is masked or turned. Wanted for shapes drawn
// under or making a clip of a shape.
std::pair<PixelRect, PixelRect> slantedRows(const CALayer& layer, const CALayer::Presentation& p,
                                            const cairo_matrix_t& m, const PixelRect& curved) {
  if (curved.isEmpty() || layer.mask() || m.xy != 0 || m.yx != 0) return {curved, {}};
  const CGRect b = p.bounds.standardized();
  const CGFloat r = std::clamp<CGFloat>(p.cornerRadius, 0, std::min(b.width(), b.height()) / 2);
  if (r <= 0) return {};
  const PixelRect top = deviceBox(m, CGRect(b.minX(), b.minY(), b.width(), r));
  const PixelRect bottom = deviceBox(m, CGRect(b.minX(), b.maxY() - r, b.width(), r));
  return {top.intersection(curved), bottom.intersection(curved)};
}

// Everything that decides the pixels a layer itself puts on screen, apart from its sublayers.
// `clip` is the part of the clip set by layers that scroll with this one: rows clipped by the edge
// of their scrolling list keep their signature as they move.
std::uint64_t signatureOf(const CALayer& layer, const CALayer::Presentation& p, const cairo_matrix_t& m,
                          const PixelRect& clip, double alpha, const CALayer* superlayer, bool shadow) {
  Signature s;
  s.add(m.xx).add(m.yx).add(m.xy).add(m.yy).add(m.x0).add(m.y0).add(clip).add(alpha).add(superlayer);
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
  // Neither the frame nor the buffers for translucent layers are cleared when made: the first render
  // clears and draws the whole frame, and a buffer is cleared where a layer is drawn into it.
  const CGSize size{width / scale_, height / scale_};
  context_ = makeUnclearedBitmap(size, scale_);
  screen_ = context_ ? PixelRect{0, 0, width, height} : PixelRect{};
  groups_.clear();
  for (int depth = 0; context_ && depth < kKeptGroupDepth; ++depth) groups_.push_back(makeUnclearedBitmap(size, scale_));
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
  visits_ = 0;
  blit_ = {};
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, scale_, scale_);
  cairo_matrix_translate(&m, -bounds.minX(), -bounds.minY());
  cover_ = {};
  walk(root, Place{m, screen_, screen_, screen_, 1, nullptr, 0}, false, Shift{});
  for (auto it = records_.begin(); it != records_.end();) {
    if (it->second.frame == frame_) {
      ++it;
      continue;
    }
    addDamage(it->second.own);
    if (blit_.active) addDamage(offset(it->second.own, blit_.dx, blit_.dy).intersection(blit_.inner));
    it = records_.erase(it);
  }
  if (blit_.active) {
    // Layers drawn before the scroll was found may have changed under it: their old pixels moved too.
    for (std::size_t i = 0; i < blit_.damageBefore; ++i)
      addDamage(offset(damage_[i], blit_.dx, blit_.dy).intersection(blit_.inner));
  }
  if (fullDamage_) damage_.assign(1, screen_);
  fullDamage_ = false;
  if (blit_.active) moveScrolledPixels();
  simplifyDamage();
  widenOverCurves();
  if (!damage_.empty()) paint(root);
  return damage_;
}

PixelRect CARenderer::walk(const CALayer& layer, const Place& from, bool place, const Shift& shift) {
  if (layer.isHidden()) return {};
  const CALayer::Presentation p = layer.presentation();
  if (p.opacity <= 0) return {};
  cairo_matrix_t m = from.matrix;
  if (place) {
    const CGAffineTransform t = layer.presentedTransformToSuperlayer();
    const cairo_matrix_t local{t.a, t.b, t.c, t.d, t.tx, t.ty};
    cairo_matrix_multiply(&m, &local, &from.matrix);
    // Places that differ by rounding noise alone are one place: the same signature, and a scroll
    // by whole pixels.
    m.x0 = onPhaseGrid(m.x0);
    m.y0 = onPhaseGrid(m.y0);
  }
  const PixelRect& clip = from.clip;
  const double alpha = from.alpha * p.opacity;
  const std::size_t entered = visits_++;
  const PixelRect boundsBox = deviceBox(m, p.bounds);
  const PixelRect inner = layer.masksToBounds() ? clip.intersection(boundsBox) : clip;
  // Stores are drawn before anything is composited, as a display pass would; a layer wholly outside
  // the clip is drawn too, for what it draws may reach past its bounds into the clip (a line of
  // text past the top of the screen shows its descenders); one too large for a surface is drawn where
  // it can show.
  const PixelRect stored = displayIfNeeded(layer, p, m, &inner);
  // A copy: walking the sublayers adds records and may move this one.
  const auto found = records_.find(&layer);
  const Record record = found != records_.end() ? found->second : Record{};
  const std::uint64_t still = scrollSignature(layer, p, m, clip, alpha, stored, boundsBox, inner);
  Shift inside = shift;
  inside.borderAbove = shift.borderAbove || layer.borderWidth() > 0;
  const bool scrolls = startsScroll(record, still, m, inner, shift);
  if (scrolls) inside = {blit_.dx, blit_.dy, true, inside.borderAbove};

  PixelRect subtree;
  const auto ordered = inDrawingOrder(layer);
  const auto& background = p.backgroundColor;
  // Its background paints over whatever the layers before it drew.
  const bool paintsOver = background && background->alpha() >= 1 && p.cornerRadius <= 0 && alpha >= 1 && !layer.mask();
  if (paintsOver) {
    const PixelRect covered = coveredPixels(m, p.bounds).intersection(from.open);
    if (covered.area() > cover_.area()) cover_ = covered;
  }
  const bool solid = paintsOver && stored.isEmpty() && m.xy == 0 && m.yx == 0;
  const bool drawsBelow = (background && background->alpha() > 0) || !stored.isEmpty();
  path_.push_back({&ordered, 0, boundsBox, solid, drawsBelow});
  // Below a layer that may scroll, only the clips of layers that scroll with it key the signatures.
  const PixelRect keyClip = still != 0            ? kUnclipped
                            : layer.masksToBounds() ? from.keyClip.intersection(boundsBox)
                                                    : from.keyClip;
  const PixelRect open = layer.mask()             ? PixelRect{}
                         : layer.masksToBounds() ? from.open.intersection(coveredPixels(m, insideCorners(p)))
                                                 : from.open;
  const bool shapedClip = from.shapedClip || (layer.masksToBounds() && (p.cornerRadius > 0 || m.xy != 0 || m.yx != 0 ||
                                                                       coveredPixels(m, p.bounds) != boundsBox));
  std::vector<Sibling> walked;
  std::size_t highestRank = 0;
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    path_.back().child = i;
    const std::optional<Sibling> before = lastPlace(*ordered[i], layer);
    const PixelRect drawn = walk(*ordered[i], Place{m, inner, open, keyClip, alpha, &layer, i, shapedClip}, true, inside);
    subtree = subtree.unionWith(drawn);
    if (!before) continue;
    if (before->rank < highestRank) damageReordering(*before, walked, inside);
    highestRank = std::max(highestRank, before->rank);
    walked.push_back({before->rank, drawn});
  }
  path_.pop_back();
  if (scrolls) blit_.exit = visits_;

  PixelRect own = boundsBox.unionWith(stored);
  if (layer.masksToBounds()) own = own.intersection(boundsBox);
  const bool shadow = castsShadow(layer, p);
  if (p.opacity < 1 || layer.mask()) own = own.unionWith(subtree);
  if (shadow) {
    // A shadow path may lie anywhere, past the bounds too.
    const PixelRect path = layer.shadowPath() ? deviceBox(m, layer.shadowPath()->boundingBox()) : PixelRect{};
    own = outset(own.unionWith(subtree).unionWith(path), shadowReach(p) * std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx)));
  }
  own = own.intersection(clip);
  subtree = subtree.unionWith(own);

  const std::uint64_t signature = signatureOf(layer, p, m, from.keyClip, alpha, from.superlayer, shadow);
  const bool changed = record.frame == 0;
  if (!scrolls && shift.active) {
    // Inside the scrolled layer the blit moved last frame's pixels by the shift: a layer that moved
    // along with its content is already in place; any other is drawn where it is and where its old
    // pixels went.
    cairo_matrix_t before = m;
    before.x0 -= shift.dx, before.y0 -= shift.dy;
    const PixelRect keyBefore = from.keyClip == kUnclipped ? kUnclipped : offset(from.keyClip, -shift.dx, -shift.dy);
    if (changed || signatureOf(layer, p, before, keyBefore, alpha, from.superlayer, shadow) != record.signature) {
      if (record.frame != 0) addDamage(offset(record.own, shift.dx, shift.dy).intersection(blit_.inner));
      addDamage(own);
    }
  } else if (!scrolls && (changed || record.signature != signature)) {
    addDamage(record.own);
    addDamage(own);
  }
  if (blit_.active && !shift.active && entered >= blit_.exit && own.intersects(blit_.inner)) {
    // Above the scrolled layer: the blit moved this layer's pixels too.
    addDamage(own.intersection(blit_.inner));
    addDamage(offset(own, blit_.dx, blit_.dy).intersection(blit_.inner));
  }
  const PixelRect curved = layer.mask() ? own : curvesEdges(layer, p, m) ? boundsBox.intersection(clip) : PixelRect{};
  const auto [slantTop, slantBottom] = shapedClip ? slantedRows(layer, p, m, curved) : std::pair<PixelRect, PixelRect>{};
  records_[&layer] = {signature, still, own, subtree, curved, slantTop, slantBottom,
                      frame_, m.x0, m.y0, from.superlayer, from.rank};
  return subtree;
}

bool CARenderer::solidBeneath(const PixelRect& inner) const {
  for (auto level = path_.rbegin(); level != path_.rend(); ++level) {
    for (std::size_t j = 0; j < level->child; ++j) {
      auto it = records_.find((*level->ordered)[j]);
      if (it != records_.end() && it->second.frame == frame_ && it->second.subtree.intersects(inner)) return false;
    }
    if (level->solid && level->boundsBox.intersection(inner) == inner) return true;
    if (level->drawsBelow) return false;
  }
  return false;
}

std::optional<CARenderer::Sibling> CARenderer::lastPlace(const CALayer& layer, const CALayer& superlayer) const {
  const auto it = records_.find(&layer);
  if (it == records_.end() || it->second.superlayer != &superlayer) return std::nullopt;
  return Sibling{it->second.rank, it->second.subtree};
}

void CARenderer::damageReordering(const Sibling& before, const std::vector<Sibling>& walked, const Shift& shift) {
  // Siblings keep their signatures when others are inserted, removed or reordered around them: a
  // layer now drawn after a sibling that was drawn after it last frame changes only the pixels where
  // the two overlap. Where it was is where the scroll took it.
  const PixelRect was = shift.active ? offset(before.subtree, shift.dx, shift.dy) : before.subtree;
  for (const auto& sibling : walked)
    if (sibling.rank > before.rank) addDamage(was.intersection(sibling.subtree));
}

std::uint64_t CARenderer::scrollSignature(const CALayer& layer, const CALayer::Presentation& p,
                                          const cairo_matrix_t& m, const PixelRect& clip, double alpha,
                                          const PixelRect& stored, const PixelRect& boundsBox,
                                          const PixelRect& inner) const {
  // A layer can scroll by a blit when it clips its sublayers, draws nothing of its own but a
  // background, unrotated and fully opaque, and what shows in its bounds moves with its content:
  // its background is opaque, or clear over one opaque colour of a layer below.
  const auto& background = p.backgroundColor;
  const bool clear = !background || background->alpha() <= 0;
  if (clear ? !solidBeneath(inner) : background->alpha() < 1) return 0;
  if (!layer.masksToBounds() || p.cornerRadius > 0 ||
      layer.borderWidth() > 0 || alpha < 1 || layer.mask() || !stored.isEmpty() || m.xy != 0 || m.yx != 0 ||
      castsShadow(layer, p))
    return 0;
  Signature s;
  s.add(m.xx).add(m.yy).add(boundsBox).add(clip).add(p.bounds.size.width).add(p.bounds.size.height);
  return s.add(background).add(layer.displayVersion()).add(std::uint64_t{1}).value();
}

bool CARenderer::startsScroll(const Record& record, std::uint64_t still, const cairo_matrix_t& m,
                              const PixelRect& inner, const Shift& shift) {
  if (still == 0 || record.frame == 0 || record.still != still || blit_.active || shift.active || shift.borderAbove ||
      fullDamage_)
    return false;
  const double dx = m.x0 - record.x0, dy = m.y0 - record.y0;
  if ((dx == 0 && dy == 0) || dx != std::round(dx) || dy != std::round(dy)) return false;
  blit_ = {true, static_cast<int>(dx), static_cast<int>(dy), inner, 0, damage_.size()};
  // What the blit cannot bring in: the strip that scrolls into view.
  const PixelRect kept = inner.intersection(offset(inner, blit_.dx, blit_.dy));
  if (kept.isEmpty()) {
    addDamage(inner);
    return true;
  }
  if (kept.y0 > inner.y0) addDamage({inner.x0, inner.y0, inner.x1, kept.y0});
  if (kept.y1 < inner.y1) addDamage({inner.x0, kept.y1, inner.x1, inner.y1});
  if (kept.x0 > inner.x0) addDamage({inner.x0, inner.y0, kept.x0, inner.y1});
  if (kept.x1 < inner.x1) addDamage({kept.x1, inner.y0, inner.x1, inner.y1});
  return true;
}

void CARenderer::moveScrolledPixels() {
  const PixelRect dest = blit_.inner.intersection(offset(blit_.inner, blit_.dx, blit_.dy));
  if (dest.isEmpty()) return;
  cairo_surface_t* surface = context_->impl().surface;
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const std::size_t bytes = static_cast<std::size_t>(dest.x1 - dest.x0) * 4;
  auto row = [&](int y) {
    std::memmove(data + static_cast<std::ptrdiff_t>(y) * stride + dest.x0 * 4,
                 data + static_cast<std::ptrdiff_t>(y - blit_.dy) * stride + (dest.x0 - blit_.dx) * 4, bytes);
  };
  // Rows move in the order that never reads one already overwritten.
  if (blit_.dy > 0) {
    for (int y = dest.y1 - 1; y >= dest.y0; --y) row(y);
  } else {
    for (int y = dest.y0; y < dest.y1; ++y) row(y);
  }
  cairo_surface_mark_dirty(surface);
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

void CARenderer::widenOverCurves() {
  for (int pass = 0; pass < kMaxWidenings; ++pass) {
    if (!widenOnce()) return;
    simplifyDamage();
  }
  // Whole rows take in every shape.
  PixelRect all;
  for (const auto& r : damage_) all = all.unionWith(r);
  damage_.assign(1, {screen_.x0, all.y0, screen_.x1, all.y1});
}

bool CARenderer::widenOnce() {
  // Cairo finds the coverage of a pixel on a curved edge from all of the shape's edges in its row,
  // and a clip that cuts the shape sideways changes which those are: the pixel can come out a shade
  // off from drawing the shape whole. Cutting rows apart changes nothing, so damage meeting such a
  // shape takes in the shape's whole width in the rows they share.
  // Under a clip Cairo keeps as a shape, not as whole pixels, cutting rows apart where edges slant
  // moves where it starts them: damage ending in such rows takes in all of them.
  bool widened = false;
  auto widen = [&](const PixelRect& damage, const PixelRect& shape) {
    if (damage.intersection(shape) == shape) return;
    damage_.push_back(shape);
    widened = true;
  };
  for (const auto& [layer, record] : records_) {
    const PixelRect& shape = record.curved;
    if (record.frame != frame_ || shape.isEmpty()) continue;
    for (std::size_t i = 0, n = damage_.size(); i < n; ++i) {
      const PixelRect damage = damage_[i], meet = damage.intersection(shape);
      if (meet.isEmpty()) continue;
      widen(damage, {shape.x0, meet.y0, shape.x1, meet.y1});
      for (const PixelRect& rows : {record.slantTop, record.slantBottom})
        if (damage.intersects(rows)) widen(damage, rows);
    }
  }
  return widened;
}

bool CARenderer::touches(const CALayer& layer, const PixelRect& rect) const {
  auto it = records_.find(&layer);
  return it == records_.end() || rect.intersects(it->second.subtree);
}

void CARenderer::paint(const CALayer& root) {
  // One rectangle at a time: Cairo draws an edge between pixels through a clip of several
  // rectangles a shade off from drawing it unclipped, and through one rectangle the same.
  for (const auto& r : damage_) paint(root, r);
  cairo_surface_flush(context_->impl().surface);
}

void CARenderer::paint(const CALayer& root, const PixelRect& rect) {
  cairo_t* cr = cairoContext(*context_);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  // What an opaque background paints over needs no clearing first.
  cairo_new_path(cr);
  for (const auto& part : outside(rect, cover_)) cairo_rectangle(cr, part.x0, part.y0, part.x1 - part.x0, part.y1 - part.y0);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_rectangle(cr, rect.x0, rect.y0, rect.x1 - rect.x0, rect.y1 - rect.y0);
  cairo_clip(cr);
  cairo_scale(cr, scale_, scale_);
  const CGRect bounds = root.bounds();
  cairo_translate(cr, -bounds.minX(), -bounds.minY());
  auto groups = [this](int depth) -> CGContext* {
    return depth < static_cast<int>(groups_.size()) ? groups_[static_cast<std::size_t>(depth)].get() : nullptr;
  };
  LayerPainter(*context_, [this, &rect](const CALayer& layer) { return touches(layer, rect); }, groups).drawLayer(root, false);
  cairo_restore(cr);
}

}  // namespace ios
