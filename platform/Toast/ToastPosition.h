#pragma once

namespace ios {

// Where a toast sits in its view: centred horizontally, near the bottom edge (inside the safe area)
// or in the middle.
enum class ToastPosition { center, bottom };

// The library's name for the position the system asks for.
inline constexpr ToastPosition CSToastPositionCenter = ToastPosition::center;

}  // namespace ios
