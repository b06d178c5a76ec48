#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <FloatingPanel/FloatingPanelPosition.h>

#include <optional>
#include <set>

namespace ios {

// Where a panel rests for each position. `insetFor(full)` is the distance from the top of the
// reference to the top of the panel; for half and tip it is the height the panel shows above the
// bottom of the reference. A position without an inset is not a place the panel rests by dragging;
// moved there in code it sits at the bottom edge, out of sight. `hidden` always sits at the bottom
// edge of the parent.
class FloatingPanelLayout {
 public:
  virtual ~FloatingPanelLayout() = default;

  virtual FloatingPanelPosition initialPosition() const = 0;
  virtual std::optional<CGFloat> insetFor(FloatingPanelPosition position) const = 0;

  // The positions a drag may end at. By default those the layout gives an inset for.
  virtual std::set<FloatingPanelPosition> supportedPositions() const;
  // How far a drag may pull the panel beyond the top-most and bottom-most supported positions.
  virtual CGFloat topInteractionBuffer() const { return 6; }
  virtual CGFloat bottomInteractionBuffer() const { return 6; }
  // The backdrop's alpha when the panel rests at `position`; in between, it follows the panel.
  virtual CGFloat backdropAlphaFor(FloatingPanelPosition position) const;
  // Insets are measured from the parent's edges unless a layout asks for the safe area, so that an
  // inset of 0 at the tip puts the panel just out of sight.
  virtual FloatingPanelLayoutReference positionReference() const {
    return FloatingPanelLayoutReference::fromSuperview;
  }
};

// The layout a controller uses when its delegate gives none: rests at half, with full, half and tip.
class FloatingPanelDefaultLayout : public FloatingPanelLayout {
 public:
  FloatingPanelPosition initialPosition() const override { return FloatingPanelPosition::half; }
  std::optional<CGFloat> insetFor(FloatingPanelPosition position) const override;
};

}  // namespace ios
