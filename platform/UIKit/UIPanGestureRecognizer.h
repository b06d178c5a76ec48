#pragma once

#include <UIKit/UIGestureRecognizer.h>

#include <deque>

namespace ios {

// A continuous drag: begins once the touches have moved more than 10 points from where they went
// down, then changes with every movement and ends when they lift. Translation is measured from
// the touch-down point; velocity from the movements of the last 0.1 s (kept at lift-off, so the
// end state reports the release velocity).
class UIPanGestureRecognizer : public UIGestureRecognizer {
 public:
  using UIGestureRecognizer::UIGestureRecognizer;
  static std::shared_ptr<UIPanGestureRecognizer> create(std::weak_ptr<NSObject> target, Selector action);

  std::size_t minimumNumberOfTouches = 1;
  std::size_t maximumNumberOfTouches = 10;
  // How far the touches must move before the pan begins.
  static constexpr CGFloat hysteresis = 10;

  // In `view`'s coordinate space (null: the window's); vectors, so the view's offset does not count.
  CGPoint translation(const UIView* view) const;
  void setTranslation(CGPoint translation, const UIView* view);
  CGPoint velocity(const UIView* view) const;

  void touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void touchesMoved(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void touchesEnded(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void reset() override;

 protected:
  // Whether the movement so far may begin the pan; subclasses (edge pans) narrow it.
  virtual bool mayBegin(CGPoint start, CGPoint now) const;
  CGPoint startInWindow() const { return start_; }

 private:
  CGPoint vectorIn(const UIView* view, CGPoint windowVector) const;

  struct Sample {
    double time;
    CGPoint point;
  };
  CGPoint start_;
  std::deque<Sample> samples_;
  CGPoint releaseVelocity_;
};

enum UIRectEdge : unsigned { UIRectEdgeNone = 0, UIRectEdgeTop = 1, UIRectEdgeLeft = 2, UIRectEdgeBottom = 4,
                             UIRectEdgeRight = 8, UIRectEdgeAll = 15 };

// A pan that starts within 20 points of one of `edges` of the window and moves away from it. It
// fails as the touch goes down elsewhere, or once the touch has moved past the hysteresis in another
// direction. Until then the plain pans of the same touch wait for it: at the edge of the screen, a
// drag is the edge gesture's first, as the system's edge swipes are.
class UIScreenEdgePanGestureRecognizer : public UIPanGestureRecognizer {
 public:
  using UIPanGestureRecognizer::UIPanGestureRecognizer;
  static std::shared_ptr<UIScreenEdgePanGestureRecognizer> create(std::weak_ptr<NSObject> target, Selector action);

  unsigned edges = UIRectEdgeNone;
  static constexpr CGFloat edgeWidth = 20;

  void touchesBegan(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  void touchesMoved(const std::vector<std::shared_ptr<UITouch>>& touches, const UIEvent& event) override;
  // Every pan that is not an edge pan itself.
  bool precedes(const UIGestureRecognizer& other) const override;

 protected:
  bool mayBegin(CGPoint start, CGPoint now) const override;
};

}  // namespace ios
