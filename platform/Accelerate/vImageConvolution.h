#pragma once

#include <Accelerate/vImage_Buffer.h>

namespace ios {

// A box (mean) filter over a kernel_height x kernel_width window on all four channels of 8-bit,
// 4-channel pixels. Channels are independent, so the channel order does not matter (our bitmaps
// are B, G, R, A in memory). Each destination pixel (x, y) is the mean of the source window centred
// on (x, y), rounded to nearest (halves up). The system filters whole images, so regions of
// interest are not offered: both offsets must be 0.
//
// Edges: `kvImageEdgeExtend` (pixels outside the source repeat the nearest edge pixel) must be
// given, and it is the only edge rule: `kvImageBackgroundColorFill`, `kvImageCopyInPlace` and
// `kvImageTruncateKernel` give `kvImageInvalidEdgeStyle`, and `backgroundColor` is not read.
// `kvImageDoNotTile` is accepted and ignored.
//
// Errors: even or zero kernel sizes give `kvImageInvalidKernelSize`; null buffers give
// `kvImageNullPointerArgument`; a non-zero offset gives `kvImageInvalidOffset_X/Y`; a destination
// larger than the source gives `kvImageRoiLargerThanInputBuffer`; a row size smaller than width * 4
// gives `kvImageInvalidParameter`.
//
// `tempBuffer` may be null: the working memory (two rows of sums) is allocated internally, so
// `kvImageGetTempBufferSize` answers 0. The source and destination may overlap.
vImage_Error vImageBoxConvolve_ARGB8888(const vImage_Buffer* src, const vImage_Buffer* dest, void* tempBuffer,
                                        vImagePixelCount srcOffsetToROI_X, vImagePixelCount srcOffsetToROI_Y,
                                        std::uint32_t kernel_height, std::uint32_t kernel_width,
                                        const Pixel_8888 backgroundColor, vImage_Flags flags);

}  // namespace ios
