#pragma once

#include <Foundation/RunLoop.h>
#include <UIKit/UITouch.h>
#include <UIKit/UIView.h>

#include <memory>
#include <vector>

namespace ios {

class GestureArena;
class UIViewController;

// The root of a view tree that is shown on the screen. While a window exists, the run loop's layout
// pass lays out every view in it that asked for layout.
class UIWindow : public UIView {
 public:
  // A window covering the main screen, or the given frame.
  static std::shared_ptr<UIWindow> create();
  static std::shared_ptr<UIWindow> create(const CGRect& frame);
  explicit UIWindow(const CGRect& frame);
  ~UIWindow() override;

  // The controller whose view fills the window. Setting it replaces the old root's view, with the
  // appearance callbacks when the window is shown.
  std::shared_ptr<UIViewController> rootViewController() const { return rootViewController_; }
  void setRootViewController(std::shared_ptr<UIViewController> controller);

  // Shows the window and makes it the application's key window.
  void makeKeyAndVisible();
  void makeKey();
  bool isKeyWindow() const;

  // The screen's safe-area insets when the window covers the screen's top or bottom edge.
  UIEdgeInsets windowSafeAreaInsets() const;

  // Delivers touches that changed (all of one phase) to gesture recognizers and views. A touch that
  // begins is given the view hit-tested at its location and the recognizers of that view and its
  // ancestors; once a recognizer takes the touches (`cancelsTouchesInView`), the view gets
  // `touchesCancelled` instead of further moves and the end.
  void sendEvent(const std::vector<std::shared_ptr<UITouch>>& changed);

 private:
  void startLayoutPass();
  std::vector<std::shared_ptr<UIGestureRecognizer>> recognizersFor(const std::shared_ptr<UIView>& view,
                                                                   const UITouch& touch) const;
  void deliverToView(const std::shared_ptr<UITouch>& touch, const UIEvent& event);

  RunLoop::TurnObserverId layoutObserver_ = 0;
  std::shared_ptr<UIViewController> rootViewController_;
  std::shared_ptr<GestureArena> arena_;
  std::vector<std::shared_ptr<UITouch>> activeTouches_;
  double lastTapTime_ = -1;
  CGPoint lastTapPoint_;
  int lastTapCount_ = 0;
};

}  // namespace ios
