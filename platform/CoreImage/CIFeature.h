#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <string>

namespace ios {

inline constexpr const char* CIFeatureTypeQRCode = "QRCode";

// Something a detector found in an image. `bounds` are in the image's Core Image space (y up).
class CIFeature : public NSObject {
 public:
  CIFeature(std::string type, CGRect bounds) : type(std::move(type)), bounds(bounds) {}

  const std::string type;
  const CGRect bounds;
};

}  // namespace ios
