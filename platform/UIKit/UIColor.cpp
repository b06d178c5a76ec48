#include <UIKit/UIColor.h>

#include <cstdio>

namespace ios {

namespace {
const auto registration = ClassRegistration<UIColor>("UIColor").factory([] { return UIColor::clear(); });

std::shared_ptr<UIColor> shared(CGColor color) { return std::make_shared<UIColor>(color); }
}  // namespace

std::shared_ptr<UIColor> UIColor::create(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
  return shared(CGColor::rgb(red, green, blue, alpha));
}

std::shared_ptr<UIColor> UIColor::create(CGFloat white, CGFloat alpha) { return shared(CGColor::grey(white, alpha)); }

std::shared_ptr<UIColor> UIColor::create(const CGColor& color) { return shared(color); }

#define KERBELIN_STANDARD_COLOR(name, value)         \
  const std::shared_ptr<UIColor>& UIColor::name() {  \
    static const auto color = shared(value);         \
    return color;                                    \
  }

KERBELIN_STANDARD_COLOR(clear, CGColor::grey(0, 0))
KERBELIN_STANDARD_COLOR(black, CGColor::grey(0, 1))
KERBELIN_STANDARD_COLOR(white, CGColor::grey(1, 1))
KERBELIN_STANDARD_COLOR(darkGray, CGColor::grey(1.0 / 3.0, 1))
KERBELIN_STANDARD_COLOR(gray, CGColor::grey(0.5, 1))
KERBELIN_STANDARD_COLOR(lightGray, CGColor::grey(2.0 / 3.0, 1))
KERBELIN_STANDARD_COLOR(red, CGColor::rgb(1, 0, 0, 1))
KERBELIN_STANDARD_COLOR(green, CGColor::rgb(0, 1, 0, 1))
KERBELIN_STANDARD_COLOR(blue, CGColor::rgb(0, 0, 1, 1))
KERBELIN_STANDARD_COLOR(yellow, CGColor::rgb(1, 1, 0, 1))
KERBELIN_STANDARD_COLOR(orange, CGColor::rgb(1, 0.5, 0, 1))
KERBELIN_STANDARD_COLOR(systemBlue, CGColor::rgb(0, 122.0 / 255.0, 1, 1))

#undef KERBELIN_STANDARD_COLOR

std::shared_ptr<UIColor> UIColor::withAlphaComponent(CGFloat alpha) const { return shared(color_.withAlpha(alpha)); }

bool UIColor::getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const {
  const auto c = color_.rgba();
  if (red) *red = c.red;
  if (green) *green = c.green;
  if (blue) *blue = c.blue;
  if (alpha) *alpha = c.alpha;
  return true;
}

bool UIColor::getWhite(CGFloat* white, CGFloat* alpha) const {
  // An RGB colour converts to grey by its luma, as the platform's colour conversion does.
  const auto c = color_.rgba();
  const CGFloat w = color_.model == CGColorSpaceModel::monochrome ? c.red
                                                                   : 0.299 * c.red + 0.587 * c.green + 0.114 * c.blue;
  if (white) *white = w;
  if (alpha) *alpha = c.alpha;
  return true;
}

std::string UIColor::description() const {
  char text[96];
  const auto& v = color_.values;
  if (color_.model == CGColorSpaceModel::monochrome) {
    std::snprintf(text, sizeof text, "UIExtendedGrayColorSpace %g %g", v[0], v[1]);
  } else {
    std::snprintf(text, sizeof text, "UIExtendedSRGBColorSpace %g %g %g %g", v[0], v[1], v[2], v[3]);
  }
  return text;
}

bool equalColors(const std::shared_ptr<UIColor>& a, const std::shared_ptr<UIColor>& b) {
  if (!a || !b) return a == b;
  return a->isEqual(*b);
}

}  // namespace ios
