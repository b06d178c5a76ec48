#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <FloatingPanel/FloatingPanelPosition.h>

#include <memory>

namespace ios {

class FloatingPanelController;
class FloatingPanelLayout;
class UIGestureRecognizer;

// What a panel tells its delegate and asks of it; every member is optional.
//
// A drag reports, in order: `floatingPanelShouldBeginDragging` (false leaves the panel where it is
// for this touch), `floatingPanelWillBeginDragging`, `floatingPanelDidMove` for every movement,
// `floatingPanelDidEndDragging` with the release velocity (points per second, in the parent's coordinates)
// and the position chosen, `floatingPanelDidChangePosition` when that position differs from the old
// one, `floatingPanelWillBeginDecelerating`, and `floatingPanelDidEndDecelerating` once the panel has
// settled there. Moves made in code report only the position change: the deceleration calls belong
// to drags alone. A fling off the bottom with removal enabled reports
// `floatingPanelDidEndDraggingToRemove` instead of the end of dragging, then the change to hidden,
// and `floatingPanelDidEndRemove` once the panel is gone (as after any `removePanelFromParent`).
class FloatingPanelControllerDelegate {
 public:
  virtual ~FloatingPanelControllerDelegate() = default;

  // The layout to use; asked when the delegate is set and by `updateLayout`. Null means the default.
  virtual std::shared_ptr<FloatingPanelLayout> layoutFor(FloatingPanelController&) { return nullptr; }

  virtual void floatingPanelDidChangePosition(FloatingPanelController&) {}
  virtual bool floatingPanelShouldBeginDragging(FloatingPanelController&) { return true; }
  virtual void floatingPanelWillBeginDragging(FloatingPanelController&) {}
  virtual void floatingPanelDidMove(FloatingPanelController&) {}
  virtual void floatingPanelDidEndDragging(FloatingPanelController&, CGPoint /*velocity*/,
                                           FloatingPanelPosition /*targetPosition*/) {}
  virtual void floatingPanelWillBeginDecelerating(FloatingPanelController&) {}
  virtual void floatingPanelDidEndDecelerating(FloatingPanelController&) {}
  // A drag flung the panel off the bottom while removal by drag is enabled; it is then removed.
  virtual void floatingPanelDidEndDraggingToRemove(FloatingPanelController&, CGPoint /*velocity*/) {}
  virtual void floatingPanelDidEndRemove(FloatingPanelController&) {}
  // Whether the panel's pan may work together with another recognizer of the same touch.
  virtual bool shouldRecognizeSimultaneouslyWith(FloatingPanelController&, UIGestureRecognizer&) {
    return false;
  }
};

}  // namespace ios
