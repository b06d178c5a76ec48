#include <Foundation/NSString.h>

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <memory>
#include <vector>

namespace ios {
namespace {

// Decodes one code point at `i`, advancing past it; ill-formed input yields U+FFFD for its maximal
// subpart, exactly as ICU and Swift's String do.
UChar32 nextCodePoint(std::string_view s, size_t& i) {
  UChar32 c;
  int32_t index = static_cast<int32_t>(i);
  U8_NEXT_OR_FFFD(reinterpret_cast<const uint8_t*>(s.data()), index, static_cast<int32_t>(s.size()), c);
  i = static_cast<size_t>(index);
  return c;
}

bool isAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

icu::BreakIterator* characterBreakIterator() {
  thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> it(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    return U_SUCCESS(status) ? std::move(it) : nullptr;
  }();
  return iterator.get();
}

icu::UnicodeString toUnicode(std::string_view utf8) {
  return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
}

std::string toUtf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

bool isWhitespaceOrNewline(UChar32 c) {
  if (c == 0x09 || (c >= 0x0A && c <= 0x0D) || c == 0x85) return true;
  return (U_GET_GC_MASK(c) & U_GC_Z_MASK) != 0;
}

}  // namespace

std::size_t graphemeCount(std::string_view utf8) {
  if (isAscii(utf8)) {
    // In ASCII only CR LF joins two characters into one cluster.
    size_t count = utf8.size();
    for (size_t i = 1; i < utf8.size(); ++i) {
      if (utf8[i - 1] == '\r' && utf8[i] == '\n') --count;
    }
    return count;
  }
  icu::BreakIterator* it = characterBreakIterator();
  UErrorCode status = U_ZERO_ERROR;
  UText* text = utext_openUTF8(nullptr, utf8.data(), static_cast<int64_t>(utf8.size()), &status);
  if (!it || U_FAILURE(status)) {
    utext_close(text);
    return utf16Length(utf8);
  }
  it->setText(text, status);
  size_t count = 0;
  for (int32_t b = it->next(); b != icu::BreakIterator::DONE; b = it->next()) ++count;
  // Detach the iterator from the UText before closing it; the iterator is reused by this thread.
  it->setText(icu::UnicodeString());
  utext_close(text);
  return count;
}

std::size_t lastCharacterStart(std::string_view utf8) {
  const std::size_t n = utf8.size();
  if (n < 2) return 0;
  // Between two ASCII characters only CR LF holds together.
  const std::string_view tail = utf8.substr(n - 2);
  if (isAscii(tail)) return tail == "\r\n" ? n - 2 : n - 1;
  std::size_t start = n - 1;
  while (start > 0 && (static_cast<unsigned char>(utf8[start]) & 0xC0) == 0x80) --start;
  icu::BreakIterator* it = characterBreakIterator();
  UErrorCode status = U_ZERO_ERROR;
  UText* text = utext_openUTF8(nullptr, utf8.data(), static_cast<int64_t>(n), &status);
  if (it && U_SUCCESS(status)) {
    it->setText(text, status);
    const int32_t before = it->preceding(static_cast<int32_t>(n));
    if (U_SUCCESS(status) && before != icu::BreakIterator::DONE) start = static_cast<std::size_t>(before);
    it->setText(icu::UnicodeString());
  }
  utext_close(text);
  return start;
}

std::size_t utf16Length(std::string_view utf8) {
  size_t length = 0;
  for (size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      ++i;
      ++length;
      continue;
    }
    length += U16_LENGTH(nextCodePoint(utf8, i));
  }
  return length;
}

bool isValidUTF8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    UChar32 c;
    int32_t index = static_cast<int32_t>(i);
    U8_NEXT(reinterpret_cast<const uint8_t*>(bytes.data()), index, static_cast<int32_t>(bytes.size()), c);
    if (c < 0) return false;
    i = static_cast<size_t>(index);
  }
  return true;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    UChar32 c = nextCodePoint(utf8, i);
    if (U_IS_BMP(c)) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(U16_LEAD(c)));
      out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
  }
  return out;
}

std::optional<std::string> utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size();) {
    UChar32 c;
    U16_NEXT(utf16.data(), i, utf16.size(), c);
    if (U_IS_SURROGATE(c)) return std::nullopt;
    char buffer[4];
    int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, c);
    out.append(buffer, static_cast<size_t>(length));
  }
  return out;
}

Data unicodeData(std::string_view utf8) {
  if (utf8.empty()) return Data();
  std::u16string units = utf8ToUtf16(utf8);
  std::string bytes;
  bytes.reserve(2 + units.size() * 2);
  bytes += "\xFF\xFE";
  for (char16_t u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return Data(std::move(bytes));
}

std::optional<std::string> stringFromUnicodeData(const Data& data) {
  if (data.count() % 2 != 0) return std::nullopt;
  bool littleEndian = false;
  size_t start = 0;
  if (data.count() >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    littleEndian = true;
    start = 2;
  } else if (data.count() >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
    start = 2;
  }
  std::u16string units;
  units.reserve((data.count() - start) / 2);
  for (size_t i = start; i < data.count(); i += 2) {
    uint8_t hi = littleEndian ? data[i + 1] : data[i];
    uint8_t lo = littleEndian ? data[i] : data[i + 1];
    units.push_back(static_cast<char16_t>((hi << 8) | lo));
  }
  return utf16ToUtf8(units);
}

std::optional<Data> asciiData(std::string_view text) {
  if (!isAscii(text)) return std::nullopt;
  return Data(std::string(text));
}

std::optional<ByteRange> byteRange(std::string_view utf8, NSRange range) {
  if (range.location == NSNotFound || range.location > NSNotFound - range.length) return std::nullopt;
  const size_t end = range.upperBound();
  std::optional<size_t> begin = range.location == 0 ? std::optional<size_t>(0) : std::nullopt;
  std::optional<size_t> finish = end == 0 ? std::optional<size_t>(0) : std::nullopt;
  size_t units = 0;
  for (size_t i = 0; i < utf8.size() && !finish;) {
    const size_t start = i;
    units += U16_LENGTH(nextCodePoint(utf8, i));
    if (!begin && units > range.location) begin = start;  // inside a pair: go back to its start
    if (!begin && units == range.location) begin = i;
    if (units >= end) finish = i;  // inside a pair: go forward to its end
  }
  if (!begin || !finish) return std::nullopt;
  return ByteRange{*begin, *finish};
}

std::optional<NSRange> nsRange(std::string_view utf8, ByteRange range) {
  if (range.begin > range.end || range.end > utf8.size()) return std::nullopt;
  std::optional<size_t> location = range.begin == 0 ? std::optional<size_t>(0) : std::nullopt;
  std::optional<size_t> upper = range.end == 0 ? std::optional<size_t>(0) : std::nullopt;
  size_t units = 0;
  for (size_t i = 0; i < range.end;) {
    units += U16_LENGTH(nextCodePoint(utf8, i));
    if (i == range.begin) location = units;
    if (i == range.end) upper = units;
  }
  if (!location || !upper) return std::nullopt;
  return NSRange{*location, *upper - *location};
}

std::string lowercased(std::string_view utf8) {
  if (isAscii(utf8)) {
    std::string out(utf8);
    for (char& c : out) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
  }
  return toUtf8(toUnicode(utf8).toLower(icu::Locale::getRoot()));
}

std::string uppercased(std::string_view utf8) {
  if (isAscii(utf8)) {
    std::string out(utf8);
    for (char& c : out) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
  }
  return toUtf8(toUnicode(utf8).toUpper(icu::Locale::getRoot()));
}

bool containsString(std::string_view text, std::string_view other) {
  return !other.empty() && text.find(other) != std::string_view::npos;
}

std::string trimmingWhitespacesAndNewlines(std::string_view utf8) {
  size_t first = utf8.size();
  size_t last = 0;
  for (size_t i = 0; i < utf8.size();) {
    const size_t start = i;
    if (!isWhitespaceOrNewline(nextCodePoint(utf8, i))) {
      if (first == utf8.size()) first = start;
      last = i;
    }
  }
  if (first == utf8.size()) return std::string();
  return std::string(utf8.substr(first, last - first));
}

}  // namespace ios
