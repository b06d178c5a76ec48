#include "HeadCheck.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <utility>

namespace kerbelin::backend {
namespace {

constexpr auto npos = std::string_view::npos;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One or more digits, as HTTP writes a length. A value past 64 bits is held as the largest one: it is
// over any limit all the same.
std::optional<uint64_t> decimal(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789") != npos) return std::nullopt;
  constexpr uint64_t most = std::numeric_limits<uint64_t>::max();
  uint64_t value = 0;
  for (char digit : text) {
    const auto d = static_cast<uint64_t>(digit - '0');
    value = value > (most - d) / 10 ? most : value * 10 + d;
  }
  return value;
}

// HTTP asks that a range in a unit the server does not know be ignored: the reply goes out whole. The
// unit's case does not matter, though httplib knows only "bytes=".
std::string rangeField(std::string_view value) {
  const std::string_view unit = value.substr(0, value.find('='));
  if (!equalsIgnoringCase(unit, "bytes")) return "";
  return "Range: bytes" + std::string(value.substr(unit.size())) + "\r\n";
}

}  // namespace

bool isHttpToken(std::string_view text) {
  return !text.empty() &&
         text.find_first_not_of(
             "!#$%&'*+-.^_`|~0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") == npos;
}

std::string HeadCheck::take(std::string_view line) {
  // httplib reads the request line itself and refuses a bad one before it reads any field.
  if (std::exchange(requestLine_, false)) return std::string(line);
  if (line == "\r\n" || line == "\n") {
    ended_ = true;
    malformed_ = malformed_ || line == "\n";  // httplib would go on reading fields
    // A request that says nothing of its body has none; httplib would read one until the client closes.
    return framed_ ? "\r\n" : "Content-Length: 0\r\n\r\n";
  }
  if (!line.ends_with("\r\n")) {
    malformed_ = true;  // httplib would cut the line's last byte
    return std::string(line);
  }
  return field(line.substr(0, line.size() - 2));
}

void HeadCheck::giveUp() {
  malformed_ = true;
  ended_ = true;
}

int HeadCheck::status() const {
  if (malformed_) return 400;
  return length_ && *length_ > maxBody_ ? 413 : 0;
}

std::string HeadCheck::field(std::string_view text) {
  const size_t colon = text.find(':');
  const std::string_view name = text.substr(0, colon);
  const std::string_view value = colon == npos ? std::string_view() : trimmed(text.substr(colon + 1));
  // A field name is a token: no space before the colon, no line folded onto the one before.
  if (colon == npos || !isHttpToken(name) || value.find_first_of(std::string_view("\0\r", 2)) != npos) {
    malformed_ = true;
  } else if (equalsIgnoringCase(name, "Content-Length")) {
    takeLength(value);
  } else if (equalsIgnoringCase(name, "Transfer-Encoding")) {
    framed_ = true;
  } else if (equalsIgnoringCase(name, "Range")) {
    return rangeField(value);
  }
  return std::string(text) + "\r\n";
}

void HeadCheck::takeLength(std::string_view value) {
  const std::optional<uint64_t> length = decimal(value);
  // Of two lengths that differ, neither says where the body ends.
  malformed_ = malformed_ || !length || (length_ && *length_ != *length);
  framed_ = true;
  if (length) length_ = length;
}

}  // namespace kerbelin::backend
