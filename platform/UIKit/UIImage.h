#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>
#include <Foundation/Data.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ios {

class Bundle;

enum class UIImageOrientation {
  up,
  down,
  left,
  right,
  upMirrored,
  downMirrored,
  leftMirrored,
  rightMirrored
};
enum class UIImageRenderingMode { automatic, alwaysOriginal, alwaysTemplate };

// An immutable image: a bitmap (`cgImage`) shown at `scale` pixels a point, or for an animated
// image a list of frames played at equal intervals over `duration`. Images are shared freely
// between views and threads.
//
// Orientation is stored as given but drawing and `size` treat every image as `up` (no decoder of
// ours produces another orientation).
class UIImage : public NSObject {
  struct Passkey {};

 public:
  // `UIImage(cgImage:scale:orientation:)`. Null when `cgImage` is null or `scale` is not positive.
  static std::shared_ptr<UIImage> create(std::shared_ptr<const CGImage> cgImage, CGFloat scale = 1,
                                         UIImageOrientation orientation = UIImageOrientation::up);
  // An image that has a size but no bitmap behind it (`cgImage()` is null), as an image made from a
  // filter's description is before it is rendered.
  static std::shared_ptr<UIImage> createWithoutBitmap(CGSize size, CGFloat scale = 1);

  // `UIImage(named:)`: the asset `name` in the main bundle; null for "" or a name the bundle lacks.
  // An asset is "name@3x.png", "name@2x.png" or "name.png", the one made for the display scale
  // preferred, or else "name.svg" rendered at the display scale to the drawing's size in points,
  // or else a PNG made for another scale (the nearest larger one first). A name with an extension
  // ("photo.jpg") is looked up as it is. Found images are cached per bundle, name and scale.
  static std::shared_ptr<UIImage> named(std::string_view name);
  // `UIImage(named:in:compatibleWith:)`; a null bundle means the main one, a displayScale of 0
  // the main screen's.
  static std::shared_ptr<UIImage> named(std::string_view name, const std::shared_ptr<Bundle>& bundle,
                                        CGFloat displayScale = 0);
  // `UIImage(data:scale:)`: PNG, JPEG or the first frame of a GIF. Null for anything else, and for
  // corrupt or truncated data.
  static std::shared_ptr<UIImage> fromData(const Data& data, CGFloat scale = 1);
  // `UIImage(contentsOfFile:)`: the file's bytes as `fromData`, at the scale its name declares
  // ("icon@2x.png" is scale 2).
  static std::shared_ptr<UIImage> contentsOfFile(const std::string& path);
  // `UIImage.animatedImage(with:duration:)`. Null for an empty list. Its `cgImage`, size and scale
  // are the first frame's.
  static std::shared_ptr<UIImage> animatedImage(std::vector<std::shared_ptr<UIImage>> images,
                                                double duration);

  // In points: pixels / scale.
  CGSize size() const;
  CGFloat scale() const { return scale_; }
  UIImageOrientation imageOrientation() const { return orientation_; }
  const std::shared_ptr<const CGImage>& cgImage() const { return cgImage_; }
  // The frames of an animated image; empty for a still one.
  const std::vector<std::shared_ptr<UIImage>>& images() const { return images_; }
  double duration() const { return duration_; }
  UIImageRenderingMode renderingMode() const { return renderingMode_; }
  // The same bitmap with another rendering mode (the receiver itself when the mode is unchanged).
  std::shared_ptr<UIImage> withRenderingMode(UIImageRenderingMode mode) const;

  // `jpegData(compressionQuality:)`: quality 0...1 maps onto the encoder's 1...100, anything at or
  // below 0 giving 1. Nullopt when there is no bitmap or the encoder fails (see failNextJPEGEncodings).
  std::optional<Data> jpegData(CGFloat compressionQuality) const;
  std::optional<Data> pngData() const;

  // Draws into the current image context (nothing when there is none, or no bitmap), at the
  // image's size in points or scaled into `rect`.
  void draw(CGPoint at) const;
  void draw(const CGRect& in) const;

  // "<UIImage:0x... named(main: Icon) {24, 24}>" or "<UIImage:0x... anonymous {10, 20}>".
  std::string description() const override;

  // Test hook: the next `count` JPEG encodings in the process fail, as an encoder failure would.
  static void failNextJPEGEncodings(int count = 1);

  UIImage(Passkey, std::shared_ptr<const CGImage> cgImage, CGSize pointSize, CGFloat scale,
          UIImageOrientation orientation);

 private:
  friend class ImageAssetCatalog;
  std::shared_ptr<UIImage> copyWith(UIImageRenderingMode mode) const;

  std::shared_ptr<const CGImage> cgImage_;
  CGSize pointSize_;
  CGFloat scale_;
  UIImageOrientation orientation_;
  UIImageRenderingMode renderingMode_ = UIImageRenderingMode::automatic;
  std::vector<std::shared_ptr<UIImage>> images_;
  double duration_ = 0;
  std::string assetName_;  // "main: Icon" for a named image
};

// The platform's function names.
inline std::optional<Data> UIImageJPEGRepresentation(const std::shared_ptr<UIImage>& image, CGFloat quality) {
  return image ? image->jpegData(quality) : std::nullopt;
}
inline std::optional<Data> UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image) {
  return image ? image->pngData() : std::nullopt;
}

}  // namespace ios
