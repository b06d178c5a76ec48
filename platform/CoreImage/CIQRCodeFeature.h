#pragma once

#include <CoreImage/CIFeature.h>

#include <optional>
#include <string>

namespace ios {

// A QR code found by a QR detector. Where it lies is not offered: the scanner reads only the text.
class CIQRCodeFeature : public CIFeature {
 public:
  explicit CIQRCodeFeature(std::optional<std::string> messageString);

  // The decoded text; nullopt when the code holds binary data that is not text.
  const std::optional<std::string> messageString;
};

}  // namespace ios
