#include <QuartzCore/CALayer.h>

#include <Foundation/RunLoop.h>
#include <QuartzCore/LayerBacking.h>
#include <QuartzCore/Renderer.h>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace ios {

namespace {

const auto registration =
    ClassRegistration<CALayer>("CALayer")
        .property("bounds", &CALayer::bounds, &CALayer::setBounds)
        .property("frame", &CALayer::frame, &CALayer::setFrame)
        .property("position", &CALayer::position, &CALayer::setPosition)
        .property("anchorPoint", &CALayer::anchorPoint, &CALayer::setAnchorPoint)
        .property("cornerRadius", &CALayer::cornerRadius, &CALayer::setCornerRadius)
        .property("masksToBounds", &CALayer::masksToBounds, &CALayer::setMasksToBounds)
        .property("borderWidth", &CALayer::borderWidth, &CALayer::setBorderWidth)
        .property("borderColor", &CALayer::borderColor, &CALayer::setBorderColor)
        .property("backgroundColor", &CALayer::backgroundColor, &CALayer::setBackgroundColor)
        .property("opacity", &CALayer::opacity, &CALayer::setOpacity)
        .property("hidden", &CALayer::isHidden, &CALayer::setHidden)
        .property("shadowColor", &CALayer::shadowColor, &CALayer::setShadowColor)
        .property("shadowOpacity", &CALayer::shadowOpacity, &CALayer::setShadowOpacity)
        .property("shadowOffset", &CALayer::shadowOffset, &CALayer::setShadowOffset)
        .property("shadowRadius", &CALayer::shadowRadius, &CALayer::setShadowRadius)
        .property("transform", &CALayer::transform, &CALayer::setTransform);

std::uint64_t nextVersion() {
  static std::uint64_t last = 0;
  return ++last;
}

// Assigns `value` to `field` when it differs; returns whether it did.
template <class T>
bool assign(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

std::shared_ptr<CALayer> CALayer::create() { return std::make_shared<CALayer>(); }

CALayer::CALayer() : displayVersion_(nextVersion()) {}

CALayer::~CALayer() {
  for (auto& sublayer : sublayers_) sublayer->superlayer_.reset();
}

void CALayer::changed() {
  needsDisplay_ = true;
  displayVersion_ = nextVersion();
  recomposed();
  if (auto owner = delegate()) owner->layerNeedsDisplay(*this);
}

void CALayer::recomposed() {
  ++contentGeneration_;
  moved();
}

void CALayer::moved() {
  ++generation_;
  for (CALayer* layer = superlayer_.lock().get(); layer; layer = layer->superlayer_.lock().get()) {
    ++layer->generation_;
    ++layer->contentGeneration_;
  }
}

LayerBacking& CALayer::backing() const {
  if (!backing_) backing_ = std::make_unique<LayerBacking>();
  return *backing_;
}

template <class Field>
bool CALayer::animate(std::string_view key, Field& field, const Field& value) {
  // Float properties animate as CGFloat, the one number type animations carry.
  using Value = std::conditional_t<std::is_same_v<Field, float>, CGFloat, Field>;
  if (field == value) return false;
  animateChange(key, presented(key, Value(field)), Value(value));
  field = value;
  return true;
}

CGRect CALayer::frame() const {
  const CGSize size = bounds_.size;
  const CGRect local(-anchorPoint_.x * size.width, -anchorPoint_.y * size.height, size.width, size.height);
  const CGAffineTransform t = affineProjection(transform_);
  return t.apply(local).offsetBy(position_.x, position_.y);
}

void CALayer::setFrame(const CGRect& newFrame) {
  const CGRect f = newFrame.standardized();
  if (f.isNull()) return;
  // The frame's size is the bounds' size only without a transform; with one, the bounds keep their
  // size and the frame's centre (anchor point) moves, as Core Animation does.
  if (transform_.isIdentity()) {
    setBounds(CGRect(bounds_.origin, f.size));
    setPosition({f.minX() + anchorPoint_.x * f.width(), f.minY() + anchorPoint_.y * f.height()});
  } else {
    const CGRect current = frame();
    setPosition({position_.x + f.midX() - current.midX(), position_.y + f.midY() - current.midY()});
  }
}

void CALayer::setBounds(const CGRect& bounds) {
  // A new origin only shifts what is drawn; a new size needs the content drawn again.
  const bool resized = bounds.size != bounds_.size;
  if (!animate("bounds", bounds_, bounds)) return;
  if (!resized) return recomposed();
  changed();
  setNeedsLayout();
}

void CALayer::setPosition(CGPoint position) {
  if (animate("position", position_, position)) moved();
}

void CALayer::setAnchorPoint(CGPoint anchorPoint) {
  if (assign(anchorPoint_, anchorPoint)) moved();
}

void CALayer::setZPosition(CGFloat z) {
  if (assign(zPosition_, z)) moved();
}

void CALayer::setTransform(const CATransform3D& transform) {
  if (animate("transform", transform_, transform)) moved();
}

CGAffineTransform CALayer::affineTransform() const { return CATransform3DGetAffineTransform(transform_); }

void CALayer::setAffineTransform(const CGAffineTransform& transform) {
  setTransform(CATransform3DMakeAffineTransform(transform));
}

void CALayer::setSublayerTransform(const CATransform3D& transform) {
  // Views that scroll their own drawing (text fields) draw under it too.
  if (assign(sublayerTransform_, transform)) changed();
}

void CALayer::setBackgroundColor(std::optional<CGColor> color) {
  if (animate("backgroundColor", backgroundColor_, color)) recomposed();
}

void CALayer::setCornerRadius(CGFloat radius) {
  if (animate("cornerRadius", cornerRadius_, radius)) recomposed();
}

void CALayer::setMasksToBounds(bool masks) {
  if (assign(masksToBounds_, masks)) recomposed();
}

void CALayer::setBorderWidth(CGFloat width) {
  if (assign(borderWidth_, width)) recomposed();
}

void CALayer::setBorderColor(std::optional<CGColor> color) {
  if (assign(borderColor_, color)) recomposed();
}

void CALayer::setOpacity(float opacity) {
  if (animate("opacity", opacity_, opacity)) moved();
}

void CALayer::setHidden(bool hidden) {
  if (assign(hidden_, hidden)) moved();
}

void CALayer::setOpaque(bool opaque) {
  if (assign(opaque_, opaque)) recomposed();
}

void CALayer::setShadowColor(std::optional<CGColor> color) {
  if (assign(shadowColor_, color)) moved();
}

void CALayer::setShadowOpacity(float opacity) {
  if (animate("shadowOpacity", shadowOpacity_, opacity)) moved();
}

void CALayer::setShadowOffset(CGSize offset) {
  if (animate("shadowOffset", shadowOffset_, offset)) moved();
}

void CALayer::setShadowRadius(CGFloat radius) {
  if (animate("shadowRadius", shadowRadius_, radius)) moved();
}

void CALayer::setShadowPath(std::optional<CGPath> path) {
  if (assign(shadowPath_, path)) moved();
}

bool CALayer::hasVisibleShadow() const {
  return !masksToBounds_ && shadowOpacity_ > 0 && shadowColor_ && shadowColor_->alpha() > 0;
}

void CALayer::setMask(std::shared_ptr<CALayer> mask) {
  if (mask_ == mask) return;
  if (mask) mask->removeFromSuperlayer();
  mask_ = std::move(mask);
  recomposed();
}

void CALayer::setContents(std::shared_ptr<const CGImage> image) {
  if (assign(contents_, image)) changed();
}

void CALayer::setContentsGravity(CALayerContentsGravity gravity) {
  if (assign(contentsGravity_, gravity)) changed();
}

void CALayer::setContentsScale(CGFloat scale) {
  if (scale > 0 && assign(contentsScale_, scale)) changed();
}

void CALayer::addSublayer(const std::shared_ptr<CALayer>& layer) { insertSublayer(layer, sublayers_.size()); }

void CALayer::insertSublayer(const std::shared_ptr<CALayer>& layer, std::size_t index) {
  if (!layer || layer.get() == this) return;
  // A layer cannot become its own ancestor's sublayer.
  for (auto ancestor = superlayer(); ancestor; ancestor = ancestor->superlayer())
    if (ancestor == layer) return;
  if (layer->superlayer().get() == this) {
    auto it = std::find(sublayers_.begin(), sublayers_.end(), layer);
    const auto from = static_cast<std::size_t>(it - sublayers_.begin());
    sublayers_.erase(it);
    if (from < index) --index;
  } else {
    layer->removeFromSuperlayer();
  }
  index = std::min(index, sublayers_.size());
  sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), layer);
  layer->superlayer_ = std::static_pointer_cast<CALayer>(shared_from_this());
  recomposed();
}

void CALayer::insertSublayer(const std::shared_ptr<CALayer>& layer, const std::shared_ptr<CALayer>& sibling,
                             bool above) {
  auto it = std::find(sublayers_.begin(), sublayers_.end(), sibling);
  if (it == sublayers_.end()) {
    insertSublayer(layer, above ? sublayers_.size() : 0);
    return;
  }
  const auto index = static_cast<std::size_t>(it - sublayers_.begin());
  insertSublayer(layer, above ? index + 1 : index);
}

void CALayer::removeFromSuperlayer() {
  auto parent = superlayer();
  if (!parent) return;
  auto& siblings = parent->sublayers_;
  // Keep this layer alive while it leaves its parent's list.
  auto self = std::static_pointer_cast<CALayer>(shared_from_this());
  siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
  superlayer_.reset();
  parent->recomposed();
}

void CALayer::replaceSublayer(const std::shared_ptr<CALayer>& old, const std::shared_ptr<CALayer>& replacement) {
  auto it = std::find(sublayers_.begin(), sublayers_.end(), old);
  if (it == sublayers_.end() || !replacement) return;
  const auto index = static_cast<std::size_t>(it - sublayers_.begin());
  old->removeFromSuperlayer();
  insertSublayer(replacement, index);
}

void CALayer::setNeedsDisplay() { changed(); }

void CALayer::draw(CGContext& context) const {
  if (auto owner = delegate()) owner->drawLayer(*this, context);
}

void CALayer::render(CGContext& context) const { Renderer::render(*this, context); }

void CALayer::setNeedsLayout() {
  needsLayout_ = true;
  if (auto owner = delegate()) owner->layerNeedsLayout(*this);
}

void CALayer::layoutIfNeeded() {
  if (!needsLayout_) return;
  needsLayout_ = false;
  layoutSublayers();
}

void CALayer::layoutSublayers() {
  if (auto owner = delegate()) owner->layoutSublayers(*this);
}

CGAffineTransform CALayer::placement(const CGRect& bounds, CGPoint anchorPoint, CGPoint position,
                                     const CATransform3D& transform) {
  // Bounds origin to the anchor point, then the layer's transform about it, then to the position.
  const CGPoint anchor{bounds.origin.x + anchorPoint.x * bounds.size.width,
                       bounds.origin.y + anchorPoint.y * bounds.size.height};
  return CGAffineTransform::translation(-anchor.x, -anchor.y)
      .concatenating(affineProjection(transform))
      .concatenating(CGAffineTransform::translation(position.x, position.y));
}

CGAffineTransform CALayer::transformToSuperlayer() const {
  CGAffineTransform t = placement(bounds_, anchorPoint_, position_, transform_);
  if (auto parent = superlayer(); parent && !parent->sublayerTransform_.isIdentity()) {
    // The superlayer's sublayer transform applies about its own anchor point.
    const CGRect pb = parent->bounds_;
    const CGPoint pa{pb.origin.x + parent->anchorPoint_.x * pb.width(), pb.origin.y + parent->anchorPoint_.y * pb.height()};
    t = t.concatenating(CGAffineTransform::translation(-pa.x, -pa.y))
            .concatenating(affineProjection(parent->sublayerTransform_))
            .concatenating(CGAffineTransform::translation(pa.x, pa.y));
  }
  return t;
}

CGAffineTransform CALayer::presentedTransformToSuperlayer() const {
  if (animations_.empty()) return transformToSuperlayer();
  const Presentation p = presentation();
  CGAffineTransform t = placement(p.bounds, anchorPoint_, p.position, p.transform);
  if (auto parent = superlayer(); parent && !parent->sublayerTransform_.isIdentity()) {
    const CGRect pb = parent->bounds_;
    const CGPoint pa{pb.origin.x + parent->anchorPoint_.x * pb.width(), pb.origin.y + parent->anchorPoint_.y * pb.height()};
    t = t.concatenating(CGAffineTransform::translation(-pa.x, -pa.y))
            .concatenating(affineProjection(parent->sublayerTransform_))
            .concatenating(CGAffineTransform::translation(pa.x, pa.y));
  }
  return t;
}

CGAffineTransform CALayer::transformToRoot() const {
  CGAffineTransform t = CGAffineTransform::identity;
  for (const CALayer* layer = this; layer;) {
    auto parent = layer->superlayer();
    if (!parent) break;
    t = t.concatenating(layer->transformToSuperlayer());
    layer = parent.get();
  }
  return t;
}

CGPoint CALayer::convert(CGPoint point, const CALayer* to) const {
  const CGPoint inRoot = transformToRoot().apply(point);
  return to ? to->transformToRoot().inverted().apply(inRoot) : inRoot;
}

CGPoint CALayer::convertFrom(CGPoint point, const CALayer* from) const {
  const CGPoint inRoot = from ? from->transformToRoot().apply(point) : point;
  return transformToRoot().inverted().apply(inRoot);
}

CGRect CALayer::convert(const CGRect& rect, const CALayer* to) const {
  const CGRect inRoot = transformToRoot().apply(rect);
  return to ? to->transformToRoot().inverted().apply(inRoot) : inRoot;
}

CGRect CALayer::convertFrom(const CGRect& rect, const CALayer* from) const {
  const CGRect inRoot = from ? from->transformToRoot().apply(rect) : rect;
  return transformToRoot().inverted().apply(inRoot);
}

namespace {

CGFloat lerp(CGFloat a, CGFloat b, double p) { return a + (b - a) * p; }

// Cubic Bézier timing from (0, 0) to (1, 1) with control points (x1, y1) and (x2, y2).
double bezierTiming(double x1, double y1, double x2, double y2, double progress) {
  auto coordinate = [](double a, double b, double t) {
    return 3 * a * (1 - t) * (1 - t) * t + 3 * b * (1 - t) * t * t + t * t * t;
  };
  double lo = 0, hi = 1, t = progress;
  for (int i = 0; i < 40; ++i) {  // bisection: x(t) is monotonic for these curves
    t = (lo + hi) / 2;
    if (coordinate(x1, x2, t) < progress) {
      lo = t;
    } else {
      hi = t;
    }
  }
  return coordinate(y1, y2, t);
}

// A damped spring that settles at 1 by the end of `duration`, starting at 0 with `velocity`
// (in distances per second).
double springTiming(double damping, double velocity, double duration, double elapsed) {
  const double zeta = std::clamp(damping, 0.01, 1.0);
  // Stiff enough that the envelope has decayed to a thousandth at the end.
  const double omega = std::log(1000.0) / (zeta * duration);
  const double t = elapsed;
  if (zeta >= 1) {
    return 1 - std::exp(-omega * t) * (1 + (omega - velocity) * t);
  }
  const double omegaD = omega * std::sqrt(1 - zeta * zeta);
  return 1 - std::exp(-zeta * omega * t) * (std::cos(omegaD * t) + ((zeta * omega - velocity) / omegaD) * std::sin(omegaD * t));
}

double progressAt(const CAAnimationSettings& settings, double elapsed) {
  if (settings.duration <= 0 || elapsed >= settings.duration) return 1;
  if (elapsed <= 0) return 0;
  if (settings.springDamping) return springTiming(*settings.springDamping, settings.springVelocity, settings.duration, elapsed);
  const double x = elapsed / settings.duration;
  switch (settings.curve) {
    case CAAnimationCurve::linear: return x;
    case CAAnimationCurve::easeIn: return bezierTiming(0.42, 0, 1, 1, x);
    case CAAnimationCurve::easeOut: return bezierTiming(0, 0, 0.58, 1, x);
    case CAAnimationCurve::easeInOut: return bezierTiming(0.42, 0, 0.58, 1, x);
  }
  return x;
}

CALayer::AnimatableValue interpolate(const CALayer::AnimatableValue& from, const CALayer::AnimatableValue& to, double p) {
  if (from.index() != to.index()) return to;
  if (auto* a = std::get_if<CGFloat>(&from)) return lerp(*a, std::get<CGFloat>(to), p);
  if (auto* a = std::get_if<CGPoint>(&from)) {
    const auto& b = std::get<CGPoint>(to);
    return CGPoint{lerp(a->x, b.x, p), lerp(a->y, b.y, p)};
  }
  if (auto* a = std::get_if<CGSize>(&from)) {
    const auto& b = std::get<CGSize>(to);
    return CGSize{lerp(a->width, b.width, p), lerp(a->height, b.height, p)};
  }
  if (auto* a = std::get_if<CGRect>(&from)) {
    const auto& b = std::get<CGRect>(to);
    return CGRect(lerp(a->origin.x, b.origin.x, p), lerp(a->origin.y, b.origin.y, p),
                  lerp(a->size.width, b.size.width, p), lerp(a->size.height, b.size.height, p));
  }
  if (auto* a = std::get_if<CATransform3D>(&from)) {
    const auto& b = std::get<CATransform3D>(to);
    CATransform3D r;
    const CGFloat* x = &a->m11;
    const CGFloat* y = &b.m11;
    CGFloat* out = &r.m11;
    for (int i = 0; i < 16; ++i) out[i] = lerp(x[i], y[i], p);
    return r;
  }
  const auto& a = std::get<std::optional<CGColor>>(from);
  const auto& b = std::get<std::optional<CGColor>>(to);
  // A missing colour fades as the other colour made transparent.
  const CGColor ca = a ? *a : (b ? b->withAlpha(0) : CGColor::clear());
  const CGColor cb = b ? *b : ca.withAlpha(0);
  const auto x = ca.rgba(), y = cb.rgba();
  return std::optional<CGColor>(CGColor::rgb(lerp(x.red, y.red, p), lerp(x.green, y.green, p),
                                             lerp(x.blue, y.blue, p), lerp(x.alpha, y.alpha, p)));
}

std::uint64_t nextAnimationId() {
  static std::uint64_t next = 0;
  return ++next;
}

}  // namespace

template <class T>
T CALayer::presented(std::string_view key, const T& model) const {
  auto it = animations_.find(key);
  if (it == animations_.end()) return model;
  const auto& animation = it->second;
  const double elapsed = RunLoop::main().now() - animation.begin;
  if (elapsed < 0) return std::get<T>(animation.from);
  return std::get<T>(interpolate(animation.from, animation.to, progressAt(animation.settings, elapsed)));
}

void CALayer::animateChange(std::string_view key, AnimatableValue from, AnimatableValue to) {
  const CAAnimationSettings* settings = CATransaction::currentAnimation();
  removeAnimation(key);
  if (!settings) return;
  PropertyAnimation animation;
  animation.from = std::move(from);
  animation.to = std::move(to);
  animation.settings = *settings;
  animation.begin = RunLoop::main().now() + settings->delay;
  animation.id = nextAnimationId();
  animation.groups = CATransaction::currentGroups();
  for (auto& group : animation.groups) group->animationAdded();
  const std::string name(key);
  std::weak_ptr<CALayer> weak = std::static_pointer_cast<CALayer>(shared_from_this());
  RunLoop::main().performAfter(settings->delay + std::max(0.0, settings->duration), [weak, name, id = animation.id] {
    if (auto layer = weak.lock()) layer->endAnimation(name, id);
  });
  animations_.emplace(name, std::move(animation));
}

void CALayer::endAnimation(const std::string& key, std::uint64_t id) {
  auto it = animations_.find(key);
  if (it == animations_.end() || it->second.id != id) return;
  auto groups = std::move(it->second.groups);
  animations_.erase(it);
  recomposed();
  for (auto& group : groups) group->animationEnded(true);
}

std::vector<std::string> CALayer::animationKeys() const {
  std::vector<std::string> keys;
  for (const auto& [key, animation] : animations_) keys.push_back(key);
  return keys;
}

void CALayer::removeAnimation(std::string_view key) {
  auto it = animations_.find(key);
  if (it == animations_.end()) return;
  auto groups = std::move(it->second.groups);
  animations_.erase(it);
  for (auto& group : groups) group->animationEnded(false);
}

void CALayer::removeAllAnimations() {
  while (!animations_.empty()) removeAnimation(animations_.begin()->first);
}

CALayer::Presentation CALayer::presentation() const {
  return {presented("bounds", bounds_),
          presented("position", position_),
          presented("opacity", CGFloat(opacity_)),
          presented("transform", transform_),
          presented("backgroundColor", backgroundColor_),
          presented("cornerRadius", cornerRadius_),
          presented("shadowOpacity", CGFloat(shadowOpacity_)),
          presented("shadowOffset", shadowOffset_),
          presented("shadowRadius", shadowRadius_)};
}

}  // namespace ios
