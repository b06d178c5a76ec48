#include <UIKit/ImageAssetCatalog.h>

#include <CoreGraphics/CGContextCairo.h>
#include <Foundation/Bundle.h>
#include <UIKit/UIImage.h>

#include <librsvg/rsvg.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace ios {

namespace {

// Vector assets are icons; anything that would render larger than this is refused.
constexpr double kMaxSVGPixels = 1 << 24;

struct Key {
  const Bundle* bundle;
  std::string name;
  int scale;
  friend bool operator<(const Key& a, const Key& b) {
    return std::tie(a.bundle, a.name, a.scale) < std::tie(b.bundle, b.name, b.scale);
  }
};
struct Entry {
  std::weak_ptr<Bundle> bundle;
  std::shared_ptr<UIImage> image;
};

std::mutex cacheMutex;
std::map<Key, Entry>& cache() {
  static std::map<Key, Entry> entries;
  return entries;
}

std::string lowercase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The drawing's size in points (CSS pixels), from its width and height or else its view box.
bool intrinsicSize(RsvgHandle* handle, double& width, double& height) {
  if (rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) && width > 0 && height > 0)
    return true;
  gboolean hasWidth = FALSE, hasHeight = FALSE, hasViewBox = FALSE;
  RsvgLength w, h;
  RsvgRectangle viewBox;
  rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &w, &hasHeight, &h, &hasViewBox, &viewBox);
  if (!hasViewBox || !(viewBox.width > 0) || !(viewBox.height > 0)) return false;
  width = viewBox.width;
  height = viewBox.height;
  return true;
}

std::shared_ptr<UIImage> renderSVG(const std::string& bytes, int scale) {
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(bytes.data()), bytes.size(), &error);
  if (!handle) {
    if (error) g_error_free(error);
    return nullptr;
  }
  std::shared_ptr<UIImage> image;
  double width = 0, height = 0;
  if (intrinsicSize(handle, width, height) && width * height * scale * scale <= kMaxSVGPixels) {
    if (auto context = CGContext::bitmap(CGSize{width, height}, scale)) {
      const RsvgRectangle viewport{0, 0, width, height};
      if (rsvg_handle_render_document(handle, cairoContext(*context), &viewport, &error))
        image = UIImage::create(context->makeImage(), scale);
      if (error) g_error_free(error);
    }
  }
  g_object_unref(handle);
  return image;
}

std::shared_ptr<UIImage> loadPNG(const Bundle& bundle, std::string_view stem, int scale) {
  const std::string name =
      scale == 1 ? std::string(stem) : std::string(stem) + "@" + std::to_string(scale) + "x";
  const auto bytes = bundle.data(name, "png");
  return bytes ? UIImage::fromData(Data(*bytes), scale) : nullptr;
}

// Scales in the order they are tried after the preferred one: larger first, then smaller.
std::vector<int> fallbackScales(int preferred) {
  std::vector<int> scales;
  for (int s = preferred + 1; s <= 3; ++s) scales.push_back(s);
  for (int s = preferred - 1; s >= 1; --s) scales.push_back(s);
  return scales;
}

std::shared_ptr<UIImage> loadPNGFamily(const Bundle& bundle, std::string_view stem, int scale, bool trySVG) {
  if (auto image = loadPNG(bundle, stem, scale)) return image;
  if (trySVG) {
    if (const auto svg = bundle.data(stem, "svg"))
      if (auto image = renderSVG(*svg, scale)) return image;
  }
  for (int s : fallbackScales(scale))
    if (auto image = loadPNG(bundle, stem, s)) return image;
  return nullptr;
}

}  // namespace

std::shared_ptr<UIImage> ImageAssetCatalog::load(std::string_view name, const Bundle& bundle, int scale) {
  const auto dot = name.rfind('.');
  const std::string ext = dot == std::string_view::npos ? std::string() : lowercase(name.substr(dot + 1));
  if (ext == "png") return loadPNGFamily(bundle, name.substr(0, dot), scale, false);
  if (ext == "svg") {
    const auto bytes = bundle.data(name.substr(0, dot), name.substr(dot + 1));
    return bytes ? renderSVG(*bytes, scale) : nullptr;
  }
  if (ext == "jpg" || ext == "jpeg" || ext == "gif") {
    const auto bytes = bundle.data(name.substr(0, dot), name.substr(dot + 1));
    return bytes ? UIImage::fromData(Data(*bytes)) : nullptr;
  }
  return loadPNGFamily(bundle, name, scale, true);
}

std::shared_ptr<UIImage> ImageAssetCatalog::image(std::string_view name,
                                                  const std::shared_ptr<Bundle>& bundle,
                                                  CGFloat displayScale) {
  if (name.empty() || !bundle) return nullptr;
  const int scale = std::clamp(static_cast<int>(std::lround(displayScale)), 1, 3);
  Key key{bundle.get(), std::string(name), scale};
  {
    std::lock_guard lock(cacheMutex);
    auto found = cache().find(key);
    if (found != cache().end()) {
      if (found->second.bundle.lock() == bundle) return found->second.image;
      cache().erase(found);
    }
  }
  auto image = load(name, *bundle, scale);
  if (!image) return nullptr;
  const bool isMain = bundle == Bundle::main();
  image->assetName_ = (isMain ? std::string("main") : bundle->bundleIdentifier) + ": " + std::string(name);
  std::lock_guard lock(cacheMutex);
  std::erase_if(cache(), [](const auto& entry) { return entry.second.bundle.expired(); });
  cache()[key] = Entry{bundle, image};
  return image;
}

}  // namespace ios
