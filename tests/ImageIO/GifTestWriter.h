#pragma once

// Builds GIF files byte by byte so tests control every field: frame rectangles, colour tables,
// graphic control blocks (always written), interlacing, and deliberately broken pixel data. The pixel data is
// valid LZW that never compresses (a clear code every 200 literals keeps the code width at 9 bits).

#include <cstdint>
#include <string>
#include <vector>

namespace ios::testing {

struct GifColor {
  std::uint8_t red, green, blue;
};

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> indices;  // width * height, rows top to bottom
  std::vector<GifColor> localColors;  // empty: use the global table (sizes are padded to a power of 2)
  int disposal = 0;
  int delayCentiseconds = 0;
  int transparentIndex = -1;
  bool interlaced = false;
  // Damage: end the pixel data with an end-of-information code after this many pixels (-1: never).
  int endAfterPixels = -1;
};

class GifTestWriter {
 public:
  static std::string write(int screenWidth, int screenHeight, const std::vector<GifColor>& globalColors,
                           const std::vector<GifFrame>& frames) {
    std::string out = "GIF89a";
    u16(out, screenWidth);
    u16(out, screenHeight);
    const int globalBits = tableBits(globalColors.size());
    out += static_cast<char>(globalColors.empty() ? 0 : 0x80 | (globalBits - 1));
    out += '\0';  // background index
    out += '\0';  // aspect
    if (!globalColors.empty()) table(out, globalColors, globalBits);
    for (const auto& f : frames) frame(out, f);
    out += ';';
    return out;
  }

 private:
  static void u16(std::string& out, int v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
  }
  static int tableBits(std::size_t count) {
    int bits = 1;
    while ((1u << bits) < count) ++bits;
    return bits;
  }
  static void table(std::string& out, const std::vector<GifColor>& colors, int bits) {
    for (std::size_t i = 0; i < (1u << bits); ++i) {
      const GifColor c = i < colors.size() ? colors[i] : GifColor{0, 0, 0};
      out += static_cast<char>(c.red);
      out += static_cast<char>(c.green);
      out += static_cast<char>(c.blue);
    }
  }
  static void frame(std::string& out, const GifFrame& f) {
    out += "\x21\xF9\x04";  // graphic control block
    out += static_cast<char>((f.disposal & 7) << 2 | (f.transparentIndex >= 0 ? 1 : 0));
    u16(out, f.delayCentiseconds);
    out += static_cast<char>(f.transparentIndex >= 0 ? f.transparentIndex : 0);
    out += '\0';
    out += ',';
    u16(out, f.left);
    u16(out, f.top);
    u16(out, f.width);
    u16(out, f.height);
    const int localBits = tableBits(f.localColors.size());
    out +=
        static_cast<char>((f.localColors.empty() ? 0 : 0x80 | (localBits - 1)) | (f.interlaced ? 0x40 : 0));
    if (!f.localColors.empty()) table(out, f.localColors, localBits);
    pixels(out, f);
  }
  static std::vector<std::uint8_t> storedOrder(const GifFrame& f) {
    if (!f.interlaced) return f.indices;
    std::vector<std::uint8_t> rows;
    static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = kStart[pass]; y < f.height; y += kStep[pass])
        rows.insert(rows.end(), f.indices.begin() + y * f.width, f.indices.begin() + (y + 1) * f.width);
    return rows;
  }
  static void pixels(std::string& out, const GifFrame& f) {
    constexpr int kClear = 256, kEnd = 257, kRun = 200;  // literals between clear codes
    out += '\x08';                                       // minimum code size
    std::vector<std::uint8_t> bytes;
    std::uint32_t buffer = 0;
    int bits = 0;
    auto emit = [&](int code) {
      buffer |= static_cast<std::uint32_t>(code) << bits;
      bits += 9;
      while (bits >= 8) {
        bytes.push_back(static_cast<std::uint8_t>(buffer & 0xFF));
        buffer >>= 8;
        bits -= 8;
      }
    };
    const auto indices = storedOrder(f);
    int sinceClear = kRun;
    for (std::size_t i = 0; i < indices.size(); ++i) {
      if (f.endAfterPixels >= 0 && static_cast<int>(i) == f.endAfterPixels) break;
      if (sinceClear == kRun) {
        emit(kClear);
        sinceClear = 0;
      }
      emit(indices[i]);
      ++sinceClear;
    }
    emit(kEnd);
    if (bits > 0) bytes.push_back(static_cast<std::uint8_t>(buffer & 0xFF));
    for (std::size_t i = 0; i < bytes.size(); i += 255) {
      const std::size_t n = std::min<std::size_t>(255, bytes.size() - i);
      out += static_cast<char>(n);
      out.append(reinterpret_cast<const char*>(&bytes[i]), n);
    }
    out += '\0';
  }
};

}  // namespace ios::testing
