#pragma once

#include <cstdint>

namespace ios::test {

// Opaque ARGB pixels, as CGImage stores them.
inline constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

}  // namespace ios::test
