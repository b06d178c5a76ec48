#include <Accelerate/vImageTransform.h>

#include <Accelerate/RoundedDivider.h>

#include <algorithm>
#include <cstring>

namespace ios {

vImage_Error vImageMatrixMultiply_ARGB8888(const vImage_Buffer* src, const vImage_Buffer* dest,
                                           const std::int16_t matrix[16], std::int32_t divisor,
                                           const std::int16_t* pre_bias, const std::int32_t* post_bias,
                                           vImage_Flags flags) {
  if (flags & ~kvImageDoNotTile) return kvImageUnknownFlagsBit;
  if (!src || !dest || !src->data || !dest->data || !matrix) return kvImageNullPointerArgument;
  if (divisor <= 0 || src->rowBytes < src->width * 4 || dest->rowBytes < dest->width * 4 || pre_bias ||
      post_bias)
    return kvImageInvalidParameter;
  if (dest->width > src->width || dest->height > src->height) return kvImageBufferSizeMismatch;

  // Negative sums round to 0 or below and clamp to 0, so only non-negative ones are divided (halves
  // of those round up, which is away from zero). Clamping without branches: pixels vary too much for
  // the branch predictor.
  const RoundedDivider divide(static_cast<std::uint64_t>(divisor));
  // From here on the result is 255; capping there keeps the division in range.
  const auto saturating = static_cast<std::uint64_t>(255LL * divisor + divisor / 2);
  // Local copies: byte stores through `out` could alias them, which would force reloads per pixel.
  std::int64_t m[16];
  std::copy_n(matrix, 16, m);
  for (std::size_t y = 0; y < dest->height; ++y) {
    const auto* in = static_cast<const std::uint8_t*>(src->data) + y * src->rowBytes;
    auto* out = static_cast<std::uint8_t*>(dest->data) + y * dest->rowBytes;
    for (std::size_t x = 0; x < dest->width; ++x, in += 4, out += 4) {
      // Read the whole pixel before writing any channel: source and destination may be one buffer.
      const std::int64_t channels[4] = {in[0], in[1], in[2], in[3]};
      std::uint8_t result[4];
      for (int c = 0; c < 4; ++c) {
        std::int64_t sum = 0;
        for (int r = 0; r < 4; ++r) sum += channels[r] * m[r * 4 + c];
        const auto positive = static_cast<std::uint64_t>(std::max<std::int64_t>(sum, 0));
        result[c] =
            static_cast<std::uint8_t>(std::min<std::uint64_t>(divide(std::min(positive, saturating)), 255));
      }
      std::memcpy(out, result, 4);
    }
  }
  return kvImageNoError;
}

}  // namespace ios
