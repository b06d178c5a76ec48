#include <Ultilities/Extensions/UIImageEffectsExtension.h>

#include <Accelerate/vImageConvolution.h>
#include <Accelerate/vImageTransform.h>
#include <Accelerate/vImage_Buffer.h>
#include <CoreGraphics/CGContext.h>
#include <Foundation/Console.h>
#include <Foundation/NumberFormatting.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIScreen.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

namespace kerbelin {

using ios::CGFloat;
using ios::CGRect;
using ios::CGSize;

namespace {

constexpr CGFloat kLumaBlue = 0.0722;
constexpr CGFloat kLumaGreen = 0.7152;
constexpr CGFloat kLumaRed = 0.2126;

// The pixels of one effect context. The platform's bitmap contexts do not lend out their memory, so
// each context's pixels are taken into a bitmap of their own and the passes run there, in place.
ios::vImage_Buffer createEffectBuffer(const std::shared_ptr<ios::CGImage>& pixels) {
  ios::vImage_Buffer buffer;
  if (!pixels) return buffer;
  buffer.data = pixels->mutablePixels();
  buffer.height = static_cast<ios::vImagePixelCount>(pixels->height());
  buffer.width = static_cast<ios::vImagePixelCount>(pixels->width());
  buffer.rowBytes = pixels->bytesPerRow();
  return buffer;
}

// Opens an image context of `size`; the caller ends it. Null when it cannot be made.
ios::CGContext* beginContext(CGSize size, CGFloat scale) {
  ios::UIGraphicsBeginImageContextWithOptions(size, false, scale);
  return ios::UIGraphicsGetCurrentContext();
}

// Our contexts are y-down already, so the receiver is drawn upright without the flip.
void drawImage(ios::CGContext& context, const ios::CGImage& image, const CGRect& rect) {
  context.draw(image, rect);
}

// Each pixel of `effect` scaled by the mask's coverage at that pixel: the mask's alpha or, when the
// mask is opaque everywhere, its grey level (luma), as a clip to a mask image lets it through.
bool applyMask(ios::CGImage& effect, const ios::CGImage& mask, const CGRect& rect, CGFloat scale) {
  auto context = ios::CGContext::bitmap(rect.size, scale);
  if (!context) return false;
  context->draw(mask, rect);
  auto coverage = context->makeImage();
  if (!coverage || coverage->width() != effect.width() || coverage->height() != effect.height()) return false;
  const bool useAlpha = mask.hasAlpha();
  const std::size_t count =
      static_cast<std::size_t>(effect.width()) * static_cast<std::size_t>(effect.height());
  std::uint32_t* out = effect.mutablePixels();
  const std::uint32_t* in = coverage->pixels();
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t m = in[i];
    unsigned level = m >> 24;
    if (!useAlpha) {
      const double luma = 0.299 * ((m >> 16) & 0xFF) + 0.587 * ((m >> 8) & 0xFF) + 0.114 * (m & 0xFF);
      level = static_cast<unsigned>(std::lround(luma));
    }
    std::uint32_t pixel = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const unsigned channel = (out[i] >> shift) & 0xFF;
      pixel |= static_cast<std::uint32_t>((channel * level + 127) / 255) << shift;
    }
    out[i] = pixel;
  }
  return true;
}

}  // namespace

std::optional<std::uint32_t> blurBoxSize(CGFloat inputRadius) {
  const double factor = std::sqrt(2 * M_PI) * 3 / 4;
  const double size = std::floor(inputRadius * factor + 0.5);
  if (!std::isfinite(size) || size < 0 ||
      size >= static_cast<double>(std::numeric_limits<std::uint32_t>::max())) {
    return std::nullopt;
  }
  auto radius = static_cast<std::uint32_t>(size);
  if (radius % 2 != 1) radius += 1;
  return radius;
}

std::optional<std::array<std::int16_t, 16>> saturationMatrix(CGFloat s) {
  // clang-format off
  const CGFloat floating[16] = {
      kLumaBlue + 0.9278 * s,  kLumaBlue - kLumaBlue * s,   kLumaBlue - kLumaBlue * s,  0,
      kLumaGreen - kLumaGreen * s, kLumaGreen + 0.2848 * s, kLumaGreen - kLumaGreen * s, 0,
      kLumaRed - kLumaRed * s, kLumaRed - kLumaRed * s,     kLumaRed + 0.7873 * s,      0,
      0,                       0,                           0,                          1,
  };
  // clang-format on
  std::array<std::int16_t, 16> matrix{};
  for (std::size_t i = 0; i < 16; ++i) {
    const double scaled = std::round(floating[i] * 256.0);
    if (!std::isfinite(scaled) || scaled < std::numeric_limits<std::int16_t>::min() ||
        scaled > std::numeric_limits<std::int16_t>::max()) {
      return std::nullopt;
    }
    matrix[i] = static_cast<std::int16_t>(scaled);
  }
  return matrix;
}

std::shared_ptr<ios::UIImage> applyLightEffect(const ios::UIImage& image) {
  return applyBlurWithRadius(image, 30, ios::UIColor::create(0.9, 1.0, 0.1, 0.7), 1.8);
}

std::shared_ptr<ios::UIImage> applyExtraLightEffect(const ios::UIImage& image) {
  return applyBlurWithRadius(image, 20, ios::UIColor::create(0.97, 0.82), 1.8);
}

std::shared_ptr<ios::UIImage> applyDarkEffect(const ios::UIImage& image) {
  return applyBlurWithRadius(image, 20, ios::UIColor::create(0.11, 0.73), 1.8);
}

std::shared_ptr<ios::UIImage> applyTintEffectWithColor(const ios::UIImage& image,
                                                       const std::shared_ptr<ios::UIColor>& color) {
  const CGFloat effectColorAlpha = 0.6;
  std::shared_ptr<ios::UIColor> effectColor = color;
  if (color) {
    if (color->cgColor().numberOfComponents() == 2) {
      CGFloat white = 0;
      if (color->getWhite(&white, nullptr)) effectColor = ios::UIColor::create(white, effectColorAlpha);
    } else {
      CGFloat red = 0, green = 0, blue = 0;
      if (color->getRed(&red, &green, &blue, nullptr)) {
        effectColor = ios::UIColor::create(red, green, blue, effectColorAlpha);
      }
    }
  }
  return applyBlurWithRadius(image, 10, effectColor, -1.0);
}

std::shared_ptr<ios::UIImage> applyBlurWithRadius(const ios::UIImage& image, CGFloat blurRadius,
                                                  const std::shared_ptr<ios::UIColor>& tintColor,
                                                  CGFloat saturationDeltaFactor,
                                                  const std::shared_ptr<ios::UIImage>& maskImage) {
  const CGSize size = image.size();
  if (size.width < 1 || size.height < 1) {
    ios::print("*** error: invalid size: " + ios::doubleDescription(size.width) + " x " +
               ios::doubleDescription(size.height) +
               ". Both dimensions must be >= 1: " + image.description());
    return nullptr;
  }
  if (!image.cgImage()) {
    ios::print("*** error: image must be backed by a CGImage: " + image.description());
    return nullptr;
  }
  if (maskImage && !maskImage->cgImage()) {
    ios::print("*** error: maskImage must be backed by a CGImage: " + maskImage->description());
    return nullptr;
  }

  const double epsilon = static_cast<double>(FLT_EPSILON);
  const bool hasBlur = blurRadius > epsilon;
  const bool hasSaturationChange = std::fabs(saturationDeltaFactor - 1.0) > epsilon;
  const CGFloat scale = ios::UIScreen::main()->scale();
  const CGRect imageRect(0, 0, size.width, size.height);
  std::shared_ptr<ios::CGImage> effectPixels;

  if (hasBlur || hasSaturationChange) {
    std::optional<std::uint32_t> boxSize;
    std::optional<std::array<std::int16_t, 16>> matrix;
    if (hasBlur && !(boxSize = blurBoxSize(blurRadius * scale))) return nullptr;
    if (hasSaturationChange && !(matrix = saturationMatrix(saturationDeltaFactor))) return nullptr;

    ios::CGContext* effectInContext = beginContext(size, scale);
    std::shared_ptr<ios::CGImage> inPixels;
    if (effectInContext) {
      drawImage(*effectInContext, *image.cgImage(), imageRect);
      inPixels = effectInContext->makeImage();
    }
    ios::CGContext* effectOutContext = beginContext(size, scale);
    std::shared_ptr<ios::CGImage> outPixels = effectOutContext ? effectOutContext->makeImage() : nullptr;
    ios::UIGraphicsEndImageContext();
    ios::UIGraphicsEndImageContext();
    if (!inPixels || !outPixels) return nullptr;
    const ios::vImage_Buffer effectInBuffer = createEffectBuffer(inPixels);
    const ios::vImage_Buffer effectOutBuffer = createEffectBuffer(outPixels);

    if (hasBlur) {
      const std::uint32_t box = *boxSize;
      ios::vImageBoxConvolve_ARGB8888(&effectInBuffer, &effectOutBuffer, nullptr, 0, 0, box, box, nullptr,
                                      ios::kvImageEdgeExtend);
      ios::vImageBoxConvolve_ARGB8888(&effectOutBuffer, &effectInBuffer, nullptr, 0, 0, box, box, nullptr,
                                      ios::kvImageEdgeExtend);
      ios::vImageBoxConvolve_ARGB8888(&effectInBuffer, &effectOutBuffer, nullptr, 0, 0, box, box, nullptr,
                                      ios::kvImageEdgeExtend);
    }
    bool effectImageBuffersAreSwapped = false;
    if (hasSaturationChange) {
      if (hasBlur) {
        ios::vImageMatrixMultiply_ARGB8888(&effectOutBuffer, &effectInBuffer, matrix->data(), 256, nullptr,
                                           nullptr, 0);
        effectImageBuffersAreSwapped = true;
      } else {
        ios::vImageMatrixMultiply_ARGB8888(&effectInBuffer, &effectOutBuffer, matrix->data(), 256, nullptr,
                                           nullptr, 0);
      }
    }
    effectPixels = effectImageBuffersAreSwapped ? inPixels : outPixels;
  }

  ios::CGContext* outputContext = beginContext(size, scale);
  if (!outputContext) {
    ios::UIGraphicsEndImageContext();
    return nullptr;
  }
  drawImage(*outputContext, *image.cgImage(), imageRect);

  if (effectPixels) {
    outputContext->saveGState();
    bool show = true;
    if (maskImage) show = applyMask(*effectPixels, *maskImage->cgImage(), imageRect, scale);
    if (show) drawImage(*outputContext, *effectPixels, imageRect);
    outputContext->restoreGState();
  }

  if (tintColor) {
    outputContext->saveGState();
    outputContext->setFillColor(tintColor->cgColor());
    outputContext->fill(imageRect);
    outputContext->restoreGState();
  }

  auto outputImage = ios::UIGraphicsGetImageFromCurrentImageContext();
  ios::UIGraphicsEndImageContext();
  return outputImage;
}

}  // namespace kerbelin
