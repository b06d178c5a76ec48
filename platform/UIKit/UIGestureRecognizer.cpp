#include <UIKit/UIGestureRecognizer.h>

#include <UIKit/GestureArena.h>
#include <UIKit/UITouch.h>
#include <UIKit/UIView.h>

#include <algorithm>

namespace ios {

namespace {
const auto registration = ClassRegistration<UIGestureRecognizer>("UIGestureRecognizer");
}

// ---- UIGestureRecognizer

UIGestureRecognizer::UIGestureRecognizer(std::weak_ptr<NSObject> target, Selector action) {
  addTarget(std::move(target), std::move(action));
}

UIGestureRecognizer::~UIGestureRecognizer() = default;

void UIGestureRecognizer::addTarget(std::weak_ptr<NSObject> target, Selector action) {
  targets_.push_back({std::move(target), std::move(action)});
}

void UIGestureRecognizer::removeTarget(const NSObject* target, const Selector& action) {
  std::erase_if(targets_, [&](const Target& t) {
    return (!target || t.object.lock().get() == target) && (action.empty() || t.action == action);
  });
}

void UIGestureRecognizer::addAction(std::function<void(UIGestureRecognizer&)> action) {
  actions_.push_back(std::move(action));
}

void UIGestureRecognizer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  // Disabling a running gesture cancels it; a possible one just stops listening.
  if (!enabled && (state_ == State::began || state_ == State::changed)) setState(State::cancelled);
}

void UIGestureRecognizer::requireToFail(const std::shared_ptr<UIGestureRecognizer>& other) {
  if (other && other.get() != this) requirements_.push_back(other);
}

CGPoint UIGestureRecognizer::location(const UIView* view) const {
  if (touches_.empty()) return CGPoint::zero;
  CGPoint sum{0, 0};
  for (const auto& touch : touches_) {
    const CGPoint p = touch->location(view);
    sum.x += p.x;
    sum.y += p.y;
  }
  const auto n = static_cast<CGFloat>(touches_.size());
  return {sum.x / n, sum.y / n};
}

void UIGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent&) {
  for (const auto& touch : touches)
    if (std::find(touches_.begin(), touches_.end(), touch) == touches_.end()) touches_.push_back(touch);
}

void UIGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent&) {}

void UIGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent&) {}

void UIGestureRecognizer::touchesCancelled(const std::vector<std::shared_ptr<UITouch>>&, const UIEvent&) {
  if (state_ == State::began || state_ == State::changed) {
    setState(State::cancelled);
  } else if (state_ == State::possible) {
    setState(State::failed);
  }
}

void UIGestureRecognizer::reset() {
  state_ = State::possible;
  touches_.clear();
  arena_.reset();
}

void UIGestureRecognizer::setState(State state) {
  if (auto arena = arena_.lock()) {
    arena->request(*this, state);
  } else {
    applyState(state);
  }
}

void UIGestureRecognizer::applyState(State state) {
  state_ = state;
  const bool announce = state == State::ended || state == State::cancelled ||
                        (isContinuous() && (state == State::began || state == State::changed));
  if (announce) sendActions();
}

void UIGestureRecognizer::sendActions() {
  auto self = std::static_pointer_cast<UIGestureRecognizer>(shared_from_this());  // an action may drop it
  const auto targets = targets_;
  for (const auto& target : targets)
    if (auto object = target.object.lock()) object->perform(target.action, self);
  const auto actions = actions_;
  for (const auto& action : actions) action(*this);
}

// ---- GestureArena

GestureArena::GestureArena(std::vector<std::shared_ptr<UIGestureRecognizer>> members) : members_(std::move(members)) {}

void GestureArena::join() {
  auto self = shared_from_this();
  for (auto& member : members_) member->attachArena(self);
}

bool GestureArena::mustWaitFor(UIGestureRecognizer& waiting, UIGestureRecognizer& other) const {
  if (other.precedes(waiting)) return true;
  for (const auto& weak : waiting.failureRequirements())
    if (weak.lock().get() == &other) return true;
  if (auto d = waiting.delegate(); d && d->shouldRequireFailureOf(waiting, other)) return true;
  if (auto d = other.delegate(); d && d->shouldBeRequiredToFailBy(other, waiting)) return true;
  return false;
}

bool GestureArena::simultaneous(UIGestureRecognizer& a, UIGestureRecognizer& b) {
  if (auto d = a.delegate(); d && d->shouldRecognizeSimultaneouslyWith(a, b)) return true;
  if (auto d = b.delegate(); d && d->shouldRecognizeSimultaneouslyWith(b, a)) return true;
  return false;
}

void GestureArena::request(UIGestureRecognizer& recognizer, State state) {
  const bool starting = recognizer.state() == State::possible && (state == State::began || state == State::ended);
  if (!starting) {
    if (recognizer.state() == State::possible && state == State::changed) return;  // not begun
    if (state == State::failed) {
      fail(recognizer);
      return;
    }
    recognizer.applyState(state);
    return;
  }
  if (auto d = recognizer.delegate(); d && !d->gestureRecognizerShouldBegin(recognizer)) {
    fail(recognizer);
    return;
  }
  for (const auto& other : members_) {
    if (other.get() == &recognizer || !mustWaitFor(recognizer, *other)) continue;
    if (other->state() == State::possible) {
      waiting_[&recognizer] = state;  // decided when `other` fails or recognizes
      return;
    }
    if (isActive(other->state())) {
      fail(recognizer);
      return;
    }
  }
  for (const auto& other : members_) {
    if (other.get() != &recognizer && isActive(other->state()) && !simultaneous(recognizer, *other)) {
      fail(recognizer);
      return;
    }
  }
  recognize(recognizer, state);
}

void GestureArena::recognize(UIGestureRecognizer& recognizer, State state) {
  waiting_.erase(&recognizer);
  if (recognizer.cancelsTouchesInView) taken_ = true;
  // Everything else that has not recognized yet loses, unless it may work alongside.
  for (const auto& other : members_) {
    if (other.get() == &recognizer || simultaneous(recognizer, *other)) continue;
    if (other->state() == State::possible && !mustWaitFor(*other, recognizer)) fail(*other);
  }
  recognizer.applyState(state);
  reconsiderWaiting();
}

void GestureArena::fail(UIGestureRecognizer& recognizer) {
  waiting_.erase(&recognizer);
  if (recognizer.state() != State::possible) {
    if (recognizer.state() == State::began || recognizer.state() == State::changed) recognizer.applyState(State::cancelled);
    return;
  }
  recognizer.applyState(State::failed);
  reconsiderWaiting();
}

void GestureArena::reconsiderWaiting() {
  // A waiting recognizer goes ahead once nothing it requires is still possible.
  bool progress = true;
  while (progress) {
    progress = false;
    for (auto it = waiting_.begin(); it != waiting_.end(); ++it) {
      UIGestureRecognizer& waiting = *it->first;
      const State wanted = it->second;
      bool blocked = false, lost = false;
      for (const auto& other : members_) {
        if (other.get() == &waiting || !mustWaitFor(waiting, *other)) continue;
        if (other->state() == State::possible) blocked = true;
        if (isActive(other->state())) lost = true;
      }
      if (blocked && !lost) continue;
      waiting_.erase(it);
      if (lost) {
        fail(waiting);
      } else {
        request(waiting, wanted);
      }
      progress = true;
      break;
    }
  }
  if (ended_ && waiting_.empty()) finish();
}

bool GestureArena::touchesTakenFromView() const { return taken_; }

void GestureArena::endSequence() {
  ended_ = true;
  if (waiting_.empty()) finish();
}

void GestureArena::finish() {
  if (finished_) return;
  finished_ = true;
  for (auto& member : members_) member->reset();
}

}  // namespace ios
