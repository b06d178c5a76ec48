#include <Foundation/NumberFormatting.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace ios {
namespace {

// Shortest round-trip digits of `value` (finite, non-zero, positive) as "d.ddd" and a power of ten.
template <typename Float>
std::string describeFinite(Float value, Float decimalLimit) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c != '.') digits.push_back(c);
  }
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());

  // Swift writes values below 1e-4 and above the largest exactly counted integer with an exponent.
  if (exponent < -4 || value > decimalLimit) {
    std::string out(1, digits[0]);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
    return out;
  }
  const int pointAfter = exponent + 1;  // digits before the decimal point
  if (pointAfter <= 0) return "0." + std::string(static_cast<size_t>(-pointAfter), '0') + digits;
  if (static_cast<size_t>(pointAfter) >= digits.size()) {
    return digits + std::string(static_cast<size_t>(pointAfter) - digits.size(), '0') + ".0";
  }
  return digits.substr(0, static_cast<size_t>(pointAfter)) + "." +
         digits.substr(static_cast<size_t>(pointAfter));
}

template <typename Float>
std::string describe(Float value, Float decimalLimit) {
  const bool negative = std::signbit(value);
  if (std::isnan(value)) return negative ? "-nan" : "nan";
  if (std::isinf(value)) return negative ? "-inf" : "inf";
  if (value == 0) return negative ? "-0.0" : "0.0";
  return (negative ? "-" : "") + describeFinite(std::fabs(value), decimalLimit);
}

}  // namespace

std::string doubleDescription(double value) {
  return describe(value, 0x1.0p53);
}

std::string floatDescription(float value) {
  return describe(value, 0x1.0p24f);
}

std::string integerDescription(int64_t value) {
  return std::to_string(value);
}

std::string integerDescription(uint64_t value) {
  return std::to_string(value);
}

}  // namespace ios
