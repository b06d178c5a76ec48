#pragma once

#include <CoreImage/CIContext.h>
#include <CoreImage/CIFeature.h>
#include <CoreImage/CIImage.h>
#include <CoreImage/CIQRCodeFeature.h>
#include <Foundation/Dictionary.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <string_view>
#include <vector>

namespace ios {

inline constexpr const char* CIDetectorTypeQRCode = "CIDetectorTypeQRCode";
// Option keys and values (an `ios::Dictionary` of options, as `[String: Any]`).
inline constexpr const char* CIDetectorAccuracy = "CIDetectorAccuracy";
inline constexpr const char* CIDetectorAccuracyLow = "CIDetectorAccuracyLow";
inline constexpr const char* CIDetectorAccuracyHigh = "CIDetectorAccuracyHigh";
inline constexpr const char* CIDetectorImageOrientation = "CIDetectorImageOrientation";

// Core Image's feature detector; only the QR detector exists here.
//
// High accuracy searches the whole image hard (more scan lines, rotations, downscaled passes): a
// 1280x960 photo takes milliseconds, so run it off the main thread when it is done per frame. Low
// accuracy (the default) skips the extra passes.
//
// The image-orientation option is accepted and needs no work: the search tries every rotation
// anyway, and feature bounds stay in the image's own space. Safe to use from any one thread.
class CIDetector : public NSObject {
  struct Passkey {};

 public:
  // `CIDetector(ofType:context:options:)`: null for a type other than CIDetectorTypeQRCode.
  static std::shared_ptr<CIDetector> create(std::string_view type, const std::shared_ptr<CIContext>& context,
                                            const Dictionary& options = Dictionary::object());

  // `features(in:options:)`: one CIQRCodeFeature per code found, in reading order of the decoder;
  // empty for an image without a code, a null image, or one the decoder cannot read.
  std::vector<std::shared_ptr<CIFeature>> features(const std::shared_ptr<CIImage>& image,
                                                   const Dictionary& options = Dictionary::object()) const;

  bool isHighAccuracy() const { return highAccuracy_; }

  CIDetector(Passkey, bool highAccuracy);

 private:
  bool highAccuracy_;
};

}  // namespace ios
