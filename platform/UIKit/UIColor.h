#pragma once

#include <CoreGraphics/CGColor.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

// A colour object. It keeps the colour space it was made in: `UIColor(white:alpha:)` is a grey with
// two components, `UIColor(red:green:blue:alpha:)` an RGB colour with four, and `cgColor()` hands
// them out as they are. Immutable, so the standard colours are shared instances.
class UIColor : public NSObject {
 public:
  static std::shared_ptr<UIColor> create(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
  static std::shared_ptr<UIColor> create(CGFloat white, CGFloat alpha);
  static std::shared_ptr<UIColor> create(const CGColor& color);
  explicit UIColor(const CGColor& color) : color_(color) {}

  static const std::shared_ptr<UIColor>& clear();
  static const std::shared_ptr<UIColor>& black();
  static const std::shared_ptr<UIColor>& white();
  static const std::shared_ptr<UIColor>& darkGray();   // white 1/3
  static const std::shared_ptr<UIColor>& gray();       // white 1/2
  static const std::shared_ptr<UIColor>& lightGray();  // white 2/3
  static const std::shared_ptr<UIColor>& red();
  static const std::shared_ptr<UIColor>& green();
  static const std::shared_ptr<UIColor>& blue();
  static const std::shared_ptr<UIColor>& yellow();
  static const std::shared_ptr<UIColor>& orange();
  // The system tint: RGB (0, 122, 255).
  static const std::shared_ptr<UIColor>& systemBlue();

  const CGColor& cgColor() const { return color_; }
  CGFloat alpha() const { return color_.alpha(); }
  std::shared_ptr<UIColor> withAlphaComponent(CGFloat alpha) const;

  // Both succeed for either colour space: a grey gives red = green = blue = white, and an RGB
  // colour gives its luma (0.299 R + 0.587 G + 0.114 B) as white. Components are clamped to 0...1;
  // any output pointer may be null.
  bool getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;
  bool getWhite(CGFloat* white, CGFloat* alpha) const;

  // Equal colour space and components.
  bool isEqual(const UIColor& other) const { return color_ == other.color_; }
  std::string description() const override;

 private:
  CGColor color_;
};

// Null-tolerant comparison of optional colours, as `==` on `UIColor?` is in Swift.
bool equalColors(const std::shared_ptr<UIColor>& a, const std::shared_ptr<UIColor>& b);

}  // namespace ios
