#include <UIKit/UITapGestureRecognizer.h>

#include <UIKit/UITouch.h>

#include <cmath>

namespace ios {

namespace {
const auto registration = ClassRegistration<UITapGestureRecognizer, UIGestureRecognizer>("UITapGestureRecognizer");
}

std::shared_ptr<UITapGestureRecognizer> UITapGestureRecognizer::create(std::weak_ptr<NSObject> target, Selector action) {
  return std::make_shared<UITapGestureRecognizer>(std::move(target), std::move(action));
}

void UITapGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) {
  UIGestureRecognizer::touchesBegan(touches, event);
  if (state() != State::possible) return;
  if (static_cast<int>(numberOfTouches()) > numberOfTouchesRequired) {
    setState(State::failed);
    return;
  }
  start_ = location(nullptr);
}

void UITapGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent&) {
  if (state() != State::possible) return;
  const CGPoint now = location(nullptr);
  if (std::hypot(now.x - start_.x, now.y - start_.y) > allowableMovement) setState(State::failed);
}

void UITapGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent&) {
  if (state() != State::possible) return;
  lifted_ += static_cast<int>(touches.size());
  if (lifted_ < static_cast<int>(numberOfTouches())) return;  // wait for every finger
  if (static_cast<int>(numberOfTouches()) != numberOfTouchesRequired) {
    setState(State::failed);
    return;
  }
  for (const auto& touch : touches)
    if (touch->tapCount < numberOfTapsRequired) {
      setState(State::failed);
      return;
    }
  setState(State::ended);
}

void UITapGestureRecognizer::reset() {
  UIGestureRecognizer::reset();
  lifted_ = 0;
}

}  // namespace ios
