#pragma once

#include <QuartzCore/CALayer.h>

#include <optional>
#include <vector>

namespace ios {

enum class CAShapeLayerFillRule { nonZero, evenOdd };

// Fills and strokes a path in the layer's coordinates. Defaults as Core Animation: opaque black
// fill, no stroke, line width 1. As a mask, the filled path's alpha is what shows through.
class CAShapeLayer : public CALayer {
 public:
  static std::shared_ptr<CAShapeLayer> create();

  const std::optional<CGPath>& path() const { return path_; }
  void setPath(std::optional<CGPath> path);
  const std::optional<CGColor>& fillColor() const { return fillColor_; }
  void setFillColor(std::optional<CGColor> color);
  const std::optional<CGColor>& strokeColor() const { return strokeColor_; }
  void setStrokeColor(std::optional<CGColor> color);
  CGFloat lineWidth() const { return lineWidth_; }
  void setLineWidth(CGFloat width);
  CAShapeLayerFillRule fillRule() const { return fillRule_; }
  void setFillRule(CAShapeLayerFillRule rule);
  const std::vector<CGFloat>& lineDashPattern() const { return lineDashPattern_; }
  void setLineDashPattern(std::vector<CGFloat> pattern);

  void draw(CGContext& context) const override;

 private:
  std::optional<CGPath> path_;
  std::optional<CGColor> fillColor_ = CGColor::rgb(0, 0, 0, 1);
  std::optional<CGColor> strokeColor_;
  CGFloat lineWidth_ = 1;
  CAShapeLayerFillRule fillRule_ = CAShapeLayerFillRule::nonZero;
  std::vector<CGFloat> lineDashPattern_;
};

}  // namespace ios
