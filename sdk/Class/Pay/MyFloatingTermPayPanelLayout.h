#pragma once

#include <FloatingPanel/FloatingPanelLayout.h>

#include <memory>
#include <optional>

namespace kerbelin {

// Where the terms sheet rests: out of sight at the tip (inset 0), where it starts, and high up at
// full, the screen height less half the screen width, 170 points and the bottom safe-area inset
// from the top (never above the top). It has no half position.
class MyFloatingTermPayPanelLayout : public ios::FloatingPanelLayout {
 public:
  static constexpr ios::CGFloat fullOffset = 170;

  static std::shared_ptr<MyFloatingTermPayPanelLayout> create();

  ios::FloatingPanelPosition initialPosition() const override;
  std::optional<ios::CGFloat> insetFor(ios::FloatingPanelPosition position) const override;
};

}  // namespace kerbelin
