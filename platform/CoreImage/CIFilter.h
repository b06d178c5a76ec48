#pragma once

#include <CoreImage/CIImage.h>
#include <Foundation/Data.h>
#include <Foundation/NSObject.h>

#include <any>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Core Image's filter by name. The one filter the system uses is built in:
//
// "CIQRCodeGenerator": a QR code of the bytes under "inputMessage" (a `Data`, or an optional one),
// at error-correction level M, the platform's default (the system never sets another). The encoder
// picks the densest mode the bytes allow (numeric, alphanumeric or bytes) and the smallest version
// that holds them. `outputImage` has one pixel per module, black on opaque white,
// with a quiet zone of `kQRCodeQuietZoneModules` white modules on every side.
class CIFilter : public NSObject {
  struct Passkey {};

 public:
  static constexpr int kQRCodeQuietZoneModules = 1;

  // `CIFilter(name:)`: null for a name the platform does not have.
  static std::shared_ptr<CIFilter> create(std::string_view name);

  const std::string& name() const { return name_; }

  // `setValue(_:forKey:)` for "inputMessage": accepts `Data` and `std::optional<Data>` (nil clears
  // the input). False, with nothing changed, for another key or a value of another type.
  bool setValue(const std::any& value, std::string_view key);

  // Null without a message, and for a message that no QR version can hold at level M.
  std::shared_ptr<CIImage> outputImage() const;

  CIFilter(Passkey, std::string name);

 private:
  std::string name_;
  std::optional<Data> message_;
};

}  // namespace ios
