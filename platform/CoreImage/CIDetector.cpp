#include <CoreImage/BarcodeReader.h>
#include <CoreImage/CIDetector.h>

namespace ios {

CIDetector::CIDetector(Passkey, bool highAccuracy) : highAccuracy_(highAccuracy) {}

std::shared_ptr<CIDetector> CIDetector::create(std::string_view type, const std::shared_ptr<CIContext>&,
                                               const Dictionary& options) {
  if (type != CIDetectorTypeQRCode) return nullptr;
  bool high = false;
  if (options.is_object()) {
    const auto accuracy = options.find(CIDetectorAccuracy);
    high = accuracy != options.end() && accuracy->is_string() && *accuracy == CIDetectorAccuracyHigh;
  }
  return std::make_shared<CIDetector>(Passkey{}, high);
}

std::vector<std::shared_ptr<CIFeature>> CIDetector::features(const std::shared_ptr<CIImage>& image,
                                                             const Dictionary&) const {
  std::vector<std::shared_ptr<CIFeature>> found;
  if (!image || !image->bitmap()) return found;
  BarcodeReader::Options options;
  options.symbologies = static_cast<BarcodeSymbologies>(BarcodeSymbology::qr);
  options.tryHarder = highAccuracy_;
  for (const BarcodeReading& reading : BarcodeReader::read(*image->bitmap(), options))
    found.push_back(std::make_shared<CIQRCodeFeature>(reading.text));
  return found;
}

}  // namespace ios
