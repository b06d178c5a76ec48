#include <UIKit/UIScrollView.h>

#include <Foundation/Timer.h>
#include <UIKit/UIPanGestureRecognizer.h>
#include <UIKit/UIRefreshControl.h>
#include <UIKit/UIScreen.h>

#include <algorithm>
#include <cmath>

namespace ios {

namespace {

// A motion ends once the distance left is below this.
constexpr CGFloat kRestDistance = 0.5;
// Paging goes to the neighbouring page once the release is faster than this (points per ms).
constexpr CGFloat kPagingFlickVelocity = 0.1;

UIScrollView::RequireFailureHook& requireFailureHook() {
  static UIScrollView::RequireFailureHook hook;
  return hook;
}

// The finger's position for a content position, and back: outside [lo, hi] the content moves at
// half the finger's speed.
CGFloat fingerPosition(CGFloat pos, CGFloat lo, CGFloat hi) {
  if (pos < lo) return lo + 2 * (pos - lo);
  if (pos > hi) return hi + 2 * (pos - hi);
  return pos;
}

CGFloat contentPosition(CGFloat finger, CGFloat lo, CGFloat hi) {
  if (finger < lo) return lo + (finger - lo) / 2;
  if (finger > hi) return hi + (finger - hi) / 2;
  return finger;
}

// The nearest device pixel: content scrolled there keeps its pixel phase, so its layers composite
// without resampling and a renderer can move the pixels it already has.
CGFloat onPixelGrid(CGFloat value) {
  const CGFloat scale = UIScreen::main()->scale();
  return std::round(value * scale) / scale;
}

CGPoint onPixelGrid(CGPoint point) { return {onPixelGrid(point.x), onPixelGrid(point.y)}; }

CGFloat dragAxis(CGFloat pos, CGFloat delta, CGFloat lo, CGFloat hi, bool bounces) {
  if (!bounces) return std::clamp(pos + delta, lo, hi);
  return contentPosition(fingerPosition(pos, lo, hi) + delta, lo, hi);
}

const auto registration =
    ClassRegistration<UIScrollView, UIView>("UIScrollView")
        .factory([] { return UIScrollView::create(); })
        .property("contentOffset", &UIScrollView::contentOffset,
                  [](UIScrollView& view, CGPoint offset) { view.setContentOffset(offset); })
        .property("contentSize", &UIScrollView::contentSize, &UIScrollView::setContentSize)
        .property("contentInset", &UIScrollView::contentInset, &UIScrollView::setContentInset)
        .property("bounces", &UIScrollView::bounces)
        .property("alwaysBounceVertical", &UIScrollView::alwaysBounceVertical)
        .property("alwaysBounceHorizontal", &UIScrollView::alwaysBounceHorizontal)
        .property("pagingEnabled", &UIScrollView::isPagingEnabled)
        .property("scrollEnabled", &UIScrollView::isScrollEnabled, &UIScrollView::setScrollEnabled)
        .property("showsVerticalScrollIndicator", &UIScrollView::showsVerticalScrollIndicator)
        .property("showsHorizontalScrollIndicator", &UIScrollView::showsHorizontalScrollIndicator)
        .property("scrollsToTop", &UIScrollView::scrollsToTop)
        .property("delaysContentTouches", &UIScrollView::delaysContentTouches)
        .property("canCancelContentTouches", &UIScrollView::canCancelContentTouches)
        .property("decelerationRate", &UIScrollView::decelerationRate);

}  // namespace

// The scroll view's own pan: it also tells the scroll view when a finger goes down and when it
// lifts without having dragged.
class UIScrollView::PanRecognizer : public UIPanGestureRecognizer {
 public:
  std::weak_ptr<UIScrollView> owner;

  void touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override {
    UIPanGestureRecognizer::touchesBegan(touches, event);
    if (auto view = owner.lock()) view->touchDown();
  }
  void touchesEnded(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override {
    const bool dragged = state() == State::began || state() == State::changed;
    UIPanGestureRecognizer::touchesEnded(touches, event);
    if (auto view = owner.lock(); view && !dragged) view->touchUpWithoutDrag();
  }
  void touchesCancelled(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override {
    const bool dragged = state() == State::began || state() == State::changed;
    UIPanGestureRecognizer::touchesCancelled(touches, event);
    if (auto view = owner.lock(); view && !dragged) view->touchUpWithoutDrag();
  }
};

std::shared_ptr<UIScrollView> UIScrollView::create(const CGRect& frame) {
  return std::make_shared<UIScrollView>(frame);
}

UIScrollView::UIScrollView(const CGRect& frame) : UIView(frame), pan_(std::make_shared<PanRecognizer>()) {
  setClipsToBounds(true);
}

UIScrollView::~UIScrollView() {
  if (timer_) timer_->invalidate();
}

void UIScrollView::installPan() {
  if (panInstalled_) return;
  auto self = std::dynamic_pointer_cast<UIScrollView>(weak_from_this().lock());
  if (!self) return;  // not yet owned: installed on first use
  panInstalled_ = true;
  auto* pan = static_cast<PanRecognizer*>(pan_.get());
  pan->owner = self;
  pan->setDelegate(std::static_pointer_cast<UIGestureRecognizerDelegate>(self));
  pan->setEnabled(scrollEnabled_);
  std::weak_ptr<UIScrollView> weak = self;
  pan->addAction([weak](UIGestureRecognizer&) {
    if (auto view = weak.lock()) view->handlePan();
  });
  addGestureRecognizer(pan_);
}

const std::shared_ptr<UIPanGestureRecognizer>& UIScrollView::panGestureRecognizer() {
  installPan();
  return pan_;
}

void UIScrollView::willMoveToSuperview(const std::shared_ptr<UIView>& superview) {
  installPan();
  UIView::willMoveToSuperview(superview);
}

void UIScrollView::setScrollEnabled(bool enabled) {
  scrollEnabled_ = enabled;
  pan_->setEnabled(enabled);
}

// ---- Offset, size and insets

void UIScrollView::setContentOffset(CGPoint offset) {
  setOffsetInternal(offset);
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
  if (!animated || !UIView::areAnimationsEnabled()) {
    stopMotion();
    setOffsetInternal(offset);
    return;
  }
  if (onPixelGrid(offset) == contentOffset()) return;
  startMotion(Motion::animating, offset, decelerationRate, scrollAnimationDuration);
}

CGPoint UIScrollView::exactOffset() const {
  // Bounds set directly, not through the offset, are where the content is.
  return onPixelGrid(exactOffset_) == contentOffset() ? exactOffset_ : contentOffset();
}

void UIScrollView::setOffsetInternal(CGPoint offset) {
  exactOffset_ = offset;
  const CGPoint shown = onPixelGrid(offset);
  if (shown == contentOffset()) return;
  auto self = weak_from_this().lock();  // a callback may drop the last other reference
  CGRect b = bounds();
  b.origin = shown;
  setBounds(b);
  setNeedsLayout();
  if (auto control = refreshControl_.lock()) control->scrollViewDidChangeOffset(*this);
  contentOffsetDidChange();
  if (auto d = delegate()) d->scrollViewDidScroll(*this);
}

void UIScrollView::setContentSize(CGSize size) {
  if (size == contentSize_) return;
  contentSize_ = size;
  setNeedsLayout();
}

void UIScrollView::setContentInset(const UIEdgeInsets& inset) {
  if (inset == contentInset_) return;
  contentInset_ = inset;
  setNeedsLayout();
}

void UIScrollView::setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior behavior) {
  if (behavior == adjustmentBehavior_) return;
  adjustmentBehavior_ = behavior;
  updateAdjustedInset();
}

UIEdgeInsets UIScrollView::adjustedContentInset() const {
  const CGFloat refresh = refreshControl_.expired() ? 0 : refreshControl_.lock()->insetContribution();
  return {contentInset_.top + safeAreaPart_.top + refresh, contentInset_.left + safeAreaPart_.left,
          contentInset_.bottom + safeAreaPart_.bottom, contentInset_.right + safeAreaPart_.right};
}

void UIScrollView::updateAdjustedInset() {
  using B = UIScrollViewContentInsetAdjustmentBehavior;
  UIEdgeInsets part;
  if (adjustmentBehavior_ != B::never) {
    const UIEdgeInsets safe = safeAreaInsets();
    const CGSize size = bounds().size;
    const bool all = adjustmentBehavior_ == B::always;
    if (all || alwaysBounceVertical || contentSize_.height > size.height) {
      part.top = safe.top;
      part.bottom = safe.bottom;
    }
    if (all || alwaysBounceHorizontal || contentSize_.width > size.width) {
      part.left = safe.left;
      part.right = safe.right;
    }
  }
  if (part == safeAreaPart_) return;
  const UIEdgeInsets old = adjustedContentInset();
  safeAreaPart_ = part;
  const UIEdgeInsets now = adjustedContentInset();
  // Content resting at its top (or left) edge stays there.
  CGPoint offset = exactOffset();
  if (offset.y == -old.top) offset.y = -now.top;
  if (offset.x == -old.left) offset.x = -now.left;
  setOffsetInternal(offset);
}

CGPoint UIScrollView::minimumContentOffset() const {
  const UIEdgeInsets inset = adjustedContentInset();
  return {-inset.left, -inset.top};
}

CGPoint UIScrollView::maximumContentOffset() const {
  const UIEdgeInsets inset = adjustedContentInset();
  const CGPoint lo = minimumContentOffset();
  const CGSize size = bounds().size;
  return {std::max(lo.x, contentSize_.width + inset.right - size.width),
          std::max(lo.y, contentSize_.height + inset.bottom - size.height)};
}

CGPoint UIScrollView::clampedToRange(CGPoint offset) const {
  const CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
  return {std::clamp(offset.x, lo.x, hi.x), std::clamp(offset.y, lo.y, hi.y)};
}

void UIScrollView::clampContentOffset() {
  if (tracking_ || dragging_ || motion_ != Motion::none) return;
  const CGPoint offset = exactOffset();
  const CGPoint hi = maximumContentOffset();
  // Only content that shrank is pulled back; an offset above the top stays (a refresh in view).
  CGPoint clamped = offset;
  if (offset.y > hi.y) clamped.y = hi.y;
  if (offset.x > hi.x) clamped.x = hi.x;
  setOffsetInternal(clamped);
}

bool UIScrollView::scrollsVertically() const {
  const UIEdgeInsets inset = adjustedContentInset();
  return alwaysBounceVertical || contentSize_.height + inset.top + inset.bottom > bounds().size.height;
}

bool UIScrollView::scrollsHorizontally() const {
  const UIEdgeInsets inset = adjustedContentInset();
  return alwaysBounceHorizontal || contentSize_.width + inset.left + inset.right > bounds().size.width;
}

void UIScrollView::scrollRectToVisible(const CGRect& rect, bool animated) {
  const CGRect visible = bounds();
  CGPoint offset = visible.origin;
  if (rect.minY() < visible.minY()) {
    offset.y = rect.minY();
  } else if (rect.maxY() > visible.maxY()) {
    offset.y = std::min(rect.minY(), rect.maxY() - visible.height());
  }
  if (rect.minX() < visible.minX()) {
    offset.x = rect.minX();
  } else if (rect.maxX() > visible.maxX()) {
    offset.x = std::min(rect.minX(), rect.maxX() - visible.width());
  }
  setContentOffset(clampedToRange(offset), animated);
}

// ---- Refresh control

void UIScrollView::didAddSubview(const std::shared_ptr<UIView>& subview) {
  UIView::didAddSubview(subview);
  if (auto control = std::dynamic_pointer_cast<UIRefreshControl>(subview)) {
    refreshControl_ = control;
    control->scrollViewDidChangeOffset(*this);
  }
}

void UIScrollView::setRefreshControl(const std::shared_ptr<UIRefreshControl>& control) {
  if (auto old = refreshControl_.lock(); old && old != control) old->removeFromSuperview();
  refreshControl_.reset();
  if (control) insertSubview(control, 0);
}

void UIScrollView::refreshInsetDidChange(CGFloat oldTop) {
  const CGFloat top = adjustedContentInset().top;
  if (dragging_ || top >= oldTop) return;
  // The spinner's band went away: bring content that showed it home.
  const CGPoint offset = contentOffset();
  if (offset.y < -top) setContentOffset({offset.x, -top}, true);
}

// ---- Layout

void UIScrollView::layoutSubviews() {
  UIView::layoutSubviews();
  updateAdjustedInset();
  if (auto control = refreshControl_.lock()) control->scrollViewDidChangeOffset(*this);
}

// ---- Dragging

bool UIScrollView::shouldRequireFailureOf(UIGestureRecognizer& recognizer, UIGestureRecognizer& other) {
  if (const auto& hook = requireFailureHook()) return hook(*this, recognizer, other);
  return false;
}

void UIScrollView::setRequireFailureHook(RequireFailureHook hook) {
  requireFailureHook() = std::move(hook);
}

void UIScrollView::touchDown() {
  tracking_ = true;
  touchStoppedMotion_ = motion_ != Motion::none;
  stopMotion();
}

void UIScrollView::touchUpWithoutDrag() {
  tracking_ = false;
  const CGPoint offset = exactOffset();
  // A pager caught between pages goes on to the nearest one.
  if (isPagingEnabled) {
    const CGPoint page = pagingTarget(CGPoint::zero);
    if (page != onPixelGrid(offset)) startMotion(Motion::decelerating, page, DecelerationRate::fast, pagingSettleDuration);
    return;
  }
  const CGPoint home = clampedToRange(offset);
  if (home != offset && bounces) startMotion(Motion::decelerating, home, DecelerationRate::fast, 0);
}

void UIScrollView::handlePan() {
  switch (pan_->state()) {
    case UIGestureRecognizer::State::began:
      panBegan();
      break;
    case UIGestureRecognizer::State::changed:
      panChanged();
      break;
    case UIGestureRecognizer::State::ended:
    case UIGestureRecognizer::State::cancelled:
      panEnded();
      break;
    default:
      break;
  }
}

void UIScrollView::panBegan() {
  stopMotion();
  dragging_ = true;
  tracking_ = true;
  lastTranslation_ = pan_->translation(this);
  if (auto d = delegate()) d->scrollViewWillBeginDragging(*this);
}

void UIScrollView::panChanged() {
  const CGPoint t = pan_->translation(this);
  const CGPoint moved{t.x - lastTranslation_.x, t.y - lastTranslation_.y};
  lastTranslation_ = t;
  const CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
  CGPoint offset = exactOffset();
  if (scrollsHorizontally()) offset.x = dragAxis(offset.x, -moved.x, lo.x, hi.x, bounces);
  if (scrollsVertically()) offset.y = dragAxis(offset.y, -moved.y, lo.y, hi.y, bounces);
  setOffsetInternal(offset);
}

CGPoint UIScrollView::releaseTarget(CGPoint velocity) {
  if (isPagingEnabled) return pagingTarget(velocity);
  const CGPoint offset = exactOffset();
  const CGFloat reach = decelerationRate / (1 - decelerationRate);
  return clampedToRange(onPixelGrid(CGPoint{offset.x + velocity.x * reach, offset.y + velocity.y * reach}));
}

CGPoint UIScrollView::pagingTarget(CGPoint velocity) const {
  const CGPoint offset = exactOffset();
  const CGSize page = bounds().size;
  auto axis = [](CGFloat pos, CGFloat v, CGFloat size) {
    if (size <= 0) return pos;
    const CGFloat p = pos / size;
    CGFloat index = std::round(p);
    if (v > kPagingFlickVelocity) index = std::floor(p) + 1;
    if (v < -kPagingFlickVelocity) index = std::ceil(p) - 1;
    return index * size;
  };
  return clampedToRange(onPixelGrid(CGPoint{axis(offset.x, velocity.x, page.width), axis(offset.y, velocity.y, page.height)}));
}

void UIScrollView::panEnded() {
  auto self = weak_from_this().lock();
  tracking_ = false;
  const CGPoint finger =
      pan_->state() == UIGestureRecognizer::State::ended ? pan_->velocity(this) : CGPoint::zero;
  // Points per millisecond, in the direction the offset moves.
  const CGPoint velocity{scrollsHorizontally() ? -finger.x / 1000 : 0,
                         scrollsVertically() ? -finger.y / 1000 : 0};
  if (auto control = refreshControl_.lock()) control->scrollViewDidRelease(*this);
  CGPoint target = releaseTarget(velocity);
  if (auto d = delegate()) d->scrollViewWillEndDragging(*this, velocity, target);
  dragging_ = false;
  target = clampedToRange(target);
  const CGPoint offset = exactOffset();
  const bool willDecelerate = target != onPixelGrid(offset);
  if (auto d = delegate()) d->scrollViewDidEndDragging(*this, willDecelerate);
  if (!willDecelerate || motion_ != Motion::none) return;
  if (auto d = delegate()) d->scrollViewWillBeginDecelerating(*this);
  // Settling on a page takes a fixed short time, however far the page is; bouncing back goes at the
  // fast rate, a flick at the view's own rate.
  const bool bounceBack = offset != clampedToRange(offset) && target == clampedToRange(offset);
  startMotion(Motion::decelerating, target, bounceBack ? DecelerationRate::fast : decelerationRate,
              isPagingEnabled ? pagingSettleDuration : 0);
}

// ---- Deceleration and animation, one step per frame on the run loop's clock

void UIScrollView::startMotion(Motion motion, CGPoint target, CGFloat rate, double duration) {
  stopMotion();
  motion_ = motion;
  motionStart_ = exactOffset();
  motionLast_ = motionStart_;
  motionTarget_ = target;
  motionRate_ = std::clamp<CGFloat>(rate, 0.5, 0.9999);
  motionDuration_ = duration;
  motionStartTime_ = RunLoop::main().now();
  std::weak_ptr<UIScrollView> weak = std::dynamic_pointer_cast<UIScrollView>(weak_from_this().lock());
  timer_ = Timer::scheduledTimer(frameInterval, true, [weak](Timer&) {
    if (auto view = weak.lock()) view->step();
  });
}

void UIScrollView::stopMotion() {
  if (timer_) timer_->invalidate();
  timer_.reset();
  motion_ = Motion::none;
}

void UIScrollView::step() {
  auto self = weak_from_this().lock();
  const double elapsed = RunLoop::main().now() - motionStartTime_;
  CGPoint physics;
  bool done = false;
  if (motion_ == Motion::animating) {
    const double u = motionDuration_ > 0 ? std::min(1.0, elapsed / motionDuration_) : 1.0;
    const double eased = u * u * (3 - 2 * u);
    physics = {motionStart_.x + (motionTarget_.x - motionStart_.x) * eased,
               motionStart_.y + (motionTarget_.y - motionStart_.y) * eased};
    done = u >= 1;
  } else {
    // A timed deceleration eases out (starting at three times its mean speed); an untimed one decays.
    const double left = motionDuration_ > 0 ? std::pow(1 - std::min(1.0, elapsed / motionDuration_), 3)
                                            : std::pow(motionRate_, elapsed * 1000);
    physics = {motionTarget_.x + (motionStart_.x - motionTarget_.x) * left,
               motionTarget_.y + (motionStart_.y - motionTarget_.y) * left};
    done = std::fabs(physics.x - motionTarget_.x) < kRestDistance &&
           std::fabs(physics.y - motionTarget_.y) < kRestDistance;
  }
  if (done) physics = motionTarget_;
  // Each frame adds its own step to wherever the content is now.
  const CGPoint current = exactOffset();
  CGPoint next = physics;
  if (current != motionLast_)
    next = {current.x + physics.x - motionLast_.x, current.y + physics.y - motionLast_.y};
  motionLast_ = physics;
  const Motion running = motion_;
  setOffsetInternal(next);
  if (motion_ != running) return;  // a callback started or stopped a motion
  if (done) finishMotion();
}

void UIScrollView::finishMotion() {
  const Motion finished = motion_;
  stopMotion();
  const CGPoint offset = exactOffset();
  const CGPoint home = clampedToRange(offset);
  if (finished == Motion::decelerating && home != offset && bounces && !tracking_) {
    startMotion(Motion::decelerating, home, DecelerationRate::fast, 0);  // bounce back before resting
    return;
  }
  if (auto d = delegate()) {
    if (finished == Motion::animating) {
      d->scrollViewDidEndScrollingAnimation(*this);
    } else {
      d->scrollViewDidEndDecelerating(*this);
    }
  }
}

}  // namespace ios
