#include <UIKit/UIView.h>

#include <QuartzCore/Renderer.h>
#include <UIKit/AutoLayoutState.h>
#include <UIKit/UIGestureRecognizer.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>

#include <algorithm>

namespace ios {

namespace {

// Below this alpha a view takes no touches, as on the platform.
constexpr CGFloat kMinimumHitAlpha = 0.01;

const auto registration =
    ClassRegistration<UIView, UIResponder>("UIView")
        .factory([] { return UIView::create(); })
        .property("frame", &UIView::frame, &UIView::setFrame)
        .property("bounds", &UIView::bounds, &UIView::setBounds)
        .property("center", &UIView::center, &UIView::setCenter)
        .property("alpha", &UIView::alpha, &UIView::setAlpha)
        .property("hidden", &UIView::isHidden, &UIView::setHidden)
        .property("backgroundColor", &UIView::backgroundColor, &UIView::setBackgroundColor)
        .property("clipsToBounds", &UIView::clipsToBounds, &UIView::setClipsToBounds)
        .property("opaque", &UIView::isOpaque, &UIView::setOpaque)
        .property("tintColor", &UIView::tintColor, &UIView::setTintColor)
        .property("userInteractionEnabled", &UIView::isUserInteractionEnabled, &UIView::setUserInteractionEnabled)
        .property("tag", &UIView::tag)
        .property("accessibilityIdentifier", &UIView::accessibilityIdentifier)
        .property("accessibilityLabel", &UIView::accessibilityLabel)
        .property("layer", [](const UIView& view) { return std::static_pointer_cast<NSObject>(view.layer()); })
        .property(
            "contentMode", [](const UIView& view) { return static_cast<int>(view.contentMode()); },
            [](UIView& view, int mode) {
              if (mode >= 0 && mode <= static_cast<int>(UIViewContentMode::bottomRight))
                view.setContentMode(static_cast<UIViewContentMode>(mode));
            });

}  // namespace

std::shared_ptr<UIView> UIView::create(const CGRect& frame) { return std::make_shared<UIView>(frame); }

UIView::UIView(const CGRect& frame, std::shared_ptr<CALayer> layer)
    : layer_(layer ? std::move(layer) : CALayer::create()) {
  layer_->setDelegate(this);
  layer_->setFrame(frame);
}

UIView::~UIView() {
  layer_->setDelegate(nullptr);
  for (auto& subview : subviews_) subview->superview_.reset();
}

void UIView::setFrame(const CGRect& frame) {
  const CGRect old = bounds();
  layer_->setFrame(frame);
  if (bounds().size != old.size) boundsDidChange(old);
  if (autoLayout_) autoLayoutGeometryDidChange();
}

void UIView::setBounds(const CGRect& bounds) {
  const CGRect old = this->bounds();
  layer_->setBounds(bounds);
  if (bounds.size != old.size) boundsDidChange(old);
  if (autoLayout_) autoLayoutGeometryDidChange();
}

void UIView::setCenter(CGPoint center) {
  layer_->setPosition(center);
  if (autoLayout_) autoLayoutGeometryDidChange();
}

void UIView::setTransform(const CGAffineTransform& transform) { layer_->setAffineTransform(transform); }

void UIView::setAlpha(CGFloat alpha) {
  if (alpha == alpha_) return;
  alpha_ = alpha;
  layer_->setOpacity(static_cast<float>(std::clamp<CGFloat>(alpha, 0, 1)));
}

void UIView::setHidden(bool hidden) {
  if (hidden == isHidden()) return;
  layer_->setHidden(hidden);
  if (auto parent = superview()) parent->subviewHiddenDidChange(*this);
}

void UIView::setBackgroundColor(std::shared_ptr<UIColor> color) {
  if (equalColors(color, backgroundColor_)) {
    backgroundColor_ = std::move(color);
    return;
  }
  backgroundColor_ = std::move(color);
  layer_->setBackgroundColor(backgroundColor_ ? std::optional<CGColor>(backgroundColor_->cgColor()) : std::nullopt);
}

void UIView::setContentMode(UIViewContentMode mode) {
  if (mode == contentMode_) return;
  contentMode_ = mode;
  setNeedsDisplay();
}

std::shared_ptr<UIColor> UIView::tintColor() const {
  for (const UIView* view = this; view; view = view->superview_.lock().get())
    if (view->tintColor_) return view->tintColor_;
  return UIColor::systemBlue();
}

void UIView::setTintColor(std::shared_ptr<UIColor> color) {
  if (equalColors(color, tintColor_)) return;
  tintColor_ = std::move(color);
  tintColorDidChange();
}

std::shared_ptr<UIWindow> UIView::window() const {
  const UIView* top = this;
  while (auto parent = top->superview_.lock()) top = parent.get();
  auto* window = dynamic_cast<const UIWindow*>(top);
  return window ? std::static_pointer_cast<UIWindow>(const_cast<UIWindow*>(window)->shared_from_this()) : nullptr;
}

void UIView::addSubview(const std::shared_ptr<UIView>& view) {
  insertSubview(view, view && view->superview().get() == this ? subviews_.size() - 1 : subviews_.size());
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, std::size_t index) {
  if (!view || view.get() == this || isDescendant(*view)) return;
  auto self = std::static_pointer_cast<UIView>(shared_from_this());
  if (view->superview() == self) {
    // Reordering among siblings: no hierarchy notifications.
    auto it = std::find(subviews_.begin(), subviews_.end(), view);
    subviews_.erase(it);
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
    attachLayer(view);
    return;
  }
  const auto oldWindow = view->window();
  const auto newWindow = window();
  const bool windowChanges = oldWindow != newWindow;
  view->willMoveToSuperview(self);
  if (windowChanges) view->notifyWillMoveToWindow(newWindow);
  view->detachFromSuperview(true);
  index = std::min(index, subviews_.size());
  subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
  view->superview_ = self;
  attachLayer(view);
  view->autoLayoutDidAttach();
  view->setNeedsLayout();
  view->didMoveToSuperview();
  if (windowChanges) view->notifyDidMoveToWindow();
  didAddSubview(view);
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& sibling, bool above) {
  auto it = std::find(subviews_.begin(), subviews_.end(), sibling);
  if (it == subviews_.end()) {
    insertSubview(view, above ? subviews_.size() : 0);
    return;
  }
  auto index = static_cast<std::size_t>(it - subviews_.begin());
  if (view && view->superview().get() == this) {
    const auto from = static_cast<std::size_t>(std::find(subviews_.begin(), subviews_.end(), view) - subviews_.begin());
    if (from < index) --index;
  }
  insertSubview(view, above ? index + 1 : index);
}

void UIView::attachLayer(const std::shared_ptr<UIView>& view) {
  // Keep the subview's layer just above the layer of the subview before it, so that sublayers the
  // view's own code added stay where they were relative to the subviews.
  auto it = std::find(subviews_.begin(), subviews_.end(), view);
  if (it != subviews_.begin()) {
    layer_->insertSublayer(view->layer_, (*(it - 1))->layer_, true);
  } else if (it + 1 != subviews_.end()) {
    layer_->insertSublayer(view->layer_, (*(it + 1))->layer_, false);
  } else {
    layer_->addSublayer(view->layer_);
  }
}

void UIView::detachFromSuperview(bool notify) {
  auto parent = superview();
  if (!parent) return;
  auto self = std::static_pointer_cast<UIView>(shared_from_this());
  autoLayoutWillDetach();
  if (notify) parent->willRemoveSubview(self);
  auto& siblings = parent->subviews_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
  superview_.reset();
  layer_->removeFromSuperlayer();
}

void UIView::removeFromSuperview() {
  auto parent = superview();
  if (!parent) return;
  auto self = std::static_pointer_cast<UIView>(shared_from_this());  // alive until the end
  const bool hadWindow = window() != nullptr;
  willMoveToSuperview(nullptr);
  if (hadWindow) notifyWillMoveToWindow(nullptr);
  detachFromSuperview(true);
  didMoveToSuperview();
  if (hadWindow) notifyDidMoveToWindow();
}

// Subviews hear of a window change after their superview, in order.
void UIView::notifyWillMoveToWindow(const std::shared_ptr<UIWindow>& window) {
  willMoveToWindow(window);
  const auto children = subviews_;  // a callback may change the list
  for (const auto& child : children) child->notifyWillMoveToWindow(window);
}

void UIView::notifyDidMoveToWindow() {
  didMoveToWindow();
  const auto children = subviews_;
  for (const auto& child : children) child->notifyDidMoveToWindow();
}

void UIView::bringSubviewToFront(const std::shared_ptr<UIView>& view) {
  if (view && view->superview().get() == this) insertSubview(view, subviews_.size());
}

void UIView::sendSubviewToBack(const std::shared_ptr<UIView>& view) {
  if (view && view->superview().get() == this) insertSubview(view, 0);
}

void UIView::exchangeSubview(std::size_t index1, std::size_t index2) {
  if (index1 >= subviews_.size() || index2 >= subviews_.size() || index1 == index2) return;
  std::swap(subviews_[index1], subviews_[index2]);
  attachLayer(subviews_[index1]);
  attachLayer(subviews_[index2]);
}

bool UIView::endEditing(bool) {
  auto editing = std::dynamic_pointer_cast<UIView>(UIResponder::currentFirstResponder());
  if (!editing || !editing->isDescendant(*this)) return true;
  return editing->resignFirstResponder();
}

bool UIView::isDescendant(const UIView& ancestor) const {
  for (const UIView* view = this; view; view = view->superview_.lock().get())
    if (view == &ancestor) return true;
  return false;
}

std::shared_ptr<UIView> UIView::viewWithTag(long wanted) {
  if (tag == wanted) return std::static_pointer_cast<UIView>(shared_from_this());
  for (const auto& subview : subviews_)
    if (auto found = subview->viewWithTag(wanted)) return found;
  return nullptr;
}

std::shared_ptr<UIView> UIView::hitTest(CGPoint point, const UIEvent* event) {
  if (isHidden() || alpha_ < kMinimumHitAlpha || !userInteractionEnabled_) return nullptr;
  if (!pointInside(point, event)) return nullptr;
  for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
    const auto& subview = *it;
    if (auto hit = subview->hitTest(subview->convertFrom(point, this), event)) return hit;
  }
  return std::static_pointer_cast<UIView>(shared_from_this());
}

bool UIView::pointInside(CGPoint point, const UIEvent*) const { return bounds().contains(point); }

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
  if (!recognizer) return;
  if (auto old = recognizer->view(); old && old.get() != this) old->removeGestureRecognizer(recognizer);
  if (std::find(gestureRecognizers_.begin(), gestureRecognizers_.end(), recognizer) != gestureRecognizers_.end()) return;
  gestureRecognizers_.push_back(recognizer);
  recognizer->setView(std::static_pointer_cast<UIView>(shared_from_this()));
}

void UIView::removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
  auto it = std::find(gestureRecognizers_.begin(), gestureRecognizers_.end(), recognizer);
  if (it == gestureRecognizers_.end()) return;
  gestureRecognizers_.erase(it);
  recognizer->setView(nullptr);
}

std::shared_ptr<UIResponder> UIView::next() const {
  if (auto owner = viewDelegate_.lock()) return owner;
  return superview();
}

CGPoint UIView::convert(CGPoint point, const UIView* to) const {
  return layer_->convert(point, to ? to->layer_.get() : nullptr);
}

CGPoint UIView::convertFrom(CGPoint point, const UIView* from) const {
  return layer_->convertFrom(point, from ? from->layer_.get() : nullptr);
}

CGRect UIView::convert(const CGRect& rect, const UIView* to) const {
  return layer_->convert(rect, to ? to->layer_.get() : nullptr);
}

CGRect UIView::convertFrom(const CGRect& rect, const UIView* from) const {
  return layer_->convertFrom(rect, from ? from->layer_.get() : nullptr);
}

void UIView::setNeedsLayout() {
  needsLayout_ = true;
}

void UIView::layerNeedsLayout(CALayer&) { needsLayout_ = true; }

void UIView::layoutIfNeeded() {
  // Constraints first, so that layoutSubviews sees the solved frames; a layoutSubviews that changes
  // constraints gets another round, a bounded number of times.
  constexpr int kMaxRounds = 4;
  for (int round = 0; round < kMaxRounds; ++round) {
    updateConstraintsIfNeeded();
    // Lay out from the highest ancestor that is waiting, so that this view sees its final frame.
    UIView* top = this;
    for (auto parent = superview(); parent; parent = parent->superview())
      if (parent->needsLayout_) top = parent.get();
    top->layoutTree();
    if (!autoLayoutNeedsUpdate()) break;
  }
}

void UIView::layoutTree() {
  if (needsLayout_) {
    needsLayout_ = false;
    layer_->layoutIfNeeded();
    // A controller's root view tells its controller around its own layout, as the platform does.
    auto controller = std::dynamic_pointer_cast<UIViewController>(viewDelegate());
    if (controller) controller->viewWillLayoutSubviews();
    layoutSubviews();
    if (controller) controller->viewDidLayoutSubviews();
  }
  const auto children = subviews_;
  for (const auto& child : children) child->layoutTree();
}

void UIView::sizeToFit() {
  const CGSize size = sizeThatFits(bounds().size);
  CGRect f = frame();
  f.size = size;
  setFrame(f);
}

UIEdgeInsets UIView::safeAreaInsets() const {
  auto top = window();
  if (!top) return UIEdgeInsets::zero;
  const CGRect safe = inset(top->bounds(), top->windowSafeAreaInsets());
  const CGRect mine = convert(bounds(), top.get());
  return {std::max<CGFloat>(0, safe.minY() - mine.minY()), std::max<CGFloat>(0, safe.minX() - mine.minX()),
          std::max<CGFloat>(0, mine.maxY() - safe.maxY()), std::max<CGFloat>(0, mine.maxX() - safe.maxX())};
}

bool UIView::drawHierarchy(const CGRect& rect, bool) {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return false;
  layoutIfNeeded();
  const CGRect b = bounds();
  context->saveGState();
  context->translateBy(rect.minX(), rect.minY());
  if (b.width() > 0 && b.height() > 0) context->scaleBy(rect.width() / b.width(), rect.height() / b.height());
  context->translateBy(-b.minX(), -b.minY());
  Renderer::render(*layer_, *context);
  context->restoreGState();
  return true;
}

void UIView::drawLayer(const CALayer&, CGContext& context) {
  UIGraphicsPushContext(&context);
  draw(bounds());
  UIGraphicsPopContext();
}

}  // namespace ios
