#pragma once

#include <FloatingPanel/FloatingPanelBackdropView.h>
#include <FloatingPanel/FloatingPanelControllerDelegate.h>
#include <FloatingPanel/FloatingPanelLayout.h>
#include <FloatingPanel/FloatingPanelSurfaceView.h>
#include <Foundation/RunLoop.h>
#include <UIKit/UIPanGestureRecognizer.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UIViewController.h>

#include <functional>
#include <memory>
#include <optional>

namespace ios {

struct FloatingPanelAnimationState;

// A bottom sheet over a parent controller's view: a backdrop covering the parent and a surface that
// rests at the positions its layout gives and follows the user's drags.
//
// `addPanel` adds the controller as a child of the parent and its view (backdrop and surface, full
// size, touches outside them pass through) on top of the parent's view. The surface spans the
// parent's width and reaches from the top-most supported position to the parent's bottom edge.
//
// Moves animate on the run loop's clock over `animationDuration`, frame by frame. A drag on the
// surface (its own pan recognizer) stops a running move, whose completion is then dropped. On
// release the velocity is projected along the scroll views' normal deceleration and the panel
// settles at the supported position nearest that point, so a short slow drag comes back where it
// started and a flick goes on to the next position.
//
// With a tracked scroll view inside the content, a drag on the scroll view moves the panel unless the
// panel rests at its top-most position and the content is scrolled or the finger moves up; while the
// panel moves, the scroll view is held at its top.
class FloatingPanelController : public UIViewController {
 public:
  static constexpr double animationDuration = 0.25;
  static constexpr double frameInterval = 1.0 / 60;

  static std::shared_ptr<FloatingPanelController> create(
      std::weak_ptr<FloatingPanelControllerDelegate> delegate = {});
  FloatingPanelController();
  ~FloatingPanelController() override;

  std::shared_ptr<FloatingPanelControllerDelegate> delegate() const { return delegate_.lock(); }
  // Stores the delegate and asks it for the layout at once.
  void setDelegate(std::weak_ptr<FloatingPanelControllerDelegate> delegate);
  // Asks the delegate for the layout again and puts the surface where the new layout says.
  void updateLayout();
  const std::shared_ptr<FloatingPanelLayout>& layout() const { return layout_; }

  const std::shared_ptr<FloatingPanelSurfaceView>& surfaceView() const { return surfaceView_; }
  const std::shared_ptr<FloatingPanelBackdropView>& backdropView() const { return backdropView_; }
  const std::shared_ptr<UIPanGestureRecognizer>& panGestureRecognizer() const { return pan_; }

  // Puts `contentViewController`'s view (loaded now) on the surface, as a child of this controller,
  // replacing the previous content.
  void set(const std::shared_ptr<UIViewController>& contentViewController);
  std::shared_ptr<UIViewController> contentViewController() const { return content_; }
  void track(const std::shared_ptr<UIScrollView>& scrollView);
  std::shared_ptr<UIScrollView> scrollView() const { return scrollView_.lock(); }
  // Whether a fling off the bottom removes the panel.
  bool isRemovalInteractionEnabled = false;

  // Shows the panel over `parent`'s view (below `belowView` when given), at the layout's initial
  // position; animated, it slides there from the bottom edge. Ignored while the panel has a parent.
  void addPanel(const std::shared_ptr<UIViewController>& parent,
                const std::shared_ptr<UIView>& belowView = nullptr, bool animated = false);
  // Takes the panel off its parent; animated, it first slides out of sight. The completion runs
  // once the panel is gone.
  void removePanelFromParent(bool animated, std::function<void()> completion = nullptr);
  // Moves to `to`. Not animated, the panel is there and the completion has run when this returns;
  // animated, the completion runs once the panel has arrived. `position` is the destination from
  // the start of the move.
  void move(FloatingPanelPosition to, bool animated, std::function<void()> completion = nullptr);
  FloatingPanelPosition position() const { return position_; }
  bool isAnimating() const { return !animation_.expired(); }
  bool isDragging() const { return dragging_; }

  // The y of the surface's top edge, in the parent's coordinates, when it rests at `position`.
  CGFloat originYOfSurface(FloatingPanelPosition position) const;

  void loadView() override;

 private:
  class PanDelegate;
  friend class PanDelegate;

  void installPan();
  void layoutPanel();
  CGFloat parentHeight() const;
  UIEdgeInsets parentSafeArea() const;
  std::set<FloatingPanelPosition> supported() const;
  std::pair<CGFloat, CGFloat> dragRange() const;
  CGFloat surfaceY() const { return surfaceView_->frame().minY(); }
  void placeSurface(CGFloat y);
  CGFloat backdropAlphaAt(CGFloat y) const;
  void setPosition(FloatingPanelPosition position);

  void startAnimation(FloatingPanelPosition to, std::function<void()> completion, bool reportsDeceleration);
  void stepAnimation(const std::shared_ptr<FloatingPanelAnimationState>& state);
  void stopAnimation();

  void handlePan(UIPanGestureRecognizer& pan);
  void panBegan(UIPanGestureRecognizer& pan);
  void panChanged(UIPanGestureRecognizer& pan);
  void panEnded(UIPanGestureRecognizer& pan);
  bool scrollViewTakesMovement(CGFloat dy) const;
  void pinScrollView();
  FloatingPanelPosition targetPosition(CGFloat y, CGFloat velocityY) const;
  void finishRemoval(std::function<void()> completion);

  std::weak_ptr<FloatingPanelControllerDelegate> delegate_;
  std::shared_ptr<FloatingPanelLayout> layout_;
  std::shared_ptr<FloatingPanelSurfaceView> surfaceView_;
  std::shared_ptr<FloatingPanelBackdropView> backdropView_;
  std::shared_ptr<UIPanGestureRecognizer> pan_;
  std::shared_ptr<PanDelegate> panDelegate_;
  std::shared_ptr<UIViewController> content_;
  std::weak_ptr<UIScrollView> scrollView_;
  FloatingPanelPosition position_ = FloatingPanelPosition::hidden;
  std::weak_ptr<FloatingPanelAnimationState> animation_;
  RunLoop::TaskId animationTask_ = 0;
  bool dragging_ = false;
  bool dragMovedPanel_ = false;
  bool touchInScrollView_ = false;
  CGFloat lastTranslationY_ = 0;
};

}  // namespace ios
