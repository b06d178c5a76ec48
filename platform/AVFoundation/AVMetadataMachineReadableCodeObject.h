#pragma once

#include <AVFoundation/AVMetadataObject.h>

#include <optional>
#include <string>

namespace ios {

// A code read from a frame. UPC-A symbols read as EAN-13 with a leading "0", as on the platform.
class AVMetadataMachineReadableCodeObject : public AVMetadataObject {
 public:
  AVMetadataMachineReadableCodeObject(AVMetadataObjectType type, CGRect bounds,
                                      std::optional<std::string> stringValue)
      : AVMetadataObject(std::move(type), bounds), stringValue(std::move(stringValue)) {}

  // Nullopt for a binary payload that has no text reading.
  const std::optional<std::string> stringValue;
};

}  // namespace ios
