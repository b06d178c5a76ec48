#pragma once

// Hashes of what the renderer's cache keys hold, each agreeing with its type's `==`.

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGPath.h>
#include <Foundation/BoundedCache.h>
#include <QuartzCore/LayerBacking.h>

namespace ios {

// Null rectangles are all equal; the others are equal when their standardized forms are.
inline HashMix& mixInto(HashMix& mix, const CGRect& rect) {
  if (rect.isNull()) return mix.add(1);
  const CGRect r = rect.standardized();
  return mix.add(r.origin.x).add(r.origin.y).add(r.size.width).add(r.size.height);
}

inline HashMix& mixInto(HashMix& mix, const PixelPlacement& p) {
  return mix.add(p.xx).add(p.yx).add(p.xy).add(p.yy).add(p.phaseX).add(p.phaseY);
}

inline HashMix& mixInto(HashMix& mix, const CGPath& path) {
  mix.add(path.elements().size());
  for (const CGPath::Element& element : path.elements()) {
    mix.add(element.type);
    for (const CGPoint& point : element.points) mix.add(point.x).add(point.y);
  }
  return mix;
}

}  // namespace ios
