#pragma once

#include <CoreGraphics/CGGeometry.h>

#include <memory>
#include <string_view>

namespace ios {

class Bundle;
class UIImage;

// Finds, decodes and caches named image assets for `UIImage::named` (the lookup order is described
// there). The cache holds an image as long as its bundle lives; a bundle made anew (a test's, say)
// starts with no cached images even at the same address.
class ImageAssetCatalog {
 public:
  static std::shared_ptr<UIImage> image(std::string_view name, const std::shared_ptr<Bundle>& bundle,
                                        CGFloat displayScale);

 private:
  static std::shared_ptr<UIImage> load(std::string_view name, const Bundle& bundle, int scale);
};

}  // namespace ios
