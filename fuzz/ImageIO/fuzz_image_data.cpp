// Arbitrary bytes as image data: PNG, JPEG or GIF, or nothing. A decoded image is encoded again.
#include <UIKit/UIImage.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto image = ios::UIImage::fromData(ios::Data(data, size));
  if (!image) return 0;
  if (!image->cgImage()) __builtin_trap();
  if (image->cgImage()->width() * image->cgImage()->height() <= 4096) {
    auto png = image->pngData();
    if (!png) __builtin_trap();
    auto again = ios::UIImage::fromData(*png);
    if (!again || again->cgImage()->width() != image->cgImage()->width()) __builtin_trap();
  }
  return 0;
}
