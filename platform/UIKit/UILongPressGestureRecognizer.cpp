#include <UIKit/UILongPressGestureRecognizer.h>

#include <cmath>

namespace ios {

namespace {
const auto registration =
    ClassRegistration<UILongPressGestureRecognizer, UIGestureRecognizer>("UILongPressGestureRecognizer");
}

std::shared_ptr<UILongPressGestureRecognizer> UILongPressGestureRecognizer::create(std::weak_ptr<NSObject> target,
                                                                                   Selector action) {
  return std::make_shared<UILongPressGestureRecognizer>(std::move(target), std::move(action));
}

UILongPressGestureRecognizer::~UILongPressGestureRecognizer() { cancelTimer(); }

void UILongPressGestureRecognizer::cancelTimer() {
  if (timer_) RunLoop::main().cancel(timer_);
  timer_ = 0;
}

void UILongPressGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches,
                                                const UIEvent& event) {
  UIGestureRecognizer::touchesBegan(touches, event);
  if (state() != State::possible) return;
  if (numberOfTouches() > numberOfTouchesRequired) {
    cancelTimer();
    setState(State::failed);
    return;
  }
  start_ = location(nullptr);
  if (numberOfTouches() == numberOfTouchesRequired && !timer_) {
    std::weak_ptr<UILongPressGestureRecognizer> weak =
        std::static_pointer_cast<UILongPressGestureRecognizer>(shared_from_this());
    timer_ = RunLoop::main().performAfter(minimumPressDuration, [weak] {
      auto self = weak.lock();
      if (!self) return;
      self->timer_ = 0;
      if (self->state() == State::possible && self->numberOfTouches() > 0) self->setState(State::began);
    });
  }
}

void UILongPressGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent&) {
  const CGPoint now = location(nullptr);
  if (state() == State::possible) {
    if (std::hypot(now.x - start_.x, now.y - start_.y) > allowableMovement) {
      cancelTimer();
      setState(State::failed);
    }
  } else if (state() == State::began || state() == State::changed) {
    setState(State::changed);
  }
}

void UILongPressGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent&) {
  cancelTimer();
  if (state() == State::began || state() == State::changed) {
    setState(State::ended);
  } else if (state() == State::possible) {
    setState(State::failed);
  }
}

void UILongPressGestureRecognizer::reset() {
  cancelTimer();
  UIGestureRecognizer::reset();
}

}  // namespace ios
