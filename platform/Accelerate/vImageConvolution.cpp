#include <Accelerate/vImageConvolution.h>

#include <Accelerate/RoundedDivider.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace ios {

namespace {

// Larger kernels would let the 64-bit window sums overflow.
constexpr std::uint32_t kMaxKernelSize = 1u << 24;

using Sums = std::vector<std::uint64_t>;

bool overlaps(const vImage_Buffer& a, const vImage_Buffer& b) {
  auto range = [](const vImage_Buffer& buffer) {
    const auto* first = static_cast<const std::uint8_t*>(buffer.data);
    const std::size_t size =
        buffer.height == 0 ? 0 : (buffer.height - 1) * buffer.rowBytes + buffer.width * 4;
    return std::pair{first, first + size};
  };
  const auto [a0, a1] = range(a);
  const auto [b0, b1] = range(b);
  return std::less<>()(a0, b1) && std::less<>()(b0, a1);
}

// One pass of the filter over a source image, its edge pixels extended.
class BoxFilter {
 public:
  BoxFilter(const vImage_Buffer& src, std::uint32_t kernelWidth, std::uint32_t kernelHeight,
            std::size_t destWidth)
      : src_(src), halfW_(kernelWidth / 2), halfH_(kernelHeight / 2), destWidth_(destWidth) {}

  void run(const vImage_Buffer& dest) {
    const RoundedDivider mean(static_cast<std::uint64_t>(2 * halfW_ + 1) *
                              static_cast<std::uint64_t>(2 * halfH_ + 1));
    Sums column(destWidth_ * 4, 0), row(destWidth_ * 4), removed(destWidth_ * 4);
    // The window of destination row 0: rows above and below the source count as copies of the edge
    // row, so each distinct row is summed once and weighted.
    const long long top = -halfH_, bottom = halfH_;
    const long long height = static_cast<long long>(src_.height);
    const long long above = std::max(0LL, std::min(bottom, -1LL) - top + 1);
    const long long below = std::max(0LL, bottom - std::max(top, height) + 1);
    if (above > 0) accumulate(column, -1, above);
    if (below > 0) accumulate(column, height, below);
    for (long long y = std::max(top, 0LL); y <= std::min(bottom, height - 1); ++y) accumulate(column, y, 1);

    for (std::size_t y = 0; y < dest.height; ++y) {
      if (y > 0) {
        const long long cy = static_cast<long long>(y);
        horizontalSums(cy - halfH_ - 1, removed);
        horizontalSums(cy + halfH_, row);
        for (std::size_t i = 0; i < column.size(); ++i) column[i] += row[i] - removed[i];
      }
      auto* out = static_cast<std::uint8_t*>(dest.data) + y * dest.rowBytes;
      for (std::size_t i = 0; i < column.size(); ++i) out[i] = static_cast<std::uint8_t>(mean(column[i]));
    }
  }

 private:
  void accumulate(Sums& into, long long y, long long weight) {
    Sums row(into.size());
    horizontalSums(y, row);
    for (std::size_t i = 0; i < into.size(); ++i) into[i] += row[i] * static_cast<std::uint64_t>(weight);
  }

  const std::uint8_t* pixel(long long x, long long y) const {
    const long long width = static_cast<long long>(src_.width), height = static_cast<long long>(src_.height);
    x = std::clamp(x, 0LL, width - 1);
    y = std::clamp(y, 0LL, height - 1);
    return static_cast<const std::uint8_t*>(src_.data) + static_cast<std::size_t>(y) * src_.rowBytes +
           static_cast<std::size_t>(x) * 4;
  }

  // The sums of the kernel-wide windows of source row `y` for every destination column.
  void horizontalSums(long long y, Sums& out) const {
    const long long width = static_cast<long long>(src_.width);
    const long long left = -halfW_, right = halfW_;
    std::uint64_t sum[4] = {0, 0, 0, 0};
    auto add = [&sum](const std::uint8_t* p, std::uint64_t weight) {
      for (int c = 0; c < 4; ++c) sum[c] += p[c] * weight;
    };
    const long long before = std::max(0LL, std::min(right, -1LL) - left + 1);
    const long long after = std::max(0LL, right - std::max(left, width) + 1);
    if (before > 0) add(pixel(-1, y), static_cast<std::uint64_t>(before));
    if (after > 0) add(pixel(width, y), static_cast<std::uint64_t>(after));
    for (long long x = std::max(left, 0LL); x <= std::min(right, width - 1); ++x) add(pixel(x, y), 1);
    for (std::size_t x = 0; x < destWidth_; ++x) {
      if (x > 0) {
        const long long cx = static_cast<long long>(x);
        const std::uint8_t* gone = pixel(cx - halfW_ - 1, y);
        const std::uint8_t* come = pixel(cx + halfW_, y);
        for (int c = 0; c < 4; ++c) sum[c] = sum[c] + come[c] - gone[c];
      }
      std::copy_n(sum, 4, &out[x * 4]);
    }
  }

  const vImage_Buffer& src_;
  const long long halfW_, halfH_;
  const std::size_t destWidth_;
};

vImage_Error validate(const vImage_Buffer* src, const vImage_Buffer* dest, vImagePixelCount offsetX,
                      vImagePixelCount offsetY, std::uint32_t kernelHeight, std::uint32_t kernelWidth,
                      vImage_Flags flags) {
  constexpr vImage_Flags kKnown = kvImageLeaveAlphaUnchanged | kvImageCopyInPlace |
                                  kvImageBackgroundColorFill | kvImageEdgeExtend | kvImageDoNotTile |
                                  kvImageTruncateKernel | kvImageGetTempBufferSize;
  if (flags & ~kKnown) return kvImageUnknownFlagsBit;
  const vImage_Flags edge =
      flags & (kvImageCopyInPlace | kvImageBackgroundColorFill | kvImageEdgeExtend | kvImageTruncateKernel);
  if (edge != kvImageEdgeExtend || (flags & kvImageLeaveAlphaUnchanged)) return kvImageInvalidEdgeStyle;
  if (kernelWidth % 2 == 0 || kernelHeight % 2 == 0 || kernelWidth > kMaxKernelSize ||
      kernelHeight > kMaxKernelSize)
    return kvImageInvalidKernelSize;
  if (!src || !dest || !src->data || !dest->data) return kvImageNullPointerArgument;
  if (src->rowBytes < src->width * 4 || dest->rowBytes < dest->width * 4) return kvImageInvalidParameter;
  if (offsetX != 0) return kvImageInvalidOffset_X;
  if (offsetY != 0) return kvImageInvalidOffset_Y;
  if (dest->width > src->width || dest->height > src->height) return kvImageRoiLargerThanInputBuffer;
  return kvImageNoError;
}

}  // namespace

vImage_Error vImageBoxConvolve_ARGB8888(const vImage_Buffer* src, const vImage_Buffer* dest, void* tempBuffer,
                                        vImagePixelCount srcOffsetToROI_X, vImagePixelCount srcOffsetToROI_Y,
                                        std::uint32_t kernel_height, std::uint32_t kernel_width,
                                        const Pixel_8888 /*backgroundColor*/, vImage_Flags flags) {
  if (flags & kvImageGetTempBufferSize) return 0;
  const vImage_Error error =
      validate(src, dest, srcOffsetToROI_X, srcOffsetToROI_Y, kernel_height, kernel_width, flags);
  if (error != kvImageNoError) return error;
  if (dest->width == 0 || dest->height == 0) return kvImageNoError;

  // Rows are written while later rows are still read, so an overlapping source is copied first.
  vImage_Buffer source = *src;
  std::vector<std::uint8_t> copy;
  if (overlaps(*src, *dest)) {
    copy.resize(src->height * src->width * 4);
    for (std::size_t y = 0; y < src->height; ++y)
      std::memcpy(&copy[y * src->width * 4], static_cast<const std::uint8_t*>(src->data) + y * src->rowBytes,
                  src->width * 4);
    source.data = copy.data();
    source.rowBytes = src->width * 4;
  }
  BoxFilter filter(source, kernel_width, kernel_height, dest->width);
  filter.run(*dest);
  return kvImageNoError;
}

}  // namespace ios
