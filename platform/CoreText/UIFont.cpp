#include <CoreText/UIFont.h>

#include "PangoFontDescription.h"
#include "PangoFontSystem.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <utility>

namespace ios {

struct UIFont::Private {};

namespace {

constexpr CGFloat kDefaultSize = 12.0;

CGFloat sanitizedSize(CGFloat size) {
  return std::isfinite(size) && size > 0 ? size : kDefaultSize;
}

struct NamedFace {
  UIFontWeight weight;
  bool italic;
};

const std::map<std::string_view, NamedFace>& knownNames() {
  using W = UIFontWeight;
  static const std::map<std::string_view, NamedFace> names = {
      {"DejaVuSans", {W::regular, false}},
      {"DejaVu Sans", {W::regular, false}},
      {"DejaVuSans-Bold", {W::bold, false}},
      {"DejaVuSans-Oblique", {W::regular, true}},
      {"DejaVuSans-BoldOblique", {W::bold, true}},
      {".SFUI-Regular", {W::regular, false}},
      {".SFUI-Medium", {W::medium, false}},
      {".SFUI-Semibold", {W::semibold, false}},
      {".SFUI-Bold", {W::bold, false}},
      {".SFUIText", {W::regular, false}},
      {".SFUIText-Medium", {W::medium, false}},
      {".SFUIText-Semibold", {W::semibold, false}},
      {".SFUIText-Bold", {W::bold, false}},
      {"-apple-system", {W::regular, false}},
      {"system-ui", {W::regular, false}},
      {"HelveticaNeue", {W::regular, false}},
      {"Helvetica Neue", {W::regular, false}},
      {"HelveticaNeue-UltraLight", {W::ultraLight, false}},
      {"HelveticaNeue-Thin", {W::thin, false}},
      {"HelveticaNeue-Light", {W::light, false}},
      {"HelveticaNeue-Medium", {W::medium, false}},
      {"HelveticaNeue-Bold", {W::bold, false}},
      {"HelveticaNeue-Italic", {W::regular, true}},
      {"HelveticaNeue-LightItalic", {W::light, true}},
      {"HelveticaNeue-MediumItalic", {W::medium, true}},
      {"HelveticaNeue-BoldItalic", {W::bold, true}},
      {"Helvetica", {W::regular, false}},
      {"Helvetica-Light", {W::light, false}},
      {"Helvetica-Bold", {W::bold, false}},
      {"Helvetica-Oblique", {W::regular, true}},
      {"Helvetica-BoldOblique", {W::bold, true}},
      {"Arial", {W::regular, false}},
      {"ArialMT", {W::regular, false}},
      {"Arial-BoldMT", {W::bold, false}},
      {"Arial-ItalicMT", {W::regular, true}},
      {"Arial-BoldItalicMT", {W::bold, true}},
  };
  return names;
}

struct WeightRow {
  UIFontWeight weight;
  int css;
};
constexpr WeightRow kWeights[] = {
    {UIFontWeight::ultraLight, 100}, {UIFontWeight::thin, 200},   {UIFontWeight::light, 300},
    {UIFontWeight::regular, 400},    {UIFontWeight::medium, 500}, {UIFontWeight::semibold, 600},
    {UIFontWeight::bold, 700},       {UIFontWeight::heavy, 800},  {UIFontWeight::black, 900},
};

CGFloat fromPango(int units) {
  return static_cast<CGFloat>(units) / PANGO_SCALE;
}

}  // namespace

int cssWeight(UIFontWeight weight) {
  return kWeights[static_cast<int>(weight)].css;
}

UIFontWeight weightFromCSS(int css) {
  int index = std::clamp((css + 50) / 100, 1, 9) - 1;
  return kWeights[index].weight;
}

UIFont::UIFont(const Private&, CGFloat size, Weight weight, bool italic)
    : size_(sanitizedSize(size)), weight_(weight), italic_(italic) {}

std::shared_ptr<UIFont> UIFont::create(CGFloat size, Weight weight, bool italic) {
  return std::make_shared<UIFont>(Private{}, size, weight, italic);
}

std::shared_ptr<UIFont> UIFont::systemFont(CGFloat size) {
  return create(size, Weight::regular, false);
}
std::shared_ptr<UIFont> UIFont::systemFont(CGFloat size, Weight weight) {
  return create(size, weight, false);
}
std::shared_ptr<UIFont> UIFont::boldSystemFont(CGFloat size) {
  return create(size, Weight::bold, false);
}

std::shared_ptr<UIFont> UIFont::create(std::string_view name, CGFloat size) {
  const auto& names = knownNames();
  auto it = names.find(name);
  if (it == names.end()) return nullptr;
  return create(size, it->second.weight, it->second.italic);
}

bool UIFont::isBold() const {
  return cssWeight(weight_) >= 600;
}

UIFont::Face UIFont::face() const {
  if (isBold()) return italic_ ? Face::boldOblique : Face::bold;
  return italic_ ? Face::oblique : Face::regular;
}

std::string UIFont::fontName() const {
  switch (face()) {
    case Face::regular:
      return "DejaVuSans";
    case Face::bold:
      return "DejaVuSans-Bold";
    case Face::oblique:
      return "DejaVuSans-Oblique";
    case Face::boldOblique:
      return "DejaVuSans-BoldOblique";
  }
  return "DejaVuSans";
}

const UIFont::Metrics& UIFont::metrics() const {
  if (metrics_) return *metrics_;
  // Fonts are made often (every `systemFont(ofSize:)` call); their metrics are read once per face
  // and size.
  static std::mutex mutex;
  static std::map<std::pair<Face, CGFloat>, Metrics> cache;
  std::lock_guard lock(mutex);
  auto key = std::make_pair(face(), size_);
  if (auto it = cache.find(key); it != cache.end()) {
    metrics_ = it->second;
    return *metrics_;
  }
  PangoContext* context = detail::pinnedContext();
  PangoFontDescription* description = detail::pangoFontDescription(*this);
  PangoFontMetrics* pangoMetrics = pango_context_get_metrics(context, description, nullptr);
  Metrics m{fromPango(pango_font_metrics_get_ascent(pangoMetrics)),
            -fromPango(pango_font_metrics_get_descent(pangoMetrics))};
  pango_font_metrics_unref(pangoMetrics);
  pango_font_description_free(description);
  if (cache.size() >= 1024) cache.clear();  // hostile HTML can ask for any number of sizes
  cache.emplace(key, m);
  metrics_ = m;
  return *metrics_;
}

CGFloat UIFont::ascender() const {
  return metrics().ascender;
}
CGFloat UIFont::descender() const {
  return metrics().descender;
}
CGFloat UIFont::lineHeight() const {
  return ascender() - descender() + leading();
}

std::shared_ptr<UIFont> UIFont::withSize(CGFloat size) const {
  return create(size, weight_, italic_);
}

bool UIFont::isEqual(const UIFont& other) const {
  return size_ == other.size_ && weight_ == other.weight_ && italic_ == other.italic_;
}

bool sameFont(const std::shared_ptr<const UIFont>& a, const std::shared_ptr<const UIFont>& b) {
  if (!a || !b) return !a && !b;
  return *a == *b;
}

}  // namespace ios
