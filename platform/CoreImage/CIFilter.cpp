#include <CoreImage/CIFilter.h>

#include <ZXing/BitMatrix.h>
#include <ZXing/CharacterSet.h>
#include <ZXing/MultiFormatWriter.h>

#include <utility>

namespace ios {
namespace {

constexpr std::string_view kQRCodeGenerator = "CIQRCodeGenerator";
constexpr std::string_view kInputMessage = "inputMessage";
// The writer grades error correction 0...8; 3 lands on M.
constexpr int kWriterEccLevelM = 3;

}  // namespace

CIFilter::CIFilter(Passkey, std::string name) : name_(std::move(name)) {}

std::shared_ptr<CIFilter> CIFilter::create(std::string_view name) {
  if (name != kQRCodeGenerator) return nullptr;
  return std::make_shared<CIFilter>(Passkey{}, std::string(name));
}

bool CIFilter::setValue(const std::any& value, std::string_view key) {
  if (key != kInputMessage) return false;
  if (const auto* data = std::any_cast<Data>(&value)) {
    message_ = *data;
    return true;
  }
  if (const auto* optional = std::any_cast<std::optional<Data>>(&value)) {
    message_ = *optional;
    return true;
  }
  return false;
}

std::shared_ptr<CIImage> CIFilter::outputImage() const {
  if (!message_ || message_->isEmpty()) return nullptr;
  // Each byte is one Latin-1 character, so the writer's byte mode reproduces the bytes exactly.
  std::wstring latin1;
  latin1.reserve(message_->count());
  for (std::size_t i = 0; i < message_->count(); ++i) latin1.push_back(static_cast<wchar_t>((*message_)[i]));
  try {
    const ZXing::BitMatrix modules = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                                         .setEncoding(ZXing::CharacterSet::ISO8859_1)
                                         .setEccLevel(kWriterEccLevelM)
                                         .setMargin(kQRCodeQuietZoneModules)
                                         .encode(latin1, 0, 0);
    auto bitmap = CGImage::create(modules.width(), modules.height());
    if (!bitmap) return nullptr;
    for (int y = 0; y < modules.height(); ++y) {
      for (int x = 0; x < modules.width(); ++x) {
        bitmap->mutablePixels()[static_cast<std::size_t>(y) * modules.width() + x] =
            modules.get(x, y) ? 0xff000000u : 0xffffffffu;
      }
    }
    return CIImage::create(std::move(bitmap));
  } catch (...) {
    return nullptr;  // more data than the largest version holds
  }
}

}  // namespace ios
