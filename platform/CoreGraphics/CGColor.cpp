#include <CoreGraphics/CGColor.h>

#include <algorithm>

namespace ios {

namespace {
CGFloat clamp01(CGFloat v) {
  return v != v ? 0.0 : std::clamp(v, 0.0, 1.0);
}
}  // namespace

CGColor CGColor::rgb(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
  return CGColor{CGColorSpaceModel::rgb, {red, green, blue, alpha}};
}

CGColor CGColor::grey(CGFloat white, CGFloat alpha) {
  return CGColor{CGColorSpaceModel::monochrome, {white, alpha, 0, 0}};
}

std::size_t CGColor::numberOfComponents() const {
  return model == CGColorSpaceModel::rgb ? 4 : 2;
}

std::vector<CGFloat> CGColor::components() const {
  return {values.begin(), values.begin() + static_cast<std::ptrdiff_t>(numberOfComponents())};
}

CGFloat CGColor::alpha() const {
  return model == CGColorSpaceModel::rgb ? values[3] : values[1];
}

CGColor CGColor::withAlpha(CGFloat newAlpha) const {
  CGColor copy = *this;
  copy.values[model == CGColorSpaceModel::rgb ? 3 : 1] = newAlpha;
  return copy;
}

CGColor::RGBA CGColor::rgba() const {
  if (model == CGColorSpaceModel::monochrome) {
    CGFloat w = clamp01(values[0]);
    return {w, w, w, clamp01(values[1])};
  }
  return {clamp01(values[0]), clamp01(values[1]), clamp01(values[2]), clamp01(values[3])};
}

bool operator==(const CGColor& a, const CGColor& b) {
  if (a.model != b.model) return false;
  for (std::size_t i = 0; i < a.numberOfComponents(); ++i) {
    if (a.values[i] != b.values[i]) return false;
  }
  return true;
}

}  // namespace ios
