#include <QuartzCore/CAGradientLayer.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<CAGradientLayer, CALayer>("CAGradientLayer")
                              .property("startPoint", &CAGradientLayer::startPoint, &CAGradientLayer::setStartPoint)
                              .property("endPoint", &CAGradientLayer::endPoint, &CAGradientLayer::setEndPoint);
}

std::shared_ptr<CAGradientLayer> CAGradientLayer::create() { return std::make_shared<CAGradientLayer>(); }

void CAGradientLayer::setColors(std::vector<CGColor> colors) {
  if (colors == colors_) return;
  colors_ = std::move(colors);
  changed();
}

void CAGradientLayer::setLocations(std::optional<std::vector<CGFloat>> locations) {
  if (locations == locations_) return;
  locations_ = std::move(locations);
  changed();
}

void CAGradientLayer::setStartPoint(CGPoint point) {
  if (point == startPoint_) return;
  startPoint_ = point;
  changed();
}

void CAGradientLayer::setEndPoint(CGPoint point) {
  if (point == endPoint_) return;
  endPoint_ = point;
  changed();
}

void CAGradientLayer::draw(CGContext& context) const {
  if (colors_.empty()) return;
  const CGRect b = bounds();
  const CGPoint start{b.minX() + startPoint_.x * b.width(), b.minY() + startPoint_.y * b.height()};
  const CGPoint end{b.minX() + endPoint_.x * b.width(), b.minY() + endPoint_.y * b.height()};
  context.saveGState();
  context.clip(b);
  context.drawLinearGradient(colors_, locations_.value_or(std::vector<CGFloat>{}), start, end);
  context.restoreGState();
  CALayer::draw(context);
}

}  // namespace ios
