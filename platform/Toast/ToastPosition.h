#pragma once

namespace ios {

// Where a toast sits in its view: centred horizontally, near the top or bottom edge (inside the
// safe area) or in the middle.
enum class ToastPosition { top, center, bottom };

// The library's names for the positions.
inline constexpr ToastPosition CSToastPositionTop = ToastPosition::top;
inline constexpr ToastPosition CSToastPositionCenter = ToastPosition::center;
inline constexpr ToastPosition CSToastPositionBottom = ToastPosition::bottom;

}  // namespace ios
