#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>
#include <UIKit/UIResponder.h>

#include <functional>
#include <memory>
#include <vector>

namespace ios {

class UIView;
class UITouch;
class UIEvent;
class UIGestureRecognizer;
class GestureArena;

class UIGestureRecognizerDelegate {
 public:
  virtual ~UIGestureRecognizerDelegate() = default;
  virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer&) { return true; }
  virtual bool shouldReceiveTouch(UIGestureRecognizer&, const UITouch&) { return true; }
  virtual bool shouldRecognizeSimultaneouslyWith(UIGestureRecognizer&, UIGestureRecognizer&) { return false; }
  // Whether `recognizer` must wait for `other` to fail before it may recognize.
  virtual bool shouldRequireFailureOf(UIGestureRecognizer&, UIGestureRecognizer&) { return false; }
  virtual bool shouldBeRequiredToFailBy(UIGestureRecognizer&, UIGestureRecognizer&) { return false; }
};

// Turns touches on a view into a gesture. The window feeds every recognizer of the touched view and
// its ancestors; a recognizer moves through its states and the window arbitrates between them:
// one that recognizes makes the others of the same touch fail unless a delegate lets them work
// together, and one that requires another's failure waits for it. Actions go to the targets on
// every change of state of a continuous gesture and on recognition of a discrete one.
class UIGestureRecognizer : public NSObject {
 public:
  enum class State { possible, began, changed, ended, cancelled, failed };
  static constexpr State recognized = State::ended;

  UIGestureRecognizer() = default;
  // Target-action: the target is held weakly; the recognizer is the sender.
  UIGestureRecognizer(std::weak_ptr<NSObject> target, Selector action);
  ~UIGestureRecognizer() override;

  void addTarget(std::weak_ptr<NSObject> target, Selector action);
  void removeTarget(const NSObject* target, const Selector& action);
  // A closure action (used by the platform's own controls and by tests).
  void addAction(std::function<void(UIGestureRecognizer&)> action);

  State state() const { return state_; }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool cancelsTouchesInView = true;
  std::shared_ptr<UIView> view() const { return view_.lock(); }
  std::shared_ptr<UIGestureRecognizerDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<UIGestureRecognizerDelegate> delegate) { delegate_ = std::move(delegate); }
  // This recognizer recognizes only once `other` has failed.
  void requireToFail(const std::shared_ptr<UIGestureRecognizer>& other);

  // The centroid of the current touches in `view`'s coordinates (null: the window's).
  CGPoint location(const UIView* view) const;
  std::size_t numberOfTouches() const { return touches_.size(); }

  // Touch input, from the window. Subclasses override and call `setState`.
  virtual void touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event);
  virtual void touchesMoved(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event);
  virtual void touchesEnded(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event);
  virtual void touchesCancelled(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event);
  // Back to `possible` once every touch of the sequence has ended.
  virtual void reset();
  // Discrete recognizers (taps) go straight to `recognized`; continuous ones begin and change.
  virtual bool isContinuous() const { return true; }
  // Whether `other`, of the same touch, must wait for this one to fail before it recognizes, whatever
  // the delegates say (a screen-edge pan goes before the content's drags).
  virtual bool precedes(const UIGestureRecognizer& /*other*/) const { return false; }

  // Used by UIView and the window.
  void setView(const std::shared_ptr<UIView>& view) { view_ = view; }
  void attachArena(const std::shared_ptr<GestureArena>& arena) { arena_ = arena; }
  const std::vector<std::weak_ptr<UIGestureRecognizer>>& failureRequirements() const { return requirements_; }
  // Applies a state the arena decided, sending actions where the state calls for them.
  void applyState(State state);

 protected:
  // Requests a state change; the arena may hold it (waiting for a failure) or refuse it.
  void setState(State state);
  const std::vector<std::shared_ptr<UITouch>>& touches() const { return touches_; }

 private:
  void sendActions();

  struct Target {
    std::weak_ptr<NSObject> object;
    Selector action;
  };

  State state_ = State::possible;
  bool enabled_ = true;
  std::weak_ptr<UIView> view_;
  std::weak_ptr<UIGestureRecognizerDelegate> delegate_;
  std::vector<Target> targets_;
  std::vector<std::function<void(UIGestureRecognizer&)>> actions_;
  std::vector<std::weak_ptr<UIGestureRecognizer>> requirements_;
  std::vector<std::shared_ptr<UITouch>> touches_;
  std::weak_ptr<GestureArena> arena_;
};

}  // namespace ios
