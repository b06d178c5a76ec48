#pragma once

#include <Foundation/Data.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text helpers over UTF-8 `std::string`, the platform's string type. Where Foundation counts in
// UTF-16 units (NSRange, `utf16.count`) or Swift counts user-perceived characters (`String.count`),
// these functions say so. Invalid UTF-8 never crashes: each ill-formed sequence counts as one U+FFFD.

namespace ios {

// Foundation's "no such location" (NSIntegerMax).
inline constexpr std::size_t NSNotFound = static_cast<std::size_t>(INT64_MAX);

// A range in UTF-16 code units, as Foundation uses for NSString and attributed strings.
struct NSRange {
  std::size_t location = 0;
  std::size_t length = 0;

  std::size_t upperBound() const { return location + length; }
  friend bool operator==(const NSRange&, const NSRange&) = default;
};

// A half-open range of UTF-8 byte offsets, as Pango and std::string index text.
struct ByteRange {
  std::size_t begin = 0;
  std::size_t end = 0;
  friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// Swift's `String.count`: extended grapheme clusters (ICU character break rules), so "e" plus a
// combining accent, a flag, or an emoji ZWJ family each count as one.
std::size_t graphemeCount(std::string_view utf8);
// The byte offset where the last of those characters starts (0 for empty text): what a backspace
// at the end removes. Reads from the end, so its cost is the length of that character, not the text.
std::size_t lastCharacterStart(std::string_view utf8);

// `(text as NSString).length`, i.e. `text.utf16.count`.
std::size_t utf16Length(std::string_view utf8);

bool isValidUTF8(std::string_view bytes);

// Ill-formed UTF-8 becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
// nullopt when `utf16` holds an unpaired surrogate.
std::optional<std::string> utf16ToUtf8(std::u16string_view utf16);

// `text.data(using: .unicode)` (the same as `.utf16`): the BOM FF FE, then little-endian units.
Data unicodeData(std::string_view utf8);
// `String(data:encoding: .unicode)`: honours an FF FE or FE FF byte order mark and reads big-endian
// without one. nullopt for an odd byte count or an unpaired surrogate.
std::optional<std::string> stringFromUnicodeData(const Data& data);
// `text.data(using: .ascii)`: nullopt as soon as one character is outside ASCII.
std::optional<Data> asciiData(std::string_view text);

// Converts a UTF-16 range of `utf8` to byte offsets. A bound that falls between the two halves of a
// surrogate pair moves outward to the edge of that character. nullopt when the range runs past the
// end of the text (or its location is NSNotFound).
std::optional<ByteRange> byteRange(std::string_view utf8, NSRange range);
// The reverse; nullopt when a bound is past the end or not on a character boundary.
std::optional<NSRange> nsRange(std::string_view utf8, ByteRange range);

// Full Unicode case mapping with the root locale (Swift's `lowercased()`/`uppercased()`), so the
// result never depends on the machine's locale: "ĐIỆN" -> "điện", "straße" -> "STRASSE".
std::string lowercased(std::string_view utf8);
std::string uppercased(std::string_view utf8);

// `text.contains(other)` as Foundation's string search: case- and accent-sensitive, no locale, no
// normalisation. An empty `other` is never contained, as with NSString.
bool containsString(std::string_view text, std::string_view other);

// `trimmingCharacters(in: .whitespacesAndNewlines)`: strips characters of Unicode category Z
// (spaces, U+2028, U+2029), tab, and the line breaks U+000A-U+000D and U+0085 from both ends.
std::string trimmingWhitespacesAndNewlines(std::string_view utf8);

}  // namespace ios
