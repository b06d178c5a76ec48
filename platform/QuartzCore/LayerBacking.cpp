#include <QuartzCore/LayerBacking.h>

#include <utility>

namespace ios {

SurfaceRef& SurfaceRef::operator=(SurfaceRef&& other) noexcept {
  std::swap(surface_, other.surface_);
  return *this;
}

SurfaceRef::~SurfaceRef() {
  if (surface_) cairo_surface_destroy(surface_);
}

}  // namespace ios
