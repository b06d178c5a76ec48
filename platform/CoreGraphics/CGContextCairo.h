#pragma once

// The renderer's and the text system's way into a context: the Cairo state behind it. Not part of
// the public drawing interface; only platform code includes this header.

#include <CoreGraphics/CGContext.h>

#include <cairo.h>

namespace ios {

struct CGContext::Impl {
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  // Fill and stroke sources live here rather than in the Cairo state, as CoreGraphics keeps them.
  struct State {
    CGColor fill = CGColor::rgb(0, 0, 0, 1);
    CGColor stroke = CGColor::rgb(0, 0, 0, 1);
    CGFloat alpha = 1;
  };
  std::vector<State> states{State{}};
};

// The Cairo context of `context`, its matrix in device pixels (user space times the scale).
inline cairo_t* cairoContext(CGContext& context) {
  return context.impl().cr;
}

// Wraps an existing Cairo target (a window surface, say) in a context. The context does not take
// ownership of `surface`.
std::unique_ptr<CGContext> makeContextForSurface(cairo_surface_t* surface, CGSize size, CGFloat scale);

// A bitmap context like `CGContext::bitmap`, but its pixels are left as the allocator gives them:
// for a target whose every pixel is cleared or drawn before it is read, so that making one costs no
// pass over its memory.
std::unique_ptr<CGContext> makeUnclearedBitmap(CGSize size, CGFloat scale);

// Makes a Cairo image surface that reads `image`'s pixels in place (no copy); the caller destroys it
// and must keep `image` alive meanwhile.
cairo_surface_t* cairoSurfaceFor(const CGImage& image);

}  // namespace ios
