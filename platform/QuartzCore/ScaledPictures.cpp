#include <QuartzCore/ScaledPictures.h>

#include <QuartzCore/KeyHashes.h>

namespace ios {

std::size_t ScaledPictures::KeyHash::operator()(const Key& key) const {
  HashMix mix;
  mix.add(key.image);
  mixInto(mix, key.rect);
  return mixInto(mix, key.placement).value();
}

SurfaceRef ScaledPictures::picture(const Key& key, const std::function<SurfaceRef()>& draw) {
  if (const SurfaceRef* kept = pictures_.find(key)) {
    ++hits_;
    return kept->share();
  }
  SurfaceRef drawn = draw();
  if (!drawn) return drawn;
  const std::size_t bytes = static_cast<std::size_t>(cairo_image_surface_get_stride(drawn.get())) *
                            static_cast<std::size_t>(cairo_image_surface_get_height(drawn.get()));
  pictures_.keep(key, drawn.share(), bytes);
  return drawn;
}

void ScaledPictures::clear() {
  pictures_.clear();
  hits_ = 0;
}

ScaledPictures& ScaledPictures::current() {
  thread_local ScaledPictures cache(16u << 20);
  return cache;
}

}  // namespace ios
