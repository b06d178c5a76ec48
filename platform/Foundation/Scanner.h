#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Foundation's `Scanner` with its default characters to skip (whitespace and newlines). Locations
// are in UTF-16 units, as Foundation counts them.
class Scanner {
 public:
  explicit Scanner(std::string_view string);

  // `scanHexLongLong`: skips leading whitespace and newlines, accepts an optional "0x" or "0X", then
  // reads hex digits of either case up to the first other character. No sign is accepted. A value
  // past UINT64_MAX saturates to UINT64_MAX while the remaining digits are still consumed. With no
  // digit, the scan fails and `scanLocation` is left where it was; a lone "0x" scans as the digit 0
  // and stops before the "x".
  std::optional<uint64_t> scanHexLongLong();

  std::size_t scanLocation() const { return location_; }
  // Clamped to the end of the text.
  void setScanLocation(std::size_t location);
  // True when only characters to skip remain.
  bool isAtEnd() const;

 private:
  std::size_t skipped(std::size_t from) const;

  std::u16string text_;
  std::size_t location_ = 0;
};

}  // namespace ios
