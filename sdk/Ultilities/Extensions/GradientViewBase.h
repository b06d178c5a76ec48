#pragma once

// What the two gradient views (`GradientView` and the nested `UIView.GradientView`) share: a view
// whose own layer is a `CAGradientLayer`, painted from six settings that interface files can set by
// key ("startColor", "endColor", "startLocation", "endLocation", "horizontalMode", "diagonalMode").
//
// The settings reach the layer in three groups: a change applies its own group at once (colours,
// locations or points) and the first layout pass applies all three. Until then the layer carries
// none of them.

#include <QuartzCore/CAGradientLayer.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIView.h>

#include <memory>

namespace kerbelin {

class GradientViewBase : public ios::UIView {
 public:
  explicit GradientViewBase(const ios::CGRect& frame = ios::CGRect::zero);

  virtual std::shared_ptr<ios::UIColor> startColor() const { return startColor_; }
  virtual void setStartColor(std::shared_ptr<ios::UIColor> color);
  virtual std::shared_ptr<ios::UIColor> endColor() const { return endColor_; }
  virtual void setEndColor(std::shared_ptr<ios::UIColor> color);
  virtual double startLocation() const { return startLocation_; }
  virtual void setStartLocation(double location);
  virtual double endLocation() const { return endLocation_; }
  virtual void setEndLocation(double location);
  virtual bool horizontalMode() const { return horizontalMode_; }
  virtual void setHorizontalMode(bool on);
  virtual bool diagonalMode() const { return diagonalMode_; }
  virtual void setDiagonalMode(bool on);

  // The view's own layer.
  virtual std::shared_ptr<ios::CAGradientLayer> gradientLayer() const;
  // Start and end points from the two flags: top to bottom; with `diagonalMode` top left to bottom
  // right; with `horizontalMode` left to right; with both top right to bottom left.
  virtual void updatePoints();
  virtual void updateLocations();
  virtual void updateColors();

  void layoutSubviews() override;

 private:
  std::shared_ptr<ios::UIColor> startColor_ = ios::UIColor::black();
  std::shared_ptr<ios::UIColor> endColor_ = ios::UIColor::white();
  double startLocation_ = 0.05;
  double endLocation_ = 0.95;
  bool horizontalMode_ = false;
  bool diagonalMode_ = false;
};

}  // namespace kerbelin
