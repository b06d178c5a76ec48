#pragma once

#include <Accelerate/vImage_Buffer.h>

#include <cstdint>

namespace ios {

// Multiplies every pixel, as a row vector of its four channels in MEMORY order, by a 4 x 4 matrix:
//   out[c] = clamp0..255( round( (sum over r of in[r] * matrix[r * 4 + c]) / divisor ) )
// Row r of the matrix belongs to the r-th byte of a pixel, column c to the c-th output byte. On our
// bitmaps (B, G, R, A in memory) rows and columns 0...3 are therefore blue, green, red and alpha.
// The division rounds to nearest, halves away from zero. The system never biases, so biases are not
// offered: `pre_bias` and `post_bias` must be null. The source and destination may be the same
// buffer.
//
// Errors: null buffers or matrix give `kvImageNullPointerArgument`; a divisor of 0 or less, a row
// size smaller than width * 4 or a bias gives `kvImageInvalidParameter`; a destination larger than
// the source gives `kvImageBufferSizeMismatch`; flags other than `kvImageDoNotTile` give
// `kvImageUnknownFlagsBit`.
vImage_Error vImageMatrixMultiply_ARGB8888(const vImage_Buffer* src, const vImage_Buffer* dest,
                                           const std::int16_t matrix[16], std::int32_t divisor,
                                           const std::int16_t* pre_bias, const std::int32_t* post_bias,
                                           vImage_Flags flags);

}  // namespace ios
