#include <ImageIO/PixelFormat.h>

namespace ios::pixelformat {

namespace {
std::uint32_t scaleRounded(std::uint32_t value, std::uint32_t numerator, std::uint32_t denominator) {
  return (value * numerator + denominator / 2) / denominator;
}
}  // namespace

std::uint32_t premultipliedWord(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha) {
  std::uint32_t r = red, g = green, b = blue;
  if (alpha != 255) {
    r = scaleRounded(r, alpha, 255);
    g = scaleRounded(g, alpha, 255);
    b = scaleRounded(b, alpha, 255);
  }
  return static_cast<std::uint32_t>(alpha) << 24 | r << 16 | g << 8 | b;
}

Straight unpremultiply(std::uint32_t word) {
  const std::uint32_t a = alphaOf(word);
  if (a == 255) return {redOf(word), greenOf(word), blueOf(word), 255};
  if (a == 0) return {0, 0, 0, 0};
  auto channel = [a](std::uint32_t c) {
    const std::uint32_t v = scaleRounded(c, 255, a);
    return static_cast<std::uint8_t>(v > 255 ? 255 : v);
  };
  return {channel(redOf(word)), channel(greenOf(word)), channel(blueOf(word)), static_cast<std::uint8_t>(a)};
}

}  // namespace ios::pixelformat
