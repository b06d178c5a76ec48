#pragma once

#include <CoreText/NSAttributedString.h>

#include <cstdint>
#include <memory>

namespace kerbelin {

// "Tự động cập nhật lại sau N giây": the line under a server-issued QR code, the seconds left in black
// semibold between grey words. Shared by the my-code row and the QR sheet.
std::shared_ptr<ios::NSMutableAttributedString> qrCountdownLine(std::int64_t secondsLeft);

}  // namespace kerbelin
