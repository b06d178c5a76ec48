#pragma once

#include <cstddef>
#include <cstdint>

// Conversions between the byte rows that codecs read and write and CGImage's pixel words
// (premultiplied alpha, native-endian 0xAARRGGBB). Rounding is to nearest both ways, which makes
// premultiplied -> straight -> premultiplied an exact round trip.

namespace ios::pixelformat {

// Refuse to decode anything larger: a hostile header must not make us allocate gigabytes.
inline constexpr long long kMaxDecodedPixels = 1LL << 26;

std::uint32_t premultipliedWord(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha);

struct Straight {
  std::uint8_t red, green, blue, alpha;
};
Straight unpremultiply(std::uint32_t word);

inline std::uint8_t alphaOf(std::uint32_t word) {
  return static_cast<std::uint8_t>(word >> 24);
}
inline std::uint8_t redOf(std::uint32_t word) {
  return static_cast<std::uint8_t>(word >> 16);
}
inline std::uint8_t greenOf(std::uint32_t word) {
  return static_cast<std::uint8_t>(word >> 8);
}
inline std::uint8_t blueOf(std::uint32_t word) {
  return static_cast<std::uint8_t>(word);
}

}  // namespace ios::pixelformat
