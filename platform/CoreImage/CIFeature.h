#pragma once

#include <Foundation/NSObject.h>

#include <string>

namespace ios {

inline constexpr const char* CIFeatureTypeQRCode = "QRCode";

// Something a detector found in an image.
class CIFeature : public NSObject {
 public:
  explicit CIFeature(std::string type) : type(std::move(type)) {}

  const std::string type;
};

}  // namespace ios
