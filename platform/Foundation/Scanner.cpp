#include <Foundation/Scanner.h>

#include <Foundation/NSString.h>

#include <unicode/uchar.h>

#include <algorithm>

namespace ios {
namespace {

int hexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool isSkipped(char16_t c) {
  if (c == 0x09 || (c >= 0x0A && c <= 0x0D) || c == 0x85) return true;
  return (U_GET_GC_MASK(c) & U_GC_Z_MASK) != 0;
}

}  // namespace

Scanner::Scanner(std::string_view string) : text_(utf8ToUtf16(string)) {}

void Scanner::setScanLocation(std::size_t location) {
  location_ = std::min(location, text_.size());
}

bool Scanner::isAtEnd() const {
  return skipped(location_) == text_.size();
}

std::size_t Scanner::skipped(std::size_t from) const {
  while (from < text_.size() && isSkipped(text_[from])) ++from;
  return from;
}

std::optional<uint64_t> Scanner::scanHexLongLong() {
  size_t i = skipped(location_);
  if (i + 2 < text_.size() && text_[i] == u'0' && (text_[i + 1] == u'x' || text_[i + 1] == u'X') &&
      hexValue(text_[i + 2]) >= 0) {
    i += 2;
  }
  if (i >= text_.size() || hexValue(text_[i]) < 0) return std::nullopt;
  uint64_t value = 0;
  for (; i < text_.size(); ++i) {
    int digit = hexValue(text_[i]);
    if (digit < 0) break;
    value = value > (UINT64_MAX >> 4) ? UINT64_MAX : (value << 4) | static_cast<uint64_t>(digit);
  }
  location_ = i;
  return value;
}

}  // namespace ios
