#pragma once

// Pictures drawn at the size and place they are shown, kept for the layers that show them. Platform
// code only (it exposes Cairo).

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/BoundedCache.h>
#include <QuartzCore/LayerBacking.h>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace ios {

// A list shows the same logo in many cards, and each new card would scale it again from its full
// size, the costliest filter there is for a picture this small. What a picture looks like scaled
// into a rectangle depends only on its pixels, the rectangle and where the layer sits on the pixel
// grid, so layers showing it the same way share one copy. Entries match on all of these; the least
// recently used go first beyond `capacityBytes`. A surface handed out is never drawn into again,
// and a layer keeps its own reference when its entry goes.
//
// One cache per thread (`current()`): Cairo surfaces are not shared between threads here.
class ScaledPictures {
 public:
  struct Key {
    std::uint64_t image = 0;  // the picture's identity
    CGRect rect;              // where it is drawn, in layer coordinates
    PixelPlacement placement;
    bool operator==(const Key&) const = default;
  };

  explicit ScaledPictures(std::size_t capacityBytes) : pictures_({.bytes = capacityBytes}) {}

  // The picture for `key`, drawn by `draw` when no layer drew it yet.
  SurfaceRef picture(const Key& key, const std::function<SurfaceRef()>& draw);

  // For tests and benchmarks: pictures handed out without being drawn.
  std::size_t hits() const { return hits_; }
  std::size_t entries() const { return pictures_.count(); }
  void clear();

  // The calling thread's cache (16 MB).
  static ScaledPictures& current();

 private:
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };

  BoundedCache<Key, SurfaceRef, KeyHash> pictures_;
  std::size_t hits_ = 0;
};

}  // namespace ios
