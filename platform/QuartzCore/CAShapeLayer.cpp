#include <QuartzCore/CAShapeLayer.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<CAShapeLayer, CALayer>("CAShapeLayer")
                              .property("lineWidth", &CAShapeLayer::lineWidth, &CAShapeLayer::setLineWidth);

template <class T>
bool assign(T& field, T value) {
  if (field == value) return false;
  field = std::move(value);
  return true;
}
}  // namespace

std::shared_ptr<CAShapeLayer> CAShapeLayer::create() { return std::make_shared<CAShapeLayer>(); }

void CAShapeLayer::setPath(std::optional<CGPath> path) {
  if (assign(path_, std::move(path))) changed();
}
void CAShapeLayer::setFillColor(std::optional<CGColor> color) {
  if (assign(fillColor_, color)) changed();
}
void CAShapeLayer::setStrokeColor(std::optional<CGColor> color) {
  if (assign(strokeColor_, color)) changed();
}
void CAShapeLayer::setLineWidth(CGFloat width) {
  if (assign(lineWidth_, width)) changed();
}
void CAShapeLayer::setFillRule(CAShapeLayerFillRule rule) {
  if (assign(fillRule_, rule)) changed();
}
void CAShapeLayer::setLineDashPattern(std::vector<CGFloat> pattern) {
  if (assign(lineDashPattern_, std::move(pattern))) changed();
}

void CAShapeLayer::draw(CGContext& context) const {
  if (path_ && !path_->isEmpty()) {
    context.saveGState();
    if (fillColor_) {
      context.setFillColor(*fillColor_);
      context.beginPath();
      context.addPath(*path_);
      context.fillPath(fillRule_ == CAShapeLayerFillRule::evenOdd);
    }
    if (strokeColor_ && lineWidth_ > 0) {
      context.setStrokeColor(*strokeColor_);
      context.setLineWidth(lineWidth_);
      context.setLineDash(0, lineDashPattern_);
      context.beginPath();
      context.addPath(*path_);
      context.strokePath();
    }
    context.restoreGState();
  }
  CALayer::draw(context);
}

}  // namespace ios
