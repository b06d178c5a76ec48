#include <UIKit/UIControl.h>

#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UITouch.h>

namespace ios {

namespace {

// How far outside its bounds a touch still counts as inside a control.
constexpr CGFloat kInsideSlop = 70;

const auto registration = ClassRegistration<UIControl, UIView>("UIControl")
                              .factory([] { return UIControl::create(); })
                              .property("enabled", &UIControl::isEnabled, &UIControl::setEnabled)
                              .property("selected", &UIControl::isSelected, &UIControl::setSelected)
                              .property("highlighted", &UIControl::isHighlighted, &UIControl::setHighlighted);

}  // namespace

std::shared_ptr<UIControl> UIControl::create(const CGRect& frame) { return std::make_shared<UIControl>(frame); }

void UIControl::addTarget(std::weak_ptr<NSObject> target, Selector action, unsigned events) {
  registrations_.push_back({std::move(target), false, std::move(action), nullptr, events});
}

void UIControl::addTarget(std::nullptr_t, Selector action, unsigned events) {
  registrations_.push_back({{}, true, std::move(action), nullptr, events});
}

void UIControl::removeTarget(const NSObject* target, const Selector& action, unsigned events) {
  for (auto& r : registrations_) {
    if (r.closure) continue;
    const bool sameTarget = !target || r.target.lock().get() == target;
    if (sameTarget && (action.empty() || r.action == action)) r.events &= ~events;
  }
  std::erase_if(registrations_, [](const Registration& r) { return r.events == 0; });
}

void UIControl::addAction(std::function<void(UIControl&)> action, unsigned events) {
  registrations_.push_back({{}, false, {}, std::move(action), events});
}

std::vector<Selector> UIControl::actions(const NSObject* target, Event event) const {
  std::vector<Selector> result;
  for (const auto& r : registrations_)
    if (!r.closure && (r.events & event) && (r.responderChain ? !target : r.target.lock().get() == target))
      result.push_back(r.action);
  return result;
}

void UIControl::send(const Registration& r) {
  if (r.closure) {
    r.closure(*this);
    return;
  }
  auto self = std::static_pointer_cast<UIControl>(shared_from_this());
  if (!r.responderChain) {
    if (auto target = r.target.lock()) target->perform(r.action, self);
    return;
  }
  for (std::shared_ptr<UIResponder> responder = self; responder; responder = responder->next()) {
    if (responder->respondsTo(r.action)) {
      responder->perform(r.action, self);
      return;
    }
  }
}

void UIControl::sendActions(unsigned events) {
  auto self = shared_from_this();  // an action may release the control
  const auto registrations = registrations_;
  for (const auto& r : registrations)
    if (r.events & events) send(r);
}

void UIControl::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled) setHighlighted(false);
  setNeedsDisplay();
}

void UIControl::setSelected(bool selected) {
  if (selected == selected_) return;
  selected_ = selected;
  setNeedsDisplay();
}

void UIControl::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  setNeedsDisplay();
}

unsigned UIControl::state() const {
  unsigned s = normal;
  if (highlighted_) s |= highlighted;
  if (!enabled_) s |= disabled;
  if (selected_) s |= selected;
  return s;
}

bool UIControl::inside(CGPoint point) const { return bounds().insetBy(-kInsideSlop, -kInsideSlop).contains(point); }

void UIControl::touchesBegan(const Touches& touches, const UIEvent* event) {
  if (!enabled_ || touches.empty()) return;
  const UITouch& touch = **touches.begin();
  if (!beginTracking(touch, event)) return;
  tracking_ = true;
  touchInside_ = true;
  setHighlighted(true);
  sendActions(touch.tapCount > 1 ? (touchDown | touchDownRepeat) : touchDown);
}

void UIControl::touchesMoved(const Touches& touches, const UIEvent* event) {
  if (!tracking_ || touches.empty()) return;
  const UITouch& touch = **touches.begin();
  const bool wasInside = touchInside_;
  touchInside_ = inside(touch.location(this));
  setHighlighted(touchInside_);
  if (!continueTracking(touch, event)) {
    tracking_ = false;
    return;
  }
  unsigned events = touchInside_ ? touchDragInside : touchDragOutside;
  if (touchInside_ != wasInside) events |= touchInside_ ? touchDragEnter : touchDragExit;
  sendActions(events);
}

void UIControl::touchesEnded(const Touches& touches, const UIEvent* event) {
  if (!tracking_ || touches.empty()) return;
  const UITouch& touch = **touches.begin();
  touchInside_ = inside(touch.location(this));
  tracking_ = false;
  setHighlighted(false);
  endTracking(&touch, event);
  sendActions(touchInside_ ? (touchUpInside | primaryActionTriggered) : touchUpOutside);
  touchInside_ = false;
}

void UIControl::touchesCancelled(const Touches&, const UIEvent* event) {
  if (!tracking_) return;
  tracking_ = false;
  touchInside_ = false;
  setHighlighted(false);
  cancelTracking(event);
  sendActions(touchCancel);
}

bool UIControl::allowsAncestorGesture(const UIGestureRecognizer& recognizer) const {
  // A control's own tap wins over a single-tap recognizer further up, as on the platform.
  const auto* tap = dynamic_cast<const UITapGestureRecognizer*>(&recognizer);
  return !(tap && tap->numberOfTapsRequired == 1 && tap->numberOfTouchesRequired == 1);
}

}  // namespace ios
