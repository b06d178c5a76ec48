// scanHexLongLong agrees with a plain reference parser written from the contract: skip Unicode
// whitespace and newlines, optional 0x/0X before a hex digit, hex digits, saturation.
#include <Foundation/NSString.h>
#include <Foundation/Scanner.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

bool isSkipped(char16_t c) {
  if ((c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680) return true;
  if ((c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F) return true;
  return c == 0x3000;
}

int hexDigit(char16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct Result {
  std::optional<uint64_t> value;
  size_t location;
};

Result reference(const std::u16string& s) {
  size_t i = 0;
  while (i < s.size() && isSkipped(s[i])) ++i;
  if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && hexDigit(s[i + 2]) >= 0)
    i += 2;
  if (i >= s.size() || hexDigit(s[i]) < 0) return {std::nullopt, 0};
  unsigned __int128 value = 0;
  for (; i < s.size() && hexDigit(s[i]) >= 0; ++i) {
    value = value * 16 + static_cast<unsigned>(hexDigit(s[i]));
    if (value > UINT64_MAX) value = static_cast<unsigned __int128>(UINT64_MAX) + 1;  // stays saturated
  }
  return {value > UINT64_MAX ? UINT64_MAX : static_cast<uint64_t>(value), i};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ios::Scanner scanner(text);
  const std::optional<uint64_t> value = scanner.scanHexLongLong();
  const Result expected = reference(ios::utf8ToUtf16(text));
  if (value != expected.value || scanner.scanLocation() != expected.location) std::abort();
  (void)scanner.isAtEnd();
  return 0;
}
