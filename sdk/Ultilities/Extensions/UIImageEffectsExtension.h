#pragma once

// Frosted-glass versions of an image: three box-filter passes standing in for a Gaussian blur, a
// saturation change by a luminance-weighted matrix, a translucent tint over the whole, and an
// optional mask limiting the blurred part. The result is a new image at the main screen's scale;
// the receiver is never changed. Each free function stands for the image member of the same name.

#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImage.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace kerbelin {

// Blur 30, tint (0.9, 1.0, 0.1, 0.7), saturation 1.8.
std::shared_ptr<ios::UIImage> applyLightEffect(const ios::UIImage& image);
// Blur 20, tint white 0.97 at alpha 0.82, saturation 1.8.
std::shared_ptr<ios::UIImage> applyExtraLightEffect(const ios::UIImage& image);
// Blur 20, tint white 0.11 at alpha 0.73, saturation 1.8.
std::shared_ptr<ios::UIImage> applyDarkEffect(const ios::UIImage& image);
// Blur 10, saturation -1.0, tinted with `color` at alpha 0.6 (a grey stays a grey); a colour whose
// components cannot be read tints unchanged.
std::shared_ptr<ios::UIImage> applyTintEffectWithColor(const ios::UIImage& image,
                                                       const std::shared_ptr<ios::UIColor>& color);

// The general operation. `blurRadius` is in points; a saturation factor of 1 leaves the colours.
// Returns null after one console line when the image is smaller than 1 x 1 point, has no bitmap,
// or the mask has no bitmap; also (silently) when a context cannot be made, the radius is beyond
// what the box filter takes, or a matrix entry does not fit 16 bits. The mask limits where the
// blurred and saturated image shows (its alpha, or its grey level when it is opaque everywhere); the
// tint covers the whole rectangle regardless.
std::shared_ptr<ios::UIImage> applyBlurWithRadius(const ios::UIImage& image, ios::CGFloat blurRadius,
                                                  const std::shared_ptr<ios::UIColor>& tintColor,
                                                  ios::CGFloat saturationDeltaFactor,
                                                  const std::shared_ptr<ios::UIImage>& maskImage = nullptr);

// The odd box size of each blur pass for a radius in pixels; nullopt beyond 32 bits.
std::optional<std::uint32_t> blurBoxSize(ios::CGFloat inputRadiusInPixels);
// The saturation matrix scaled by 256 and rounded, rows in pixel memory order (blue, green, red,
// alpha); nullopt when an entry does not fit 16 bits.
std::optional<std::array<std::int16_t, 16>> saturationMatrix(ios::CGFloat saturationDeltaFactor);

}  // namespace kerbelin
