#pragma once

#include <FloatingPanel/FloatingPanelLayout.h>

namespace kerbelin {

// The QR sheet's resting places: out of sight at the tip (where it starts) and, at full, a band of
// half the screen's width plus 170 points above the bottom safe-area inset.
class MyFloatingQRCodePanelLayout : public ios::FloatingPanelLayout {
 public:
  ios::FloatingPanelPosition initialPosition() const override { return ios::FloatingPanelPosition::tip; }
  // Full: SCREEN_HEIGHT - (SCREEN_WIDTH / 2 + 170 + bottom padding), at least 0; tip: 0; none otherwise.
  std::optional<ios::CGFloat> insetFor(ios::FloatingPanelPosition position) const override;
};

}  // namespace kerbelin
