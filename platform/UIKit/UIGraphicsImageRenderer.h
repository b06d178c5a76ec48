#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/Data.h>
#include <Foundation/NSObject.h>
#include <UIKit/UIGraphicsImageRendererContext.h>
#include <UIKit/UIGraphicsImageRendererFormat.h>

#include <functional>
#include <memory>
#include <optional>

namespace ios {

class UIImage;

// Draws images of a fixed size. During `image(actions)` the renderer's context is also the current
// UIKit context (`UIGraphicsGetCurrentContext`), so code that draws into "the current context" draws
// into the image; user space is the renderer's bounds, so a view's bounds origin maps to the image's
// top-left corner.
class UIGraphicsImageRenderer : public NSObject {
  struct Passkey {};

 public:
  using Actions = std::function<void(UIGraphicsImageRendererContext&)>;

  // `UIGraphicsImageRenderer(size:format:)` and `(bounds:format:)`.
  static std::shared_ptr<UIGraphicsImageRenderer> create(
      CGSize size, UIGraphicsImageRendererFormat format = UIGraphicsImageRendererFormat::defaultFormat());
  static std::shared_ptr<UIGraphicsImageRenderer> create(
      const CGRect& bounds,
      UIGraphicsImageRendererFormat format = UIGraphicsImageRendererFormat::defaultFormat());

  // The format in use, its scale resolved (never 0).
  const UIGraphicsImageRendererFormat& format() const { return format_; }
  const CGRect& bounds() const { return bounds_; }

  // A new image with whatever `actions` drew. An empty size gives a 0 x 0 image with no bitmap, so
  // that callers always get an image, as the platform's renderer does.
  std::shared_ptr<UIImage> image(const Actions& actions) const;
  std::optional<Data> pngData(const Actions& actions) const;
  std::optional<Data> jpegData(CGFloat compressionQuality, const Actions& actions) const;

  UIGraphicsImageRenderer(Passkey, const CGRect& bounds, UIGraphicsImageRendererFormat format);

 private:
  CGRect bounds_;
  UIGraphicsImageRendererFormat format_;
};

}  // namespace ios
