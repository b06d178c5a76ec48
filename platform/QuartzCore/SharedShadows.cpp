#include <QuartzCore/SharedShadows.h>

#include <QuartzCore/KeyHashes.h>
#include <QuartzCore/ShadowMaskCache.h>

#include <cstring>

namespace ios {

namespace {

std::size_t bytesOf(const SurfaceRef& surface) {
  if (!surface) return 0;
  return static_cast<std::size_t>(cairo_image_surface_get_stride(surface.get())) *
         static_cast<std::size_t>(cairo_image_surface_get_height(surface.get()));
}

// The bytes of a row that hold pixels (the stride may pad it).
int rowBytes(cairo_surface_t* s) {
  const int width = cairo_image_surface_get_width(s);
  return cairo_image_surface_get_format(s) == CAIRO_FORMAT_A8 ? width : 4 * width;
}

std::uint64_t digestOf(cairo_surface_t* s) {
  return ShadowMaskCache::hash(cairo_image_surface_get_data(s), rowBytes(s), cairo_image_surface_get_height(s),
                               cairo_image_surface_get_stride(s));
}

bool samePixels(cairo_surface_t* a, cairo_surface_t* b) {
  double ax = 0, ay = 0, bx = 0, by = 0;
  cairo_surface_get_device_offset(a, &ax, &ay);
  cairo_surface_get_device_offset(b, &bx, &by);
  const int height = cairo_image_surface_get_height(a);
  if (ax != bx || ay != by || cairo_image_surface_get_format(a) != cairo_image_surface_get_format(b) ||
      cairo_image_surface_get_width(a) != cairo_image_surface_get_width(b) || height != cairo_image_surface_get_height(b))
    return false;
  const unsigned char* rowA = cairo_image_surface_get_data(a);
  const unsigned char* rowB = cairo_image_surface_get_data(b);
  for (int y = 0; y < height; ++y) {
    if (std::memcmp(rowA, rowB, static_cast<std::size_t>(rowBytes(a))) != 0) return false;
    rowA += cairo_image_surface_get_stride(a);
    rowB += cairo_image_surface_get_stride(b);
  }
  return true;
}

}  // namespace

SharedShadows::SharedShadows(std::size_t capacityBytes)
    : shapes_({.bytes = capacityBytes},
              [this](const Key&, const Entry& entry) { byAlpha_.erase(entry.alpha.get()); }) {}

std::size_t SharedShadows::KeyHash::operator()(const Key& key) const {
  HashMix mix;
  mixInto(mix, key.placement);
  mixInto(mix, key.extent);
  mixInto(mix, key.bounds);
  mix.add(key.cornerRadius).add(key.radius).add(key.content).add(key.path.has_value());
  return key.path ? mixInto(mix, *key.path).value() : mix.value();
}

template <typename Accept>
SurfaceRef SharedShadows::hit(const Key& key, Accept&& accept) {
  const Entry* kept = shapes_.find(key, accept);
  if (!kept) return {};
  ++hits_;
  return kept->alpha.share();
}

void SharedShadows::admit(const Key& key, Entry entry, std::size_t bytes) {
  cairo_surface_t* alpha = entry.alpha.get();
  if (const Shapes::Handle kept = shapes_.keep(key, std::move(entry), bytes))
    byAlpha_.insert_or_assign(alpha, kept);
}

SurfaceRef SharedShadows::alike(Key key, SurfaceRef made) {
  if (!made) return made;
  cairo_surface_t* surface = made.get();
  cairo_surface_flush(surface);
  key.content = digestOf(surface) | 1;
  if (SurfaceRef kept = hit(key, [&](const Entry& e) { return samePixels(e.alpha.get(), surface); }))
    return kept;
  admit(key, Entry{made.share(), {}, {}}, bytesOf(made));
  return made;
}

SurfaceRef SharedShadows::alpha(Key key, const std::vector<unsigned char>& source,
                                const std::function<SurfaceRef()>& make) {
  key.content = ShadowMaskCache::hash(source.data(), static_cast<int>(source.size()), 1, 0) | 1;
  if (SurfaceRef kept = hit(key, [&](const Entry& e) { return !e.source.empty() && e.source == source; }))
    return kept;
  SurfaceRef made = make();
  if (made) admit(key, Entry{made.share(), source, {}}, bytesOf(made) + source.size());
  return made;
}

SurfaceRef SharedShadows::alpha(const Key& key, const std::function<SurfaceRef()>& make) {
  if (SurfaceRef kept = hit(key, [](const Entry&) { return true; })) return kept;
  SurfaceRef made = make();
  if (made) admit(key, Entry{made.share(), {}, {}}, bytesOf(made));
  return made;
}

SurfaceRef SharedShadows::colored(cairo_surface_t* alpha, const CGColor::RGBA& color,
                                  const std::function<SurfaceRef()>& make) {
  const auto indexed = byAlpha_.find(alpha);
  if (indexed == byAlpha_.end()) return make();
  const Shapes::Handle kept = indexed->second;
  Entry& entry = shapes_.find(kept);
  for (const auto& [c, surface] : entry.colors) {
    if (!(c == color)) continue;
    ++hits_;
    return surface.share();
  }
  SurfaceRef made = make();
  if (!made) return made;
  entry.colors.emplace_back(color, made.share());
  // Layers keep their own references: what goes here is only no longer shared.
  shapes_.grow(kept, bytesOf(made));
  return made;
}

void SharedShadows::clear() {
  shapes_.clear();
  hits_ = 0;
}

SharedShadows& SharedShadows::current() {
  thread_local SharedShadows cache(32u << 20);
  return cache;
}

}  // namespace ios
