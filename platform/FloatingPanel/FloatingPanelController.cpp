#include <FloatingPanel/FloatingPanelController.h>

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIScreen.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace ios {

namespace {

// The scroll views' normal deceleration: a release at v points per second would coast this many
// seconds' worth of v before stopping (r / (1 - r) milliseconds, r = 0.998 per millisecond).
constexpr CGFloat kProjectionSeconds = 0.998 / (1 - 0.998) / 1000;
constexpr CGFloat kTolerance = 0.5;

// The controller's root view: it lays the panel out with its own bounds, and a touch that meets
// neither the backdrop nor the surface goes to the views below.
class PassThroughView : public UIView {
 public:
  std::function<void()> onLayout;
  std::function<bool()> sliding;

  std::shared_ptr<UIView> hitTest(CGPoint point, const UIEvent* event) override {
    auto hit = UIView::hitTest(point, event);
    return hit.get() == this ? nullptr : hit;
  }
  void layoutSubviews() override {
    if (onLayout) onLayout();
  }
  // The surface slides on timers, frame by frame, not as a layer animation.
  bool isMovingByItself() const override { return sliding && sliding(); }
};

double easeOut(double t) {
  return 1 - std::pow(1 - t, 3);
}

}  // namespace

// The panel's running move. Only the scheduled frame holds it, so that a completion which holds the
// panel's owner cannot keep the two alive once the run loop drops the frame.
struct FloatingPanelAnimationState {
  CGFloat fromY;
  FloatingPanelPosition to;
  double start;
  std::function<void()> completion;
  bool reportsDeceleration;
};

class FloatingPanelController::PanDelegate : public UIGestureRecognizerDelegate {
 public:
  explicit PanDelegate(std::weak_ptr<FloatingPanelController> owner) : owner_(std::move(owner)) {}

  bool gestureRecognizerShouldBegin(UIGestureRecognizer&) override {
    auto owner = owner_.lock();
    if (!owner || !owner->parent()) return false;
    auto delegate = owner->delegate();
    return !delegate || delegate->floatingPanelShouldBeginDragging(*owner);
  }

  bool shouldRecognizeSimultaneouslyWith(UIGestureRecognizer&, UIGestureRecognizer& other) override {
    auto owner = owner_.lock();
    if (!owner) return false;
    if (auto scrollView = owner->scrollView();
        scrollView && scrollView->panGestureRecognizer().get() == &other)
      return true;
    auto delegate = owner->delegate();
    return delegate && delegate->shouldRecognizeSimultaneouslyWith(*owner, other);
  }

 private:
  std::weak_ptr<FloatingPanelController> owner_;
};

std::shared_ptr<FloatingPanelController> FloatingPanelController::create(
    std::weak_ptr<FloatingPanelControllerDelegate> delegate) {
  auto controller = std::make_shared<FloatingPanelController>();
  controller->installPan();
  controller->setDelegate(std::move(delegate));
  return controller;
}

void FloatingPanelController::installPan() {
  // Wiring needs the controller in a shared_ptr, which the constructor does not have yet.
  if (panDelegate_) return;
  std::weak_ptr<FloatingPanelController> weak =
      std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  pan_->addAction([weak](UIGestureRecognizer& recognizer) {
    if (auto self = weak.lock()) self->handlePan(static_cast<UIPanGestureRecognizer&>(recognizer));
  });
  panDelegate_ = std::make_shared<PanDelegate>(weak);
  pan_->setDelegate(panDelegate_);
  surfaceView_->addGestureRecognizer(pan_);
}

FloatingPanelController::FloatingPanelController()
    : layout_(std::make_shared<FloatingPanelDefaultLayout>()),
      surfaceView_(FloatingPanelSurfaceView::create()),
      backdropView_(FloatingPanelBackdropView::create()),
      pan_(std::make_shared<UIPanGestureRecognizer>()) {}

FloatingPanelController::~FloatingPanelController() {
  if (animationTask_) RunLoop::main().cancel(animationTask_);
}

void FloatingPanelController::loadView() {
  installPan();
  auto root = std::make_shared<PassThroughView>();
  std::weak_ptr<FloatingPanelController> weak =
      std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  root->onLayout = [weak] {
    if (auto self = weak.lock()) self->layoutPanel();
  };
  root->sliding = [weak] {
    auto self = weak.lock();
    return self && self->isAnimating();
  };
  root->setFrame(UIScreen::main()->bounds());
  root->addSubview(backdropView_);
  root->addSubview(surfaceView_);
  setView(root);
}

void FloatingPanelController::setDelegate(std::weak_ptr<FloatingPanelControllerDelegate> delegate) {
  delegate_ = std::move(delegate);
  updateLayout();
}

void FloatingPanelController::updateLayout() {
  std::shared_ptr<FloatingPanelLayout> layout;
  if (auto delegate = this->delegate()) layout = delegate->layoutFor(*this);
  layout_ = layout ? std::move(layout) : std::make_shared<FloatingPanelDefaultLayout>();
  if (parent() && !isAnimating() && !dragMovedPanel_) placeSurface(originYOfSurface(position_));
}

void FloatingPanelController::set(const std::shared_ptr<UIViewController>& contentViewController) {
  if (content_ == contentViewController) return;
  if (content_) {
    content_->willMoveToParent(nullptr);
    if (content_->isViewLoaded()) content_->view()->removeFromSuperview();
    content_->removeFromParent();
  }
  content_ = contentViewController;
  if (!content_) return;
  addChild(content_);
  const auto& contentView = content_->view();
  contentView->setFrame(surfaceView_->contentView()->bounds());
  surfaceView_->contentView()->addSubview(contentView);
  surfaceView_->setNeedsLayout();
  content_->didMoveToParent(std::static_pointer_cast<UIViewController>(shared_from_this()));
}

void FloatingPanelController::track(const std::shared_ptr<UIScrollView>& scrollView) {
  scrollView_ = scrollView;
}

// ---- Placement ----

CGFloat FloatingPanelController::parentHeight() const {
  if (isViewLoaded()) return const_cast<FloatingPanelController*>(this)->view()->bounds().height();
  return UIScreen::main()->bounds().height();
}

UIEdgeInsets FloatingPanelController::parentSafeArea() const {
  if (!isViewLoaded()) return UIEdgeInsets{};
  return const_cast<FloatingPanelController*>(this)->view()->safeAreaInsets();
}

CGFloat FloatingPanelController::originYOfSurface(FloatingPanelPosition position) const {
  const CGFloat height = parentHeight();
  if (position == FloatingPanelPosition::hidden) return height;
  const auto inset = layout_->insetFor(position);
  if (!inset) return height;
  const bool safe = layout_->positionReference() == FloatingPanelLayoutReference::fromSafeArea;
  const UIEdgeInsets area = safe ? parentSafeArea() : UIEdgeInsets{};
  if (position == FloatingPanelPosition::full) return area.top + *inset;
  return height - area.bottom - *inset;
}

std::set<FloatingPanelPosition> FloatingPanelController::supported() const {
  auto positions = layout_->supportedPositions();
  if (positions.empty()) positions.insert(layout_->initialPosition());
  return positions;
}

std::pair<CGFloat, CGFloat> FloatingPanelController::dragRange() const {
  CGFloat top = parentHeight();
  CGFloat bottom = 0;
  for (auto position : supported()) {
    top = std::min(top, originYOfSurface(position));
    bottom = std::max(bottom, originYOfSurface(position));
  }
  return {top - layout_->topInteractionBuffer(), bottom + layout_->bottomInteractionBuffer()};
}

CGFloat FloatingPanelController::backdropAlphaAt(CGFloat y) const {
  std::vector<std::pair<CGFloat, CGFloat>> stops;  // (y, alpha), top first
  for (auto position : supported())
    stops.emplace_back(originYOfSurface(position), layout_->backdropAlphaFor(position));
  std::sort(stops.begin(), stops.end());
  if (y <= stops.front().first) return stops.front().second;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (y > stops[i].first) continue;
    const auto [y0, a0] = stops[i - 1];
    const auto [y1, a1] = stops[i];
    return y1 - y0 < kTolerance ? a1 : a0 + (a1 - a0) * (y - y0) / (y1 - y0);
  }
  return stops.back().second;
}

void FloatingPanelController::placeSurface(CGFloat y) {
  if (!isViewLoaded()) return;
  const CGRect area = view()->bounds();
  CGFloat top = area.height();
  for (auto position : supported()) top = std::min(top, originYOfSurface(position));
  surfaceView_->setFrame(CGRect(0, y, area.width(), std::max<CGFloat>(0, area.height() - top)));
  backdropView_->setFrame(area);
  backdropView_->setAlpha(backdropAlphaAt(y));
}

void FloatingPanelController::layoutPanel() {
  if (isAnimating() || dragMovedPanel_) {
    placeSurface(surfaceY());
  } else {
    placeSurface(originYOfSurface(position_));
  }
}

void FloatingPanelController::setPosition(FloatingPanelPosition position) {
  if (position_ == position) return;
  position_ = position;
  if (auto delegate = this->delegate()) delegate->floatingPanelDidChangePosition(*this);
}

// ---- Adding, removing, moving ----

void FloatingPanelController::addPanel(const std::shared_ptr<UIViewController>& parent,
                                       const std::shared_ptr<UIView>& belowView, bool animated) {
  if (!parent || this->parent()) return;
  auto self = std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  const auto& root = view();
  const auto& host = parent->view();
  root->setFrame(host->bounds());
  if (belowView && belowView->superview() == host) {
    host->insertSubview(root, belowView, false);
  } else {
    host->addSubview(root);
  }
  root->setTranslatesAutoresizingMaskIntoConstraints(false);
  NSLayoutConstraint::activate({root->topAnchor().constraintEqualTo(host->topAnchor()),
                                root->bottomAnchor().constraintEqualTo(host->bottomAnchor()),
                                root->leadingAnchor().constraintEqualTo(host->leadingAnchor()),
                                root->trailingAnchor().constraintEqualTo(host->trailingAnchor())});
  parent->addChild(self);
  const auto initial = layout_->initialPosition();
  if (animated) {
    position_ = FloatingPanelPosition::hidden;
    placeSurface(originYOfSurface(FloatingPanelPosition::hidden));
    move(initial, true);
  } else {
    position_ = initial;
    placeSurface(originYOfSurface(initial));
  }
  didMoveToParent(parent);
}

void FloatingPanelController::removePanelFromParent(bool animated, std::function<void()> completion) {
  if (!parent()) {
    if (completion) completion();
    return;
  }
  if (!animated) {
    finishRemoval(std::move(completion));
    return;
  }
  std::weak_ptr<FloatingPanelController> weak =
      std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  startAnimation(
      FloatingPanelPosition::hidden,
      [weak, completion = std::move(completion)]() mutable {
        if (auto self = weak.lock()) self->finishRemoval(std::move(completion));
      },
      false);
}

void FloatingPanelController::finishRemoval(std::function<void()> completion) {
  auto self = std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  stopAnimation();
  dragging_ = dragMovedPanel_ = false;
  willMoveToParent(nullptr);
  view()->removeFromSuperview();
  removeFromParent();
  if (auto delegate = this->delegate()) delegate->floatingPanelDidEndRemove(*this);
  if (completion) completion();
}

void FloatingPanelController::move(FloatingPanelPosition to, bool animated,
                                   std::function<void()> completion) {
  auto self = std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  if (!animated || !parent()) {
    stopAnimation();
    setPosition(to);
    placeSurface(originYOfSurface(to));
    if (completion) completion();
    return;
  }
  startAnimation(to, std::move(completion), false);
}

// ---- Animation ----

void FloatingPanelController::startAnimation(FloatingPanelPosition to, std::function<void()> completion,
                                             bool reportsDeceleration) {
  auto self = std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  stopAnimation();
  auto state = std::make_shared<FloatingPanelAnimationState>(FloatingPanelAnimationState{
      surfaceY(), to, RunLoop::main().now(), std::move(completion), reportsDeceleration});
  animation_ = state;
  setPosition(to);
  if (reportsDeceleration) {
    if (auto delegate = this->delegate()) delegate->floatingPanelWillBeginDecelerating(*this);
  }
  if (animation_.lock() != state) return;  // the delegate started something else
  // Disabled animations still finish on a later turn, as the platform's animation blocks do.
  const double first = UIView::areAnimationsEnabled() ? std::min(frameInterval, animationDuration) : 0;
  animationTask_ = RunLoop::main().performAfter(first, [self, state] { self->stepAnimation(state); });
}

void FloatingPanelController::stepAnimation(const std::shared_ptr<FloatingPanelAnimationState>& state) {
  animationTask_ = 0;
  const double remaining = state->start + animationDuration - RunLoop::main().now();
  // The clock keeps whole nanoseconds: within a microsecond of the end counts as the end.
  const double t = UIView::areAnimationsEnabled() && remaining > 1e-6
                       ? std::clamp(1 - remaining / animationDuration, 0.0, 1.0)
                       : 1.0;
  const CGFloat targetY = originYOfSurface(state->to);
  placeSurface(state->fromY + (targetY - state->fromY) * easeOut(t));
  if (t < 1) {
    auto self = std::static_pointer_cast<FloatingPanelController>(shared_from_this());
    animationTask_ = RunLoop::main().performAfter(std::min(frameInterval, remaining),
                                                  [self, state] { self->stepAnimation(state); });
    return;
  }
  animation_.reset();
  if (state->reportsDeceleration) {
    if (auto delegate = this->delegate()) delegate->floatingPanelDidEndDecelerating(*this);
  }
  if (state->completion) {
    auto completion = std::move(state->completion);
    completion();
  }
}

void FloatingPanelController::stopAnimation() {
  if (animationTask_) RunLoop::main().cancel(animationTask_);
  animationTask_ = 0;
  animation_.reset();
}

// ---- Dragging ----

void FloatingPanelController::handlePan(UIPanGestureRecognizer& pan) {
  switch (pan.state()) {
    case UIGestureRecognizer::State::began:
      panBegan(pan);
      break;
    case UIGestureRecognizer::State::changed:
      panChanged(pan);
      break;
    case UIGestureRecognizer::State::ended:
    case UIGestureRecognizer::State::cancelled:
      panEnded(pan);
      break;
    default:
      break;
  }
}

void FloatingPanelController::panBegan(UIPanGestureRecognizer& pan) {
  dragging_ = true;
  dragMovedPanel_ = false;
  lastTranslationY_ = 0;
  touchInScrollView_ = false;
  if (auto scrollView = this->scrollView()) {
    const CGPoint point = pan.location(scrollView.get());
    touchInScrollView_ = scrollView->isDescendant(*surfaceView_) && scrollView->pointInside(point, nullptr);
  }
  panChanged(pan);
}

bool FloatingPanelController::scrollViewTakesMovement(CGFloat dy) const {
  auto scrollView = this->scrollView();
  if (!scrollView || !touchInScrollView_) return false;
  const CGFloat top = dragRange().first + layout_->topInteractionBuffer();
  if (std::abs(surfaceY() - top) > kTolerance) return false;
  const bool scrolled = scrollView->contentOffset().y > scrollView->minimumContentOffset().y + kTolerance;
  return scrolled || dy < 0;
}

void FloatingPanelController::pinScrollView() {
  auto scrollView = this->scrollView();
  if (!scrollView || !touchInScrollView_) return;
  const CGPoint top{scrollView->contentOffset().x, scrollView->minimumContentOffset().y};
  scrollView->setContentOffset(top, false);
}

void FloatingPanelController::panChanged(UIPanGestureRecognizer& pan) {
  if (!dragging_) return;
  const CGFloat translation = pan.translation(view().get()).y;
  const CGFloat dy = translation - lastTranslationY_;
  lastTranslationY_ = translation;
  if (dy == 0 || scrollViewTakesMovement(dy)) return;
  auto self = std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  auto delegate = this->delegate();
  if (!dragMovedPanel_) {
    stopAnimation();
    dragMovedPanel_ = true;
    if (delegate) delegate->floatingPanelWillBeginDragging(*this);
  }
  const auto [top, bottom] = dragRange();
  placeSurface(std::clamp(surfaceY() + dy, top, bottom));
  pinScrollView();
  if (delegate) delegate->floatingPanelDidMove(*this);
}

FloatingPanelPosition FloatingPanelController::targetPosition(CGFloat y, CGFloat velocityY) const {
  const CGFloat projected = y + velocityY * kProjectionSeconds;
  auto best = position_;
  CGFloat bestDistance = -1;
  for (auto position : supported()) {
    const CGFloat distance = std::abs(originYOfSurface(position) - projected);
    if (bestDistance < 0 || distance < bestDistance) {
      best = position;
      bestDistance = distance;
    }
  }
  return best;
}

void FloatingPanelController::panEnded(UIPanGestureRecognizer& pan) {
  const bool moved = dragging_ && dragMovedPanel_;
  dragging_ = false;
  if (!moved) return;
  auto self = std::static_pointer_cast<FloatingPanelController>(shared_from_this());
  pinScrollView();
  const CGPoint velocity = pan.velocity(view().get());
  const CGFloat y = surfaceY();
  const auto target = targetPosition(y, velocity.y);
  const CGFloat bottom = dragRange().second - layout_->bottomInteractionBuffer();
  const bool removes = isRemovalInteractionEnabled && velocity.y > 0 &&
                       y + velocity.y * kProjectionSeconds > parentHeight() &&
                       std::abs(originYOfSurface(target) - bottom) < kTolerance;
  auto delegate = this->delegate();
  if (removes) {
    dragMovedPanel_ = false;
    if (delegate) delegate->floatingPanelDidEndDraggingToRemove(*this, velocity);
    removePanelFromParent(true);
    return;
  }
  if (delegate) delegate->floatingPanelDidEndDragging(*this, velocity, target);
  dragMovedPanel_ = false;
  startAnimation(target, nullptr, true);
}

}  // namespace ios
