#pragma once

#include <QuartzCore/CALayer.h>

#include <optional>
#include <vector>

namespace ios {

// An axial gradient across the bounds. Points are in the unit square, top-left origin: the default
// runs from the middle of the top edge (0.5, 0) to the middle of the bottom edge (0.5, 1). Without
// `locations` the colours are spread evenly.
class CAGradientLayer : public CALayer {
 public:
  static std::shared_ptr<CAGradientLayer> create();

  const std::vector<CGColor>& colors() const { return colors_; }
  void setColors(std::vector<CGColor> colors);
  const std::optional<std::vector<CGFloat>>& locations() const { return locations_; }
  void setLocations(std::optional<std::vector<CGFloat>> locations);
  CGPoint startPoint() const { return startPoint_; }
  void setStartPoint(CGPoint point);
  CGPoint endPoint() const { return endPoint_; }
  void setEndPoint(CGPoint point);

  void draw(CGContext& context) const override;

 private:
  std::vector<CGColor> colors_;
  std::optional<std::vector<CGFloat>> locations_;
  CGPoint startPoint_{0.5, 0};
  CGPoint endPoint_{0.5, 1};
};

}  // namespace ios
