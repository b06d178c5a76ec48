#include <CoreImage/CIQRCodeFeature.h>

namespace ios {

CIQRCodeFeature::CIQRCodeFeature(CGRect bounds, std::optional<std::string> messageString, CGPoint topLeft,
                                 CGPoint topRight, CGPoint bottomLeft, CGPoint bottomRight)
    : CIFeature(CIFeatureTypeQRCode, bounds),
      messageString(std::move(messageString)),
      topLeft(topLeft),
      topRight(topRight),
      bottomLeft(bottomLeft),
      bottomRight(bottomRight) {}

}  // namespace ios
