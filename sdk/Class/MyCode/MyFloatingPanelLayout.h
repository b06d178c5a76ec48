#pragma once

#include <FloatingPanel/FloatingPanelLayout.h>

namespace kerbelin {

// The picker sheet's resting places: out of sight at the tip (where it starts), and at full a sheet
// whose top edge is `sheetHeight` points above the bottom of the screen.
class MyFloatingPanelLayout : public ios::FloatingPanelLayout {
 public:
  static constexpr ios::CGFloat sheetHeight = 330;

  ios::FloatingPanelPosition initialPosition() const override { return ios::FloatingPanelPosition::tip; }
  // Full: the screen's height less `sheetHeight`, at least 0; tip: 0; half and hidden: none.
  std::optional<ios::CGFloat> insetFor(ios::FloatingPanelPosition position) const override;
};

}  // namespace kerbelin
