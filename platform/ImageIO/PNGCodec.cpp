#include <ImageIO/PNGCodec.h>

#include <ImageIO/PixelFormat.h>

#include <png.h>

#include <cstring>
#include <vector>

namespace ios {

bool PNGCodec::hasSignature(const std::uint8_t* bytes, std::size_t count) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return count >= 8 && std::memcmp(bytes, kSignature, 8) == 0;
}

std::shared_ptr<CGImage> PNGCodec::decode(const std::uint8_t* bytes, std::size_t count) {
  if (!hasSignature(bytes, count)) return nullptr;
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes, count)) return nullptr;
  const long long pixels = static_cast<long long>(png.width) * png.height;
  if (png.width == 0 || png.height == 0 || pixels > pixelformat::kMaxDecodedPixels) {
    png_image_free(&png);
    return nullptr;
  }
  png.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) {
    png_image_free(&png);
    return nullptr;
  }
  std::vector<std::uint32_t> words(static_cast<std::size_t>(pixels));
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::uint8_t* p = &rgba[i * 4];
    words[i] = pixelformat::premultipliedWord(p[0], p[1], p[2], p[3]);
  }
  return CGImage::create(static_cast<int>(png.width), static_cast<int>(png.height), std::move(words));
}

std::optional<Data> PNGCodec::encode(const CGImage& image) {
  const bool opaque = !image.hasAlpha();
  const std::size_t channels = opaque ? 3 : 4;
  const std::size_t count = static_cast<std::size_t>(image.width()) * image.height();
  std::vector<std::uint8_t> rows(count * channels);
  for (std::size_t i = 0; i < count; ++i) {
    const auto s = pixelformat::unpremultiply(image.pixels()[i]);
    std::uint8_t* p = &rows[i * channels];
    p[0] = s.red;
    p[1] = s.green;
    p[2] = s.blue;
    if (!opaque) p[3] = s.alpha;
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width());
  png.height = static_cast<png_uint_32>(image.height());
  png.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(png, size, 0, rows.data(), 0, nullptr)) return std::nullopt;
  std::string out(size, '\0');
  if (!png_image_write_to_memory(&png, out.data(), &size, 0, rows.data(), 0, nullptr)) return std::nullopt;
  out.resize(size);
  return Data(std::move(out));
}

}  // namespace ios
