#include <FloatingPanel/FloatingPanelLayout.h>

namespace ios {

std::set<FloatingPanelPosition> FloatingPanelLayout::supportedPositions() const {
  std::set<FloatingPanelPosition> positions;
  for (auto position : {FloatingPanelPosition::full, FloatingPanelPosition::half, FloatingPanelPosition::tip,
                        FloatingPanelPosition::hidden}) {
    if (insetFor(position)) positions.insert(position);
  }
  return positions;
}

CGFloat FloatingPanelLayout::backdropAlphaFor(FloatingPanelPosition position) const {
  return position == FloatingPanelPosition::full ? 0.3 : 0.0;
}

std::optional<CGFloat> FloatingPanelDefaultLayout::insetFor(FloatingPanelPosition position) const {
  switch (position) {
    case FloatingPanelPosition::full:
      return 18.0;
    case FloatingPanelPosition::half:
      return 262.0;
    case FloatingPanelPosition::tip:
      return 69.0;
    case FloatingPanelPosition::hidden:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace ios
