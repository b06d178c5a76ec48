#pragma once

#include <Accelerate/vImage_Buffer.h>

namespace ios {

// A box (mean) filter over a kernel_height x kernel_width window on all four channels of 8-bit,
// 4-channel pixels. Channels are independent, so the channel order does not matter (our bitmaps
// are B, G, R, A in memory). Each destination pixel (x, y) is the mean of the source window centred
// on (x + srcOffsetToROI_X, y + srcOffsetToROI_Y), rounded to nearest (halves up); the destination's
// size is the region of interest.
//
// Edges: exactly one of `kvImageEdgeExtend` (pixels outside the source repeat the nearest edge
// pixel) or `kvImageBackgroundColorFill` (they are `backgroundColor`, in memory order) must be given;
// `kvImageCopyInPlace` and `kvImageTruncateKernel` are not supported and give
// `kvImageInvalidEdgeStyle`. `kvImageDoNotTile` is accepted and ignored.
//
// Errors: even or zero kernel sizes give `kvImageInvalidKernelSize`; null buffers, or a null
// `backgroundColor` with background fill, give `kvImageNullPointerArgument`; a region that does not
// fit the source gives `kvImageRoiLargerThanInputBuffer` (or `kvImageInvalidOffset_X/Y` when the
// offset alone lies outside it); a row size smaller than width * 4 gives `kvImageInvalidParameter`.
//
// `tempBuffer` may be null: the working memory (two rows of sums) is allocated internally, so
// `kvImageGetTempBufferSize` answers 0. The source and destination may overlap.
vImage_Error vImageBoxConvolve_ARGB8888(const vImage_Buffer* src, const vImage_Buffer* dest, void* tempBuffer,
                                        vImagePixelCount srcOffsetToROI_X, vImagePixelCount srcOffsetToROI_Y,
                                        std::uint32_t kernel_height, std::uint32_t kernel_width,
                                        const Pixel_8888 backgroundColor, vImage_Flags flags);

}  // namespace ios
