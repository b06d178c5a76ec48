// GIF bytes through an image source: every frame, its properties, and a second pass backwards
// (which restarts the compositing).
#include <ImageIO/CGImageSource.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes = "GIF89a";  // most inputs should reach the decoder
  if (size >= 6 && (data[0] == 'G' || data[0] == 0x89 || data[0] == 0xFF)) bytes.clear();
  bytes.append(reinterpret_cast<const char*>(data), size);
  auto source = ios::CGImageSource::create(ios::Data(bytes));
  if (!source) return 0;
  const std::size_t count = source->count();
  for (std::size_t i = 0; i < count && i < 64; ++i) {
    auto image = source->createImage(i);
    if (image && (image->width() <= 0 || image->height() <= 0)) __builtin_trap();
    if (!source->properties(i)) __builtin_trap();
  }
  for (std::size_t i = count; i-- > 0 && i + 8 > count;) source->createImage(i);
  return 0;
}
