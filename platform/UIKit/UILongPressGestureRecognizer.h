#pragma once

#include <Foundation/RunLoop.h>
#include <UIKit/UIGestureRecognizer.h>

namespace ios {

// A press held still for `minimumPressDuration` seconds on the run loop's clock; then continuous
// until the touches lift.
class UILongPressGestureRecognizer : public UIGestureRecognizer {
 public:
  using UIGestureRecognizer::UIGestureRecognizer;
  static std::shared_ptr<UILongPressGestureRecognizer> create(std::weak_ptr<NSObject> target, Selector action);
  ~UILongPressGestureRecognizer() override;

  double minimumPressDuration = 0.5;
  CGFloat allowableMovement = 10;
  std::size_t numberOfTouchesRequired = 1;

  void touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void touchesMoved(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void touchesEnded(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void reset() override;

 private:
  void cancelTimer();

  CGPoint start_;
  RunLoop::TaskId timer_ = 0;
};

}  // namespace ios
