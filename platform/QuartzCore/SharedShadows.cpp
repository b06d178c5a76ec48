#include <QuartzCore/SharedShadows.h>

#include <algorithm>

namespace ios {

namespace {

std::size_t bytesOf(const SurfaceRef& surface) {
  if (!surface) return 0;
  return static_cast<std::size_t>(cairo_image_surface_get_stride(surface.get())) *
         static_cast<std::size_t>(cairo_image_surface_get_height(surface.get()));
}

}  // namespace

SurfaceRef SharedShadows::alpha(const Key& key, const std::function<SurfaceRef()>& make) {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  if (found != entries_.end()) {
    entries_.splice(entries_.begin(), entries_, found);
    ++hits_;
    return entries_.front().alpha.share();
  }
  SurfaceRef made = make();
  if (made) admit(Entry{key, made.share(), {}, bytesOf(made)});
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
