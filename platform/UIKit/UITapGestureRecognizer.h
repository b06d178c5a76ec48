#pragma once

#include <UIKit/UIGestureRecognizer.h>

namespace ios {

// A discrete tap: the touches go down and lift within `allowableMovement` points of where they went
// down. Recognizes when the last required tap lifts.
class UITapGestureRecognizer : public UIGestureRecognizer {
 public:
  using UIGestureRecognizer::UIGestureRecognizer;
  static std::shared_ptr<UITapGestureRecognizer> create(std::weak_ptr<NSObject> target, Selector action);

  int numberOfTapsRequired = 1;
  int numberOfTouchesRequired = 1;
  CGFloat allowableMovement = 10;

  bool isContinuous() const override { return false; }
  void touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void touchesMoved(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void touchesEnded(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void reset() override;

 private:
  CGPoint start_;
  int lifted_ = 0;
};

}  // namespace ios
