#pragma once

#include <cstddef>
#include <cstdint>

namespace ios {

using vImagePixelCount = unsigned long;
using vImage_Error = long;
using vImage_Flags = std::uint32_t;
// One pixel's four 8-bit channels, in memory order.
using Pixel_8888 = std::uint8_t[4];

// A view of pixel memory that the caller owns: `height` rows of `width` pixels, each row starting
// `rowBytes` after the previous one. Nothing is copied or freed through it.
struct vImage_Buffer {
  void* data = nullptr;
  vImagePixelCount height = 0;
  vImagePixelCount width = 0;
  std::size_t rowBytes = 0;
};

inline constexpr vImage_Flags kvImageNoFlags = 0;
inline constexpr vImage_Flags kvImageLeaveAlphaUnchanged = 1;
inline constexpr vImage_Flags kvImageCopyInPlace = 2;
inline constexpr vImage_Flags kvImageBackgroundColorFill = 4;
inline constexpr vImage_Flags kvImageEdgeExtend = 8;
inline constexpr vImage_Flags kvImageDoNotTile = 16;
inline constexpr vImage_Flags kvImageTruncateKernel = 64;
inline constexpr vImage_Flags kvImageGetTempBufferSize = 128;

inline constexpr vImage_Error kvImageNoError = 0;
inline constexpr vImage_Error kvImageRoiLargerThanInputBuffer = -21766;
inline constexpr vImage_Error kvImageInvalidKernelSize = -21767;
inline constexpr vImage_Error kvImageInvalidEdgeStyle = -21768;
inline constexpr vImage_Error kvImageInvalidOffset_X = -21769;
inline constexpr vImage_Error kvImageInvalidOffset_Y = -21770;
inline constexpr vImage_Error kvImageNullPointerArgument = -21772;
inline constexpr vImage_Error kvImageInvalidParameter = -21773;
inline constexpr vImage_Error kvImageBufferSizeMismatch = -21774;
inline constexpr vImage_Error kvImageUnknownFlagsBit = -21775;

}  // namespace ios
