#pragma once

namespace ios {

// The resting places of a panel, from the top of its parent to below its bottom edge.
enum class FloatingPanelPosition { full, half, tip, hidden };

// What a layout's insets are measured from: the parent's safe area (the top inset from the top of
// the safe area, the others from its bottom) or the parent's own edges.
enum class FloatingPanelLayoutReference { fromSafeArea, fromSuperview };

}  // namespace ios
