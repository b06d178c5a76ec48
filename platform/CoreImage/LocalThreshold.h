#pragma once

#include <cstdint>

namespace ios::barcode {

// The smallest side the local rule below applies to; the decoder binarises smaller images another way.
inline constexpr int kLocalThresholdMinimumSide = 40;

// Marks each pixel of a luminance image dark (0) or light (255) by the rule the decoder's
// local-average binariser uses, pixel for pixel: each 8x8 block gets a black point (its mean, or for a
// flat block half its minimum, raised to its upper and left neighbours' level when its minimum lies
// below theirs), and a pixel is dark when it is at most the mean black point of the 5x5 blocks around
// its block. The decoder handed this map with its cast-to-bool binariser then sees the very matrix it
// would have made itself, at a fraction of the cost.
// Both sides must be at least kLocalThresholdMinimumSide. Returns whether any pixel is dark.
bool thresholdLocally(const std::uint8_t* luminance, int width, int height, std::uint8_t* out);

}  // namespace ios::barcode
