#pragma once

#include <CoreImage/CIFeature.h>

#include <optional>
#include <string>

namespace ios {

// A QR code found by a QR detector. The corners are those of the symbol as printed, in the same
// space as `bounds`.
class CIQRCodeFeature : public CIFeature {
 public:
  CIQRCodeFeature(CGRect bounds, std::optional<std::string> messageString, CGPoint topLeft, CGPoint topRight,
                  CGPoint bottomLeft, CGPoint bottomRight);

  // The decoded text; nullopt when the code holds binary data that is not text.
  const std::optional<std::string> messageString;
  const CGPoint topLeft, topRight, bottomLeft, bottomRight;
};

}  // namespace ios
