#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Foundation's `Data`: a value-type byte buffer. The bytes live in a `std::string` because most of
// them travel to and from text APIs (JSON, base64, HTTP bodies) and a string hands them over without
// a copy; treat it as raw bytes, it need not be valid UTF-8 and may contain NULs.
struct Data {
  std::string bytes;

  Data() = default;
  explicit Data(std::string bytes) : bytes(std::move(bytes)) {}
  // The UTF-8 bytes of `text` (Swift's `Data(text.utf8)`).
  static Data fromText(std::string_view text) { return Data(std::string(text)); }
  Data(const uint8_t* first, size_t count) : bytes(reinterpret_cast<const char*>(first), count) {}

  size_t count() const { return bytes.size(); }
  bool isEmpty() const { return bytes.empty(); }
  const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(bytes.data()); }
  uint8_t operator[](size_t index) const { return static_cast<uint8_t>(bytes[index]); }
  void append(const Data& other) { bytes += other.bytes; }

  std::string base64EncodedString() const;
  // nullopt when `text` is not strict base64 (see base64Decode).
  static std::optional<Data> fromBase64(std::string_view text);

  // A synchronous read of a whole local file; nullopt when it cannot be opened or read.
  static std::optional<Data> contentsOfFile(const std::string& path);
  // Writes atomically: the bytes go to a temporary file beside `path`, which is then renamed over
  // it, so a reader never sees a half-written file. False (and `path` untouched) on any failure.
  bool write(const std::string& toFile) const;

  friend bool operator==(const Data&, const Data&) = default;
};

}  // namespace ios
