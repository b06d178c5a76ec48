#pragma once

// Blurred shadow shapes shared by layers that cast the same shadow. Platform code only (it exposes
// Cairo).

#include <CoreGraphics/CGColor.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGPath.h>
#include <Foundation/BoundedCache.h>
#include <QuartzCore/LayerBacking.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ios {

// A list of cards casts one shadow many times: the same rounded shape (or shadow path), blur and
// sub-pixel phase. The blurred alpha and its coloured versions depend on nothing else, so the
// cards share one copy of each instead of making their own. Entries match on every input to the
// pixels; the least recently used go first beyond `capacityBytes`. A surface handed out is never
// drawn into again, and a layer keeps its own reference when its entry goes.
//
// One cache per thread (`current()`): Cairo surfaces are not shared between threads here.
class SharedShadows {
 public:
  // What decides a shadow shape's pixels: the shape (a shadow path, or the rounded bounds when
  // `path` is empty), the area blurred, the blur radius and where the shape sits on the pixel grid.
  struct Key {
    PixelPlacement placement;
    CGRect extent;
    CGRect bounds;
    CGFloat cornerRadius = 0;
    CGFloat radius = 0;
    std::optional<CGPath> path;
    // For a shadow following its layer's alpha: a digest of the blurred alpha (the pixels are
    // compared too).
    std::uint64_t content = 0;
    bool operator==(const Key&) const = default;
  };

  explicit SharedShadows(std::size_t capacityBytes);

  // The blurred alpha for `key`, made by `make` when no layer made it yet.
  SurfaceRef alpha(const Key& key, const std::function<SurfaceRef()>& make);
  // `made`, or a surface with the same `key` and the same pixels made for another layer; the key's
  // content is set from `made`.
  SurfaceRef alike(Key key, SurfaceRef made);
  // The blurred alpha of the unblurred `source` for `key`: made by `make` unless a layer made it from
  // the same bytes. `source` is what decides the pixels beyond the key (the bytes the key's shape
  // does not fix); the key's content is set from it.
  SurfaceRef alpha(Key key, const std::vector<unsigned char>& source, const std::function<SurfaceRef()>& make);
  // `alpha` in `color` (premultiplied by its alpha), made by `make` once per colour while the cache
  // holds `alpha`; made afresh each time for an alpha it does not hold.
  SurfaceRef colored(cairo_surface_t* alpha, const CGColor::RGBA& color, const std::function<SurfaceRef()>& make);

  // For tests and benchmarks: shapes and colours handed out without being made.
  std::size_t hits() const { return hits_; }
  std::size_t entries() const { return shapes_.count(); }
  void clear();

  // The calling thread's cache (32 MB).
  static SharedShadows& current();

 private:
  struct Entry {
    SurfaceRef alpha;
    std::vector<unsigned char> source;  // for a shape made from unblurred bytes
    std::vector<std::pair<CGColor::RGBA, SurfaceRef>> colors;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };

  // The kept shape for `key` that `accept` takes, now the most recently used, shared; null when none.
  template <typename Accept>
  SurfaceRef hit(const Key& key, Accept&& accept);
  void admit(const Key& key, Entry entry, std::size_t bytes);

  using Shapes = BoundedCache<Key, Entry, KeyHash>;
  Shapes shapes_;
  // Each kept shape by its alpha, for colouring a shape handed out earlier.
  std::unordered_map<cairo_surface_t*, Shapes::Handle> byAlpha_;
  std::size_t hits_ = 0;
};

}  // namespace ios
