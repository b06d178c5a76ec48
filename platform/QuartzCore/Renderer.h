#pragma once

#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGImage.h>
#include <QuartzCore/CALayer.h>

#include <memory>

namespace ios {

// Draws layer trees with Cairo. Per layer, in order: the shadow (from `shadowPath`, or from the
// alpha of everything the layer draws), the background (rounded by `cornerRadius`), the contents,
// the layer's own drawing, the sublayers by `zPosition` (clipped to the rounded bounds when
// `masksToBounds`), and the border; then the mask and the opacity apply to the whole. Hidden and
// fully transparent layers draw nothing.
class Renderer {
 public:
  // Draws `root` and its sublayers into `context`, in `root`'s bounds coordinates (its own
  // position and transform are not applied, as `render(in:)` does).
  static void render(const CALayer& root, CGContext& context);
  // The same into a new transparent image of the root's bounds size at `scale` pixels a point; null
  // for empty bounds.
  static std::shared_ptr<CGImage> renderImage(const CALayer& root, CGFloat scale);

  // Blurs an 8-bit alpha buffer in place with three box passes approximating a Gaussian of
  // standard deviation `sigma` pixels; pixels outside the buffer count as transparent.
  static void blurAlpha(unsigned char* data, int width, int height, int stride, double sigma);
};

}  // namespace ios
