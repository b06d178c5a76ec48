#include <Ultilities/Extensions/GradientViewBase.h>

namespace kerbelin {

GradientViewBase::GradientViewBase(const ios::CGRect& frame)
    : ios::UIView(frame, ios::CAGradientLayer::create()) {}

void GradientViewBase::setStartColor(std::shared_ptr<ios::UIColor> color) {
  startColor_ = std::move(color);
  updateColors();
}

void GradientViewBase::setEndColor(std::shared_ptr<ios::UIColor> color) {
  endColor_ = std::move(color);
  updateColors();
}

void GradientViewBase::setStartLocation(double location) {
  startLocation_ = location;
  updateLocations();
}

void GradientViewBase::setEndLocation(double location) {
  endLocation_ = location;
  updateLocations();
}

void GradientViewBase::setHorizontalMode(bool on) {
  horizontalMode_ = on;
  updatePoints();
}

void GradientViewBase::setDiagonalMode(bool on) {
  diagonalMode_ = on;
  updatePoints();
}

std::shared_ptr<ios::CAGradientLayer> GradientViewBase::gradientLayer() const {
  return std::static_pointer_cast<ios::CAGradientLayer>(layer());
}

void GradientViewBase::updatePoints() {
  const auto gradient = gradientLayer();
  if (horizontalMode()) {
    gradient->setStartPoint(diagonalMode() ? ios::CGPoint{1, 0} : ios::CGPoint{0, 0.5});
    gradient->setEndPoint(diagonalMode() ? ios::CGPoint{0, 1} : ios::CGPoint{1, 0.5});
  } else {
    gradient->setStartPoint(diagonalMode() ? ios::CGPoint{0, 0} : ios::CGPoint{0.5, 0});
    gradient->setEndPoint(diagonalMode() ? ios::CGPoint{1, 1} : ios::CGPoint{0.5, 1});
  }
}

void GradientViewBase::updateLocations() {
  gradientLayer()->setLocations(std::vector<ios::CGFloat>{startLocation(), endLocation()});
}

void GradientViewBase::updateColors() {
  // A colour set to none from an interface file draws as clear rather than failing.
  auto cg = [](const std::shared_ptr<ios::UIColor>& color) {
    return color ? color->cgColor() : ios::CGColor::clear();
  };
  gradientLayer()->setColors({cg(startColor()), cg(endColor())});
}

void GradientViewBase::layoutSubviews() {
  ios::UIView::layoutSubviews();
  updatePoints();
  updateLocations();
  updateColors();
}

}  // namespace kerbelin
