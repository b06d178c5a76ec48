#include <UIKit/UIPanGestureRecognizer.h>

#include <Foundation/RunLoop.h>
#include <UIKit/UITouch.h>
#include <UIKit/UIView.h>
#include <UIKit/UIWindow.h>

#include <cmath>

namespace ios {

namespace {
const auto panRegistration = ClassRegistration<UIPanGestureRecognizer, UIGestureRecognizer>("UIPanGestureRecognizer");
const auto edgeRegistration =
    ClassRegistration<UIScreenEdgePanGestureRecognizer, UIPanGestureRecognizer>("UIScreenEdgePanGestureRecognizer");

// Velocity is measured over the movements of this last stretch of time.
constexpr double kVelocityWindow = 0.1;
}  // namespace

std::shared_ptr<UIPanGestureRecognizer> UIPanGestureRecognizer::create(std::weak_ptr<NSObject> target, Selector action) {
  return std::make_shared<UIPanGestureRecognizer>(std::move(target), std::move(action));
}

CGPoint UIPanGestureRecognizer::vectorIn(const UIView* view, CGPoint v) const {
  if (!view) return v;
  const CGPoint origin = view->convertFrom(CGPoint{0, 0}, nullptr);
  const CGPoint tip = view->convertFrom(v, nullptr);
  return {tip.x - origin.x, tip.y - origin.y};
}

CGPoint UIPanGestureRecognizer::translation(const UIView* view) const {
  const CGPoint now = location(nullptr);
  return vectorIn(view, {now.x - start_.x, now.y - start_.y});
}

void UIPanGestureRecognizer::setTranslation(CGPoint t, const UIView* view) {
  // Work back to a window-space vector through the inverse of `vectorIn`.
  CGPoint windowVector = t;
  if (view) {
    const CGPoint origin = view->convert(CGPoint{0, 0}, nullptr);
    const CGPoint tip = view->convert(t, nullptr);
    windowVector = {tip.x - origin.x, tip.y - origin.y};
  }
  const CGPoint now = location(nullptr);
  start_ = {now.x - windowVector.x, now.y - windowVector.y};
}

CGPoint UIPanGestureRecognizer::velocity(const UIView* view) const {
  if (state() == State::ended || samples_.size() < 2) return vectorIn(view, releaseVelocity_);
  const Sample& first = samples_.front();
  const Sample& last = samples_.back();
  const double dt = last.time - first.time;
  if (dt <= 0) return CGPoint::zero;
  return vectorIn(view, {(last.point.x - first.point.x) / dt, (last.point.y - first.point.y) / dt});
}

void UIPanGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) {
  UIGestureRecognizer::touchesBegan(touches, event);
  if (numberOfTouches() > maximumNumberOfTouches) {
    if (state() == State::possible) setState(State::failed);
    return;
  }
  if (state() == State::possible) {
    start_ = location(nullptr);
    samples_.clear();
    samples_.push_back({event.timestamp, start_});
  }
}

void UIPanGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent& event) {
  const CGPoint now = location(nullptr);
  samples_.push_back({event.timestamp, now});
  while (samples_.size() > 2 && event.timestamp - samples_.front().time > kVelocityWindow) samples_.pop_front();
  if (state() == State::possible) {
    if (numberOfTouches() >= minimumNumberOfTouches && mayBegin(start_, now)) setState(State::began);
  } else if (state() == State::began || state() == State::changed) {
    setState(State::changed);
  }
}

void UIPanGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent& event) {
  if (samples_.size() >= 2 && event.timestamp - samples_.back().time <= kVelocityWindow) {
    const Sample& first = samples_.front();
    const Sample& last = samples_.back();
    const double dt = last.time - first.time;
    releaseVelocity_ = dt > 0 ? CGPoint{(last.point.x - first.point.x) / dt, (last.point.y - first.point.y) / dt}
                              : CGPoint::zero;
  } else {
    releaseVelocity_ = CGPoint::zero;  // the finger rested before lifting
  }
  if (state() == State::began || state() == State::changed) {
    setState(State::ended);
  } else if (state() == State::possible) {
    setState(State::failed);
  }
}

void UIPanGestureRecognizer::reset() {
  UIGestureRecognizer::reset();
  samples_.clear();
}

bool UIPanGestureRecognizer::mayBegin(CGPoint start, CGPoint now) const {
  return std::hypot(now.x - start.x, now.y - start.y) > hysteresis;
}

std::shared_ptr<UIScreenEdgePanGestureRecognizer> UIScreenEdgePanGestureRecognizer::create(std::weak_ptr<NSObject> target,
                                                                                           Selector action) {
  return std::make_shared<UIScreenEdgePanGestureRecognizer>(std::move(target), std::move(action));
}

void UIScreenEdgePanGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches,
                                                    const UIEvent& event) {
  UIPanGestureRecognizer::touchesBegan(touches, event);
  if (state() != State::possible || touches.empty()) return;
  auto window = touches.front()->window();
  const CGRect area = window ? window->bounds() : CGRect::infinite;
  const CGPoint p = startInWindow();
  const bool nearEdge = ((edges & UIRectEdgeLeft) && p.x - area.minX() <= edgeWidth) ||
                        ((edges & UIRectEdgeRight) && area.maxX() - p.x <= edgeWidth) ||
                        ((edges & UIRectEdgeTop) && p.y - area.minY() <= edgeWidth) ||
                        ((edges & UIRectEdgeBottom) && area.maxY() - p.y <= edgeWidth);
  if (!nearEdge) setState(State::failed);
}

void UIScreenEdgePanGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<UITouch>>& touches,
                                                    const UIEvent& event) {
  UIPanGestureRecognizer::touchesMoved(touches, event);
  // Past the hysteresis along the edge rather than away from it: the drag is the content's.
  const CGPoint start = startInWindow(), now = location(nullptr);
  if (state() == State::possible && UIPanGestureRecognizer::mayBegin(start, now) && !mayBegin(start, now))
    setState(State::failed);
}

bool UIScreenEdgePanGestureRecognizer::precedes(const UIGestureRecognizer& other) const {
  return dynamic_cast<const UIPanGestureRecognizer*>(&other) &&
         !dynamic_cast<const UIScreenEdgePanGestureRecognizer*>(&other);
}

bool UIScreenEdgePanGestureRecognizer::mayBegin(CGPoint start, CGPoint now) const {
  if (!UIPanGestureRecognizer::mayBegin(start, now)) return false;
  const CGFloat dx = now.x - start.x, dy = now.y - start.y;
  // Away from the edge, more across than along it.
  if (edges & UIRectEdgeLeft) return dx > std::fabs(dy);
  if (edges & UIRectEdgeRight) return -dx > std::fabs(dy);
  if (edges & UIRectEdgeTop) return dy > std::fabs(dx);
  if (edges & UIRectEdgeBottom) return -dy > std::fabs(dx);
  return false;
}

}  // namespace ios
