#pragma once

#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGImage.h>
#include <QuartzCore/CALayer.h>

#include <memory>

namespace ios {

// One-off pictures of layer trees (snapshots, `render(in:)`), drawn as a frame is (see
// LayerPainter.h): each layer's backing store and shadow are drawn when missing or out of date and
// reused otherwise. Kept frames that redraw only what changed are `CARenderer`'s.
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
