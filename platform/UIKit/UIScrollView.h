#pragma once

#include <Foundation/RunLoop.h>
#include <UIKit/UIGestureRecognizer.h>
#include <UIKit/UIView.h>

#include <functional>
#include <memory>

namespace ios {

class UIScrollView;
class UIPanGestureRecognizer;
class UIRefreshControl;
class Timer;

// The scroll view's delegate; every member is optional. Velocities are in points per millisecond,
// positive when the content offset grows (the finger moves up or left).
class UIScrollViewDelegate {
 public:
  virtual ~UIScrollViewDelegate() = default;
  // Every change of the content offset: dragging, deceleration, bounce, animation and programmatic
  // sets, which call it at once, also from inside this very callback (re-entrantly).
  virtual void scrollViewDidScroll(UIScrollView&) {}
  virtual void scrollViewWillBeginDragging(UIScrollView&) {}
  // The finger lifted after a drag. `targetContentOffset` is where the content will come to rest; a
  // delegate may change it and the scroll view then decelerates there.
  virtual void scrollViewWillEndDragging(UIScrollView&, CGPoint /*velocity*/,
                                         CGPoint& /*targetContentOffset*/) {}
  virtual void scrollViewDidEndDragging(UIScrollView&, bool /*willDecelerate*/) {}
  virtual void scrollViewWillBeginDecelerating(UIScrollView&) {}
  virtual void scrollViewDidEndDecelerating(UIScrollView&) {}
  // An animated `setContentOffset` or `scrollRectToVisible` came to its end.
  virtual void scrollViewDidEndScrollingAnimation(UIScrollView&) {}
};

// How the safe area adds to `contentInset` in `adjustedContentInset`.
enum class UIScrollViewContentInsetAdjustmentBehavior { automatic, scrollableAxes, never, always };

// A view whose bounds origin is the content offset: subviews are placed in content coordinates and
// the visible part is the bounds. The scroll view is the delegate of its own pan recognizer.
//
// Dragging: each pan movement adds the finger's movement since the previous event to the *current*
// offset (not translation-from-start), so an offset changed by the delegate mid-drag is where the
// next movement starts. Past an edge the content follows the finger at half speed: with the finger
// position mapped as f(y) = y inside [min, max] and f(y) = edge + 2·(y − edge) outside, a movement d
// takes the offset from y to f⁻¹(f(y) + d). With `bounces` off the offset is clamped instead.
//
// Release: velocity v (points/ms) and the resting target offset + v·r/(1 − r), r = `decelerationRate`
// per millisecond (0.998 normal, 0.99 fast), on the pixel grid and clamped to the content; with paging the target is the
// neighbouring page in the direction of the flick. Deceleration then runs on the run loop's clock in
// 1/60 s frames, each frame adding its step to the current offset: the distance left to the target
// shrinks by r per millisecond, and the run ends within half a point of it. A release past an edge
// bounces back the same way at the fast rate. Paging settles on its page in `pagingSettleDuration`
// whatever the distance, easing out: the distance left is (1 − t/duration)³ of the distance at release.
class UIScrollView : public UIView, public UIGestureRecognizerDelegate {
 public:
  struct DecelerationRate {
    static constexpr CGFloat normal = 0.998;
    static constexpr CGFloat fast = 0.99;
  };
  // The time step of deceleration and scrolling animations.
  static constexpr double frameInterval = 1.0 / 60;
  // How long a paging scroll view takes to settle on its page after the finger lifts.
  static constexpr double pagingSettleDuration = 0.3;
  // How long `setContentOffset(_, true)` takes.
  static constexpr double scrollAnimationDuration = 0.3;

  static std::shared_ptr<UIScrollView> create(const CGRect& frame = CGRect::zero);
  explicit UIScrollView(const CGRect& frame = CGRect::zero);
  ~UIScrollView() override;

  std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<UIScrollViewDelegate> delegate) { delegate_ = std::move(delegate); }

  // Where the content shows: the offset last set or computed, on the nearest device pixel. Dragging,
  // deceleration, bounces, paging and animations go on from the unrounded value.
  CGPoint contentOffset() const { return bounds().origin; }
  // The property setter: moves the content and, when the value changes, calls `scrollViewDidScroll`
  // before returning. A running deceleration goes on from the new offset.
  void setContentOffset(CGPoint offset);
  // Not animated, this stops any deceleration or animation first. Animated, it moves there over
  // `scrollAnimationDuration`, calling `scrollViewDidScroll` each frame and
  // `scrollViewDidEndScrollingAnimation` at the end (nothing when already there); at once when
  // animations are disabled.
  void setContentOffset(CGPoint offset, bool animated);
  CGSize contentSize() const { return contentSize_; }
  void setContentSize(CGSize size);
  UIEdgeInsets contentInset() const { return contentInset_; }
  void setContentInset(const UIEdgeInsets& inset);
  // `contentInset` plus the safe area the behaviour asks for plus a refreshing control's height.
  UIEdgeInsets adjustedContentInset() const;
  UIScrollViewContentInsetAdjustmentBehavior contentInsetAdjustmentBehavior() const {
    return adjustmentBehavior_;
  }
  void setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior behavior);
  // The resting range of the offset: from −adjusted inset to content + inset − bounds (never below
  // the minimum).
  CGPoint minimumContentOffset() const;
  CGPoint maximumContentOffset() const;

  bool bounces = true;
  bool alwaysBounceVertical = false;
  bool alwaysBounceHorizontal = false;
  bool isPagingEnabled = false;
  bool isScrollEnabled() const { return scrollEnabled_; }
  void setScrollEnabled(bool enabled);
  // Indicators are not drawn; the switches are kept for the callers that turn them off.
  bool showsVerticalScrollIndicator = true;
  bool showsHorizontalScrollIndicator = true;
  bool scrollsToTop = true;
  // Stored only: content views get their touches at once and are cancelled when a drag begins.
  bool delaysContentTouches = true;
  bool canCancelContentTouches = true;
  CGFloat decelerationRate = DecelerationRate::normal;

  bool isTracking() const { return tracking_; }
  bool isDragging() const { return dragging_; }
  bool isDecelerating() const { return motion_ == Motion::decelerating; }
  // An animated `setContentOffset` or `scrollRectToVisible` is moving the content (also the way home
  // after a refresh control ends refreshing).
  bool isScrollAnimating() const { return motion_ == Motion::animating; }
  bool isMovingByItself() const override { return motion_ != Motion::none; }

  // Scrolls the least distance that shows `rect` (content coordinates).
  void scrollRectToVisible(const CGRect& rect, bool animated);

  const std::shared_ptr<UIPanGestureRecognizer>& panGestureRecognizer();

  // Old-style attach (`addSubview`) and the property both make the control this view's.
  std::shared_ptr<UIRefreshControl> refreshControl() const { return refreshControl_.lock(); }
  void setRefreshControl(const std::shared_ptr<UIRefreshControl>& control);

  // UIGestureRecognizerDelegate. `shouldRequireFailureOf` asks `requireFailureHook` when one is set
  // (a process-wide extension, such as a swipe-back transition, decides there), otherwise no.
  bool shouldRequireFailureOf(UIGestureRecognizer& recognizer, UIGestureRecognizer& other) override;
  using RequireFailureHook = std::function<bool(UIScrollView&, UIGestureRecognizer&, UIGestureRecognizer&)>;
  static void setRequireFailureHook(RequireFailureHook hook);

  void layoutSubviews() override;
  void didAddSubview(const std::shared_ptr<UIView>& subview) override;
  void willMoveToSuperview(const std::shared_ptr<UIView>& superview) override;

  // Used by the refresh control when it begins and ends refreshing.
  void refreshInsetDidChange(CGFloat oldTop);

 protected:
  // After every offset change, before the delegate hears of it.
  virtual void contentOffsetDidChange() {}
  // Whether the touch that is down now stopped a deceleration or animation (it then selects
  // nothing).
  bool touchStoppedMotion() const { return touchStoppedMotion_; }
  // Brings the offset back into the resting range when the content shrank (not while the user
  // or an animation moves it).
  void clampContentOffset();
  // The target a release decelerates to, before the delegate sees it; collection views ask their
  // layout.
  virtual CGPoint releaseTarget(CGPoint velocity);

 private:
  class PanRecognizer;
  friend class PanRecognizer;
  enum class Motion { none, decelerating, animating };

  void installPan();
  void handlePan();
  void panBegan();
  void panChanged();
  void panEnded();
  void touchDown();
  void touchUpWithoutDrag();
  bool scrollsHorizontally() const;
  bool scrollsVertically() const;
  CGPoint pagingTarget(CGPoint velocity) const;
  CGPoint clampedToRange(CGPoint offset) const;
  void startMotion(Motion motion, CGPoint target, CGFloat rate, double duration);
  void step();
  void stopMotion();
  void finishMotion();
  void setOffsetInternal(CGPoint offset);
  CGPoint exactOffset() const;
  void updateAdjustedInset();

  std::weak_ptr<UIScrollViewDelegate> delegate_;
  CGSize contentSize_;
  UIEdgeInsets contentInset_;
  UIEdgeInsets safeAreaPart_;
  UIScrollViewContentInsetAdjustmentBehavior adjustmentBehavior_ =
      UIScrollViewContentInsetAdjustmentBehavior::automatic;
  bool scrollEnabled_ = true;
  bool tracking_ = false;
  bool dragging_ = false;
  bool touchStoppedMotion_ = false;
  bool panInstalled_ = false;
  std::shared_ptr<UIPanGestureRecognizer> pan_;
  CGPoint exactOffset_;  // the offset before it is put on the pixel grid
  CGPoint lastTranslation_;
  std::weak_ptr<UIRefreshControl> refreshControl_;

  // The running deceleration or animation.
  Motion motion_ = Motion::none;
  std::shared_ptr<Timer> timer_;
  CGPoint motionStart_;
  CGPoint motionTarget_;
  CGPoint motionLast_;  // where the motion itself last put the content
  double motionStartTime_ = 0;
  double motionDuration_ = 0;
  CGFloat motionRate_ = DecelerationRate::normal;
};

}  // namespace ios
