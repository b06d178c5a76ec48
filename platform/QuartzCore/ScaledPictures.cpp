#include <QuartzCore/ScaledPictures.h>

#include <algorithm>

namespace ios {

SurfaceRef ScaledPictures::picture(const Key& key, const std::function<SurfaceRef()>& draw) {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  if (found != entries_.end()) {
    entries_.splice(entries_.begin(), entries_, found);
    ++hits_;
    return found->surface.share();
  }
  SurfaceRef drawn = draw();
  if (!drawn) return drawn;
  const std::size_t bytes = static_cast<std::size_t>(cairo_image_surface_get_stride(drawn.get())) *
                            static_cast<std::size_t>(cairo_image_surface_get_height(drawn.get()));
  if (bytes > capacity_) return drawn;
  entries_.push_front({key, drawn.share(), bytes});
  for (bytes_ += bytes; bytes_ > capacity_;) {
    bytes_ -= entries_.back().bytes;
    entries_.pop_back();
  }
  return drawn;
}

void ScaledPictures::clear() {
  entries_.clear();
  bytes_ = hits_ = 0;
}

ScaledPictures& ScaledPictures::current() {
  thread_local ScaledPictures cache(16u << 20);
  return cache;
}

}  // namespace ios
