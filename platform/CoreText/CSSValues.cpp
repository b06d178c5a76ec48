#include "CSSValues.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

namespace ios::css {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A leading decimal number (sign, digits, point, exponent) and what follows it.
std::optional<std::pair<double, std::string_view>> leadingNumber(std::string_view s) {
  std::size_t end = 0;
  if (end < s.size() && (s[end] == '+' || s[end] == '-')) ++end;
  bool digits = false;
  while (end < s.size() && std::isdigit(static_cast<unsigned char>(s[end]))) ++end, digits = true;
  if (end < s.size() && s[end] == '.') {
    ++end;
    while (end < s.size() && std::isdigit(static_cast<unsigned char>(s[end]))) ++end, digits = true;
  }
  if (!digits) return std::nullopt;
  std::string text(s.substr(0, end));
  if (text.front() == '+') text.erase(0, 1);
  char* parsed = nullptr;
  double value = std::strtod(text.c_str(), &parsed);
  if (!std::isfinite(value)) return std::nullopt;
  return std::make_pair(value, s.substr(end));
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<CGColor> parseHex(std::string_view hex) {
  std::vector<int> d;
  for (char c : hex) {
    int v = hexDigit(c);
    if (v < 0) return std::nullopt;
    d.push_back(v);
  }
  auto short_ = [&](std::size_t i) { return (d[i] * 17) / 255.0; };
  auto long_ = [&](std::size_t i) { return (d[i] * 16 + d[i + 1]) / 255.0; };
  switch (d.size()) {
    case 3:
      return CGColor::rgb(short_(0), short_(1), short_(2), 1);
    case 4:
      return CGColor::rgb(short_(0), short_(1), short_(2), short_(3));
    case 6:
      return CGColor::rgb(long_(0), long_(2), long_(4), 1);
    case 8:
      return CGColor::rgb(long_(0), long_(2), long_(4), long_(6));
    default:
      return std::nullopt;
  }
}

std::optional<CGColor> parseFunction(std::string_view args, bool) {
  std::vector<double> values;
  std::size_t i = 0;
  while (i <= args.size()) {
    std::size_t next = args.find_first_of(",/", i);
    if (next == std::string_view::npos) next = args.size();
    std::string_view part = trim(args.substr(i, next - i));
    // Space-separated syntax: rgb(255 0 0)
    while (!part.empty()) {
      auto number = leadingNumber(part);
      if (!number) return std::nullopt;
      double v = number->first;
      std::string_view rest = number->second;
      bool percent = !rest.empty() && rest.front() == '%';
      if (percent) rest.remove_prefix(1);
      bool alpha = values.size() == 3;
      values.push_back(percent ? (alpha ? v / 100.0 : v * 2.55) : v);
      part = trim(rest);
    }
    if (next == args.size()) break;
    i = next + 1;
  }
  if (values.size() != 3 && values.size() != 4) return std::nullopt;
  auto c = [](double v) { return std::clamp(v, 0.0, 255.0) / 255.0; };
  double alpha = values.size() == 4 ? std::clamp(values[3], 0.0, 1.0) : 1.0;
  return CGColor::rgb(c(values[0]), c(values[1]), c(values[2]), alpha);
}

const std::map<std::string, unsigned>& namedColors() {
  static const std::map<std::string, unsigned> colors = {
      {"black", 0x000000},     {"white", 0xFFFFFF},     {"red", 0xFF0000},      {"green", 0x008000},
      {"blue", 0x0000FF},      {"yellow", 0xFFFF00},    {"orange", 0xFFA500},   {"purple", 0x800080},
      {"gray", 0x808080},      {"grey", 0x808080},      {"silver", 0xC0C0C0},   {"maroon", 0x800000},
      {"olive", 0x808000},     {"lime", 0x00FF00},      {"aqua", 0x00FFFF},     {"cyan", 0x00FFFF},
      {"teal", 0x008080},      {"navy", 0x000080},      {"fuchsia", 0xFF00FF},  {"magenta", 0xFF00FF},
      {"pink", 0xFFC0CB},      {"brown", 0xA52A2A},     {"darkgray", 0xA9A9A9}, {"darkgrey", 0xA9A9A9},
      {"lightgray", 0xD3D3D3}, {"lightgrey", 0xD3D3D3}, {"darkred", 0x8B0000},  {"darkgreen", 0x006400},
      {"darkblue", 0x00008B},  {"gold", 0xFFD700},      {"crimson", 0xDC143C},  {"tomato", 0xFF6347},
  };
  return colors;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> parseDeclarations(std::string_view style) {
  std::vector<std::pair<std::string, std::string>> result;
  std::size_t start = 0;
  char quote = 0;
  int depth = 0;
  auto flush = [&](std::size_t end) {
    std::string_view piece = style.substr(start, end - start);
    std::size_t colon = piece.find(':');
    if (colon == std::string_view::npos) return;
    std::string name = lower(trim(piece.substr(0, colon)));
    std::string_view value = trim(piece.substr(colon + 1));
    std::string lowered = lower(value);
    if (auto bang = lowered.rfind("!important"); bang != std::string::npos)
      value = trim(value.substr(0, bang));
    if (!name.empty() && !value.empty()) result.emplace_back(std::move(name), std::string(value));
  };
  for (std::size_t i = 0; i < style.size(); ++i) {
    char c = style[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      depth = std::max(0, depth - 1);
    } else if (c == ';' && depth == 0) {
      flush(i);
      start = i + 1;
    }
  }
  flush(style.size());
  return result;
}

std::optional<CGColor> parseColor(std::string_view raw) {
  std::string value = lower(trim(raw));
  if (value.empty()) return std::nullopt;
  if (value.front() == '#') return parseHex(std::string_view(value).substr(1));
  if (value == "transparent") return CGColor::rgb(0, 0, 0, 0);
  for (std::string_view prefix : {"rgba(", "rgb("}) {
    if (value.rfind(prefix, 0) == 0 && value.back() == ')') {
      return parseFunction(std::string_view(value).substr(prefix.size(), value.size() - prefix.size() - 1),
                           prefix.size() == 5);
    }
  }
  const auto& names = namedColors();
  if (auto it = names.find(value); it != names.end()) {
    unsigned v = it->second;
    return CGColor::rgb(((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0, 1);
  }
  return std::nullopt;
}

std::optional<double> parseFontSize(std::string_view raw, double parentSize, double rootSize) {
  std::string value = lower(trim(raw));
  static const std::map<std::string, double> keywords = {
      {"xx-small", 3.0 / 5}, {"x-small", 3.0 / 4}, {"small", 8.0 / 9}, {"medium", 1.0},
      {"large", 6.0 / 5},    {"x-large", 3.0 / 2}, {"xx-large", 2.0},  {"xxx-large", 3.0}};
  double size = 0;
  if (auto it = keywords.find(value); it != keywords.end()) {
    size = rootSize * it->second;
  } else if (value == "smaller") {
    size = parentSize * 5.0 / 6;
  } else if (value == "larger") {
    size = parentSize * 6.0 / 5;
  } else {
    auto number = leadingNumber(value);
    if (!number || number->first <= 0) return std::nullopt;
    std::string unit(trim(number->second));
    double v = number->first;
    if (unit.empty() || unit == "px")
      size = v;
    else if (unit == "pt")
      size = v * 4.0 / 3;
    else if (unit == "em")
      size = v * parentSize;
    else if (unit == "rem")
      size = v * rootSize;
    else if (unit == "%")
      size = v * parentSize / 100.0;
    else
      return std::nullopt;
  }
  return std::clamp(size, 1.0, 512.0);
}

std::optional<int> parseFontWeight(std::string_view raw, int parentWeight) {
  std::string value = lower(trim(raw));
  if (value == "normal") return 400;
  if (value == "bold") return 700;
  if (value == "bolder") return parentWeight >= 600 ? 900 : parentWeight >= 400 ? 700 : 400;
  if (value == "lighter") return parentWeight >= 800 ? 700 : parentWeight >= 600 ? 400 : 100;
  auto number = leadingNumber(value);
  if (!number || !trim(number->second).empty()) return std::nullopt;
  if (number->first < 1 || number->first > 1000) return std::nullopt;
  return static_cast<int>(number->first);
}

}  // namespace ios::css
