#include <Ultilities/Extensions/UIColorExtension.h>

#include <Foundation/Console.h>
#include <Foundation/Scanner.h>
#include <Ultilities/Extensions/StringExtension.h>

#include <algorithm>
#include <cstdint>

namespace kerbelin {

using ios::CGFloat;

std::shared_ptr<ios::UIColor> colorWithRGBA(std::string_view rgba) {
  CGFloat red = 0.0;
  CGFloat green = 0.0;
  CGFloat blue = 0.0;
  CGFloat alpha = 1.0;
  if (rgba.empty() || rgba.front() != '#') {
    ios::print("Invalid RGB string, missing '#' as prefix", "");
    return ios::UIColor::create(red, green, blue, alpha);
  }
  const std::string_view hex = rgba.substr(1);
  ios::Scanner scanner(hex);
  const std::optional<std::uint64_t> scanned = scanner.scanHexLongLong();
  if (!scanned) {
    ios::print("Scan hex error");
    return ios::UIColor::create(red, green, blue, alpha);
  }
  const std::uint64_t v = *scanned;
  switch (length(hex)) {
    case 3:
      red = static_cast<CGFloat>((v & 0xF00) >> 8) / 15.0;
      green = static_cast<CGFloat>((v & 0x0F0) >> 4) / 15.0;
      blue = static_cast<CGFloat>(v & 0x00F) / 15.0;
      break;
    case 4:
      red = static_cast<CGFloat>((v & 0xF000) >> 12) / 15.0;
      green = static_cast<CGFloat>((v & 0x0F00) >> 8) / 15.0;
      blue = static_cast<CGFloat>((v & 0x00F0) >> 4) / 15.0;
      alpha = static_cast<CGFloat>(v & 0x000F) / 15.0;
      break;
    case 6:
      red = static_cast<CGFloat>((v & 0xFF0000) >> 16) / 255.0;
      green = static_cast<CGFloat>((v & 0x00FF00) >> 8) / 255.0;
      blue = static_cast<CGFloat>(v & 0x0000FF) / 255.0;
      break;
    case 8:
      red = static_cast<CGFloat>((v & 0xFF000000) >> 24) / 255.0;
      green = static_cast<CGFloat>((v & 0x00FF0000) >> 16) / 255.0;
      blue = static_cast<CGFloat>((v & 0x0000FF00) >> 8) / 255.0;
      alpha = static_cast<CGFloat>(v & 0x000000FF) / 255.0;
      break;
    default:
      ios::print("Invalid RGB string, number of characters after '#' should be either 3, 4, 6 or 8", "");
      break;
  }
  return ios::UIColor::create(red, green, blue, alpha);
}

std::shared_ptr<ios::UIColor> colorWith255(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
  return ios::UIColor::create(red / 255, green / 255, blue / 255, alpha);
}

std::optional<std::array<CGFloat, 4>> convertComponents(const std::vector<CGFloat>& from,
                                                        const std::vector<CGFloat>& to, CGFloat multiplier) {
  const CGFloat m = std::min<CGFloat>(std::max<CGFloat>(multiplier, 0), 1);
  if (from.size() < 3 || to.size() < 3) return std::nullopt;
  // A space of three components has no alpha entry: such a colour is taken as opaque rather than
  // read past its end.
  auto component = [](const std::vector<CGFloat>& c, std::size_t i) { return i < c.size() ? c[i] : 1.0; };
  std::array<CGFloat, 4> n{};
  for (std::size_t i = 0; i < 4; ++i) {
    n[i] = component(from, i) + (component(to, i) - component(from, i)) * m;
  }
  return n;
}

std::shared_ptr<ios::UIColor> convert(const ios::UIColor& color, const ios::UIColor& to, CGFloat multiplier) {
  const auto n = convertComponents(color.cgColor().components(), to.cgColor().components(), multiplier);
  if (!n) return nullptr;
  return ios::UIColor::create((*n)[0], (*n)[1], (*n)[2], (*n)[3]);
}

std::shared_ptr<ios::UIColor> darkerColorForColor(const std::shared_ptr<ios::UIColor>& color) {
  CGFloat r = 0, g = 0, b = 0, a = 0;
  if (!color || !color->getRed(&r, &g, &b, &a)) return color;
  return ios::UIColor::create(std::max<CGFloat>(r - 0.2, 0), std::max<CGFloat>(g - 0.2, 0),
                              std::max<CGFloat>(b - 0.2, 0), a);
}

}  // namespace kerbelin
