#include <UIKit/UIWindow.h>

#include <UIKit/UIApplication.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIViewController.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<UIWindow, UIView>("UIWindow").factory([] { return UIWindow::create(); });
}

std::shared_ptr<UIWindow> UIWindow::create() { return create(UIScreen::main()->bounds()); }

std::shared_ptr<UIWindow> UIWindow::create(const CGRect& frame) {
  auto window = std::make_shared<UIWindow>(frame);
  window->startLayoutPass();
  return window;
}

// Unlike the platform's, a new window is not hidden: tests and hosts draw and touch windows without
// making them key first.
UIWindow::UIWindow(const CGRect& frame) : UIView(frame) {}

UIWindow::~UIWindow() {
  if (layoutObserver_) RunLoop::main().removeTurnObserver(layoutObserver_);
}

void UIWindow::startLayoutPass() {
  std::weak_ptr<UIWindow> weak = std::static_pointer_cast<UIWindow>(shared_from_this());
  layoutObserver_ = RunLoop::main().addTurnObserver(RunLoop::TurnOrder::layout, [weak] {
    if (auto window = weak.lock()) window->layoutIfNeeded();
  });
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller) {
  if (controller == rootViewController_) return;
  const bool shown = !isHidden();
  auto old = std::move(rootViewController_);
  rootViewController_ = std::move(controller);
  if (old && old->isViewLoaded()) {
    if (shown) old->beginAppearanceTransition(false, false);
    old->view()->removeFromSuperview();
    if (shown) old->endAppearanceTransition();
  }
  if (!rootViewController_) return;
  const auto& view = rootViewController_->view();
  view->setFrame(bounds());
  insertSubview(view, 0);
  if (shown) {
    rootViewController_->beginAppearanceTransition(true, false);
    rootViewController_->endAppearanceTransition();
  }
}

void UIWindow::makeKeyAndVisible() {
  setHidden(false);
  makeKey();
  if (rootViewController_ && !rootViewController_->isVisible()) {
    rootViewController_->beginAppearanceTransition(true, false);
    rootViewController_->endAppearanceTransition();
  }
}

void UIWindow::makeKey() {
  UIApplication::shared()->setKeyWindow(std::static_pointer_cast<UIWindow>(shared_from_this()));
}

bool UIWindow::isKeyWindow() const { return UIApplication::shared()->keyWindow().get() == this; }

UIEdgeInsets UIWindow::windowSafeAreaInsets() const {
  const auto& screen = UIScreen::main();
  const CGRect screenBounds = screen->bounds();
  const CGRect f = frame();
  const UIEdgeInsets s = screen->safeAreaInsets();
  return {f.minY() <= screenBounds.minY() ? s.top : 0, f.minX() <= screenBounds.minX() ? s.left : 0,
          f.maxY() >= screenBounds.maxY() ? s.bottom : 0, f.maxX() >= screenBounds.maxX() ? s.right : 0};
}

}  // namespace ios

#include <UIKit/GestureArena.h>
#include <UIKit/UIGestureRecognizer.h>

#include <algorithm>
#include <cmath>

namespace ios {

namespace {
// Consecutive taps closer than this in time and space count up `tapCount`.
constexpr double kMultiTapInterval = 0.35;
constexpr CGFloat kMultiTapDistance = 20;
}  // namespace

std::vector<std::shared_ptr<UIGestureRecognizer>> UIWindow::recognizersFor(const std::shared_ptr<UIView>& hit,
                                                                           const UITouch& touch) const {
  std::vector<std::shared_ptr<UIGestureRecognizer>> result;
  for (auto view = hit; view; view = view->superview()) {
    for (const auto& recognizer : view->gestureRecognizers()) {
      if (!recognizer->isEnabled()) continue;
      if (view != hit && !hit->allowsAncestorGesture(*recognizer)) continue;
      if (auto d = recognizer->delegate(); d && !d->shouldReceiveTouch(*recognizer, touch)) continue;
      result.push_back(recognizer);
    }
  }
  return result;
}

void UIWindow::deliverToView(const std::shared_ptr<UITouch>& touch, const UIEvent& event) {
  auto view = touch->view();
  if (!view) return;
  const UIResponder::Touches one{touch};
  const bool taken = arena_ && arena_->touchesTakenFromView();
  if (taken) {
    if (touch->deliveredToView) {
      touch->deliveredToView = false;
      view->touchesCancelled(one, &event);
    }
    return;
  }
  switch (touch->phase) {
    case UITouch::Phase::began:
      touch->deliveredToView = true;
      view->touchesBegan(one, &event);
      break;
    case UITouch::Phase::moved:
    case UITouch::Phase::stationary:
      if (touch->deliveredToView) view->touchesMoved(one, &event);
      break;
    case UITouch::Phase::ended:
      if (touch->deliveredToView) view->touchesEnded(one, &event);
      touch->deliveredToView = false;
      break;
    case UITouch::Phase::cancelled:
      if (touch->deliveredToView) view->touchesCancelled(one, &event);
      touch->deliveredToView = false;
      break;
  }
}

void UIWindow::sendEvent(const std::vector<std::shared_ptr<UITouch>>& changed) {
  if (changed.empty()) return;
  auto self = std::static_pointer_cast<UIWindow>(shared_from_this());
  UIEvent event;
  event.timestamp = RunLoop::main().now();

  for (const auto& touch : changed) {
    touch->timestamp = event.timestamp;
    if (touch->phase != UITouch::Phase::began) continue;
    touch->setWindow(self);
    auto hit = hitTest(touch->locationInWindow, &event);
    touch->setView(hit);
    const CGPoint p = touch->locationInWindow;
    const bool repeat = event.timestamp - lastTapTime_ <= kMultiTapInterval &&
                        std::hypot(p.x - lastTapPoint_.x, p.y - lastTapPoint_.y) <= kMultiTapDistance;
    touch->tapCount = repeat ? lastTapCount_ + 1 : 1;
    if (!arena_ || arena_->isFinished()) {
      arena_ = std::make_shared<GestureArena>(hit ? recognizersFor(hit, *touch)
                                                  : std::vector<std::shared_ptr<UIGestureRecognizer>>{});
      arena_->join();
    }
    touch->setGestureRecognizers(arena_->members());
    activeTouches_.push_back(touch);
  }
  for (const auto& touch : activeTouches_) event.allTouches.push_back(touch);

  // Recognizers first, each with the touches it follows, then the views.
  const auto arena = arena_;
  if (arena) {
    for (const auto& recognizer : arena->members()) {
      std::vector<std::shared_ptr<UITouch>> mine;
      for (const auto& touch : changed) {
        const auto& list = touch->gestureRecognizers();
        if (std::find(list.begin(), list.end(), recognizer) != list.end()) mine.push_back(touch);
      }
      const auto state = recognizer->state();
      if (mine.empty() || state == UIGestureRecognizer::State::failed ||
          state == UIGestureRecognizer::State::cancelled || state == UIGestureRecognizer::State::ended) {
        continue;
      }
      switch (changed.front()->phase) {
        case UITouch::Phase::began: recognizer->touchesBegan(mine, event); break;
        case UITouch::Phase::moved:
        case UITouch::Phase::stationary: recognizer->touchesMoved(mine, event); break;
        case UITouch::Phase::ended: recognizer->touchesEnded(mine, event); break;
        case UITouch::Phase::cancelled: recognizer->touchesCancelled(mine, event); break;
      }
    }
  }
  for (const auto& touch : changed) deliverToView(touch, event);

  const bool lifted = changed.front()->phase == UITouch::Phase::ended;
  if (lifted && changed.size() == 1) {
    lastTapTime_ = event.timestamp;
    lastTapPoint_ = changed.front()->locationInWindow;
    lastTapCount_ = changed.front()->tapCount;
  }
  std::erase_if(activeTouches_, [](const std::shared_ptr<UITouch>& t) {
    return t->phase == UITouch::Phase::ended || t->phase == UITouch::Phase::cancelled;
  });
  if (activeTouches_.empty() && arena) arena->endSequence();
}

}  // namespace ios
