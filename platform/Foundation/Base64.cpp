#include <Foundation/Base64.h>

#include <array>
#include <cstdint>

namespace ios {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kInvalid = 0xFF;

constexpr std::array<uint8_t, 256> makeDecodeTable() {
  std::array<uint8_t, 256> table{};
  for (auto& entry : table) entry = kInvalid;
  for (uint8_t i = 0; i < 64; ++i) table[static_cast<uint8_t>(kAlphabet[i])] = i;
  return table;
}
constexpr std::array<uint8_t, 256> kDecode = makeDecodeTable();

uint8_t byteAt(std::string_view s, size_t i) {
  return static_cast<uint8_t>(s[i]);
}

}  // namespace

std::string base64Encode(std::string_view bytes) {
  std::string out((bytes.size() + 2) / 3 * 4, '\0');
  size_t in = 0;
  size_t o = 0;
  for (; in + 3 <= bytes.size(); in += 3) {
    uint32_t v = (byteAt(bytes, in) << 16) | (byteAt(bytes, in + 1) << 8) | byteAt(bytes, in + 2);
    out[o++] = kAlphabet[(v >> 18) & 63];
    out[o++] = kAlphabet[(v >> 12) & 63];
    out[o++] = kAlphabet[(v >> 6) & 63];
    out[o++] = kAlphabet[v & 63];
  }
  size_t rest = bytes.size() - in;
  if (rest > 0) {
    uint32_t v = byteAt(bytes, in) << 16;
    if (rest == 2) v |= byteAt(bytes, in + 1) << 8;
    out[o++] = kAlphabet[(v >> 18) & 63];
    out[o++] = kAlphabet[(v >> 12) & 63];
    out[o++] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out[o++] = '=';
  }
  return out;
}

std::optional<std::string> base64Decode(std::string_view text) {
  std::string out;
  if (!base64Decode(text, out)) return std::nullopt;
  return out;
}

bool base64Decode(std::string_view text, std::string& out) {
  out.clear();
  if (text.size() % 4 != 0) return false;
  if (text.empty()) return true;
  size_t padding = 0;
  if (text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  const size_t fullGroups = text.size() / 4 - (padding > 0 ? 1 : 0);

  out.resize(text.size() / 4 * 3 - padding);
  // Through plain pointers: a store through the string's own operator[] may alias the string, so
  // the compiler would reload its buffer's address after every byte written.
  const auto* from = reinterpret_cast<const unsigned char*>(text.data());
  char* to = out.data();
  uint8_t bad = 0;  // OR of every table lookup: one test per group instead of four
  for (size_t g = 0; g < fullGroups; ++g, from += 4, to += 3) {
    const uint8_t a = kDecode[from[0]], b = kDecode[from[1]], c = kDecode[from[2]], d = kDecode[from[3]];
    bad |= a | b | c | d;
    const uint32_t v = (a << 18) | (b << 12) | (c << 6) | d;
    to[0] = static_cast<char>(v >> 16);
    to[1] = static_cast<char>(v >> 8);
    to[2] = static_cast<char>(v);
  }
  if (bad & 0xC0) return false;
  size_t o = fullGroups * 3;

  if (padding > 0) {
    const size_t i = fullGroups * 4;
    uint8_t a = kDecode[byteAt(text, i)], b = kDecode[byteAt(text, i + 1)];
    uint8_t c = padding == 1 ? kDecode[byteAt(text, i + 2)] : 0;
    if ((a | b | c) & 0xC0) return false;
    // Bits that fall past the last byte must be zero, or two texts would decode to the same bytes.
    if (padding == 2 && (b & 0x0F) != 0) return false;
    if (padding == 1 && (c & 0x03) != 0) return false;
    uint32_t v = (a << 18) | (b << 12) | (c << 6);
    out[o++] = static_cast<char>(v >> 16);
    if (padding == 1) out[o++] = static_cast<char>(v >> 8);
  }
  return true;
}

}  // namespace ios
