#pragma once

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGColor.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>
#include <CoreGraphics/CGPath.h>

#include <memory>
#include <vector>

struct _cairo_surface;

namespace ios {

enum class CGBlendMode {
  normal,
  multiply,
  screen,
  overlay,
  darken,
  lighten,
  clear,
  copy,
  sourceIn,
  sourceOut,
  sourceAtop,
  destinationOver,
  destinationIn,
  destinationOut,
  destinationAtop,
  xorMode
};
enum class CGLineCap { butt, round, square };
enum class CGLineJoin { miter, round, bevel };
enum class CGPathDrawingMode { fill, eoFill, stroke, fillStroke, eoFillStroke };
enum class CGInterpolationQuality { none, low, medium, high, defaultQuality };

// A drawing destination with CoreGraphics' operations, in UIKit's y-down coordinates. A bitmap
// context owns a premultiplied ARGB32 pixel buffer `scale` pixels a point; `makeImage()` copies it
// out. Drawing is Cairo underneath (see CGContextCairo.h for the renderer's access to it).
class CGContext {
 public:
  // A transparent bitmap of size * scale pixels (rounded up); null when the size is empty or absurd.
  static std::unique_ptr<CGContext> bitmap(CGSize size, CGFloat scale = 1, bool opaque = false);
  ~CGContext();
  CGContext(const CGContext&) = delete;
  CGContext& operator=(const CGContext&) = delete;

  CGSize size() const { return size_; }
  CGFloat scale() const { return scale_; }
  int pixelWidth() const;
  int pixelHeight() const;

  void saveGState();
  void restoreGState();

  // The current transformation from user space to points (the device scale is not included).
  CGAffineTransform ctm() const;
  void concatenate(const CGAffineTransform& transform);
  void translateBy(CGFloat tx, CGFloat ty);
  void scaleBy(CGFloat sx, CGFloat sy);
  void rotate(CGFloat angle);

  void setFillColor(const CGColor& color);
  void setStrokeColor(const CGColor& color);
  void setLineWidth(CGFloat width);
  void setLineCap(CGLineCap cap);
  void setLineJoin(CGLineJoin join);
  void setLineDash(CGFloat phase, const std::vector<CGFloat>& lengths);
  void setAlpha(CGFloat alpha);
  void setBlendMode(CGBlendMode mode);
  void setInterpolationQuality(CGInterpolationQuality quality);
  void setShouldAntialias(bool antialias);

  // The current path, built in user space and consumed by the next fill, stroke or clip.
  void beginPath();
  void addPath(const CGPath& path);
  void addRect(const CGRect& rect);
  void move(CGPoint to);
  void addLine(CGPoint to);
  void closePath();
  void drawPath(CGPathDrawingMode mode);
  void fillPath(bool evenOdd = false);
  void strokePath();
  // Intersects the clip with the current path and consumes it.
  void clip(bool evenOdd = false);
  void clip(const CGRect& rect);
  CGRect clipBoundingBox() const;

  void fill(const CGRect& rect);
  void fillEllipse(const CGRect& rect);
  void stroke(const CGRect& rect);
  void clear(const CGRect& rect);
  // Draws `image` scaled into `rect` (user space, y-down: the image's first row at the top).
  void draw(const CGImage& image, const CGRect& rect);
  // A linear gradient between two points across the whole clip; `locations` may be empty (even).
  void drawLinearGradient(const std::vector<CGColor>& colors, const std::vector<CGFloat>& locations,
                          CGPoint start, CGPoint end);

  // A copy of the pixels, or null for a context that is not a bitmap.
  std::shared_ptr<CGImage> makeImage() const;

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  friend std::unique_ptr<CGContext> makeContextForSurface(_cairo_surface* surface, CGSize size,
                                                          CGFloat scale);
  CGContext(std::unique_ptr<Impl> impl, CGSize size, CGFloat scale);

  std::unique_ptr<Impl> impl_;
  CGSize size_;
  CGFloat scale_;
};

}  // namespace ios
