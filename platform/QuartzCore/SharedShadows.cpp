#include <QuartzCore/SharedShadows.h>

#include <QuartzCore/ShadowMaskCache.h>

#include <algorithm>
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

SurfaceRef SharedShadows::alike(Key key, SurfaceRef made) {
  if (!made) return made;
  cairo_surface_t* surface = made.get();
  cairo_surface_flush(surface);
  key.content = digestOf(surface) | 1;
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.key == key && samePixels(e.alpha.get(), surface); });
  if (found != entries_.end()) {
    entries_.splice(entries_.begin(), entries_, found);
    ++hits_;
    return entries_.front().alpha.share();
  }
  admit(Entry{key, made.share(), {}, {}, bytesOf(made)});
  return made;
}

SurfaceRef SharedShadows::alpha(Key key, const std::vector<unsigned char>& source,
                                const std::function<SurfaceRef()>& make) {
  key.content = ShadowMaskCache::hash(source.data(), static_cast<int>(source.size()), 1, 0) | 1;
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return e.key == key && !e.source.empty() && e.source == source;
  });
  if (found != entries_.end()) {
    entries_.splice(entries_.begin(), entries_, found);
    ++hits_;
    return entries_.front().alpha.share();
  }
  SurfaceRef made = make();
  if (made) {
    const std::size_t bytes = bytesOf(made) + source.size();
    admit(Entry{key, made.share(), source, {}, bytes});
  }
  return made;
}

SurfaceRef SharedShadows::alpha(const Key& key, const std::function<SurfaceRef()>& make) {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  if (found != entries_.end()) {
    entries_.splice(entries_.begin(), entries_, found);
    ++hits_;
    return entries_.front().alpha.share();
  }
  SurfaceRef made = make();
  if (made) admit(Entry{key, made.share(), {}, {}, bytesOf(made)});
  return made;
}

SurfaceRef SharedShadows::colored(cairo_surface_t* alpha, const CGColor::RGBA& color,
                                  const std::function<SurfaceRef()>& make) {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.alpha.get() == alpha; });
  if (found == entries_.end()) return make();
  entries_.splice(entries_.begin(), entries_, found);
  Entry& entry = entries_.front();
  for (const auto& [c, surface] : entry.colors) {
    if (!(c == color)) continue;
    ++hits_;
    return surface.share();
  }
  SurfaceRef made = make();
  if (!made) return made;
  entry.colors.emplace_back(color, made.share());
  entry.bytes += bytesOf(made);
  bytes_ += bytesOf(made);
  trim();
  return made;
}

void SharedShadows::admit(Entry entry) {
  bytes_ += entry.bytes;
  entries_.push_front(std::move(entry));
  trim();
}

void SharedShadows::trim() {
  // Layers keep their own references: what goes here is only no longer shared.
  while (bytes_ > capacity_ && !entries_.empty()) {
    bytes_ -= entries_.back().bytes;
    entries_.pop_back();
  }
}

void SharedShadows::clear() {
  entries_.clear();
  bytes_ = hits_ = 0;
}

SharedShadows& SharedShadows::current() {
  thread_local SharedShadows cache(32u << 20);
  return cache;
}

}  // namespace ios
