#include <CoreImage/CIQRCodeFeature.h>

namespace ios {

CIQRCodeFeature::CIQRCodeFeature(std::optional<std::string> messageString)
    : CIFeature(CIFeatureTypeQRCode), messageString(std::move(messageString)) {}

}  // namespace ios
