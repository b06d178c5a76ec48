#pragma once

#include <Foundation/BoundedCache.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace ios {

// Remembers blurred shadow masks by the exact alpha they were made from. A list of cards draws the
// same rounded shape many times, and the blur is most of a frame's cost; a hit copies the stored
// result instead. Entries are matched byte for byte (not by hash alone) and the least recently used
// ones go first once the cache holds more than `capacityBytes`. Safe to use from any thread.
class ShadowMaskCache {
 public:
  explicit ShadowMaskCache(std::size_t capacityBytes) : masks_({.bytes = capacityBytes}) {}

  // Blurs `data` (an 8-bit alpha buffer of `width` x `height` with `stride` bytes a row) in place
  // with `blur(data)`, or copies the result of an earlier call with the same alpha and `sigma`.
  template <typename Blur>
  void blur(unsigned char* data, int width, int height, int stride, double sigma, Blur&& blur) {
    if (width <= 0 || height <= 0) return;
    Key key{width, height, sigma, hash(data, width, height, stride)};
    if (restore(key, data, stride)) return;
    std::vector<unsigned char> source = pack(data, width, height, stride);
    blur(data);
    store(key, std::move(source), pack(data, width, height, stride));
  }

  // As `blur`, matched by `source` instead of the alpha itself: bytes, packed by the caller, that
  // decide every byte of an alpha of this size (what the rest of it holds being known).
  template <typename Blur>
  void blur(unsigned char* data, int width, int height, int stride, double sigma,
            const std::vector<unsigned char>& source, Blur&& blur) {
    if (width <= 0 || height <= 0) return;
    Key key{width, height, sigma, hash(source.data(), static_cast<int>(source.size()), 1, 0)};
    if (restore(key, source, data, stride)) return;
    blur(data);
    store(key, source, pack(data, width, height, stride));
  }

  // For tests and benchmarks.
  std::size_t hits() const;
  std::size_t entries() const;
  void clear();

  // The renderer's cache (32 MB).
  static ShadowMaskCache& shared();

  // A digest of the `width` visible bytes of each of `height` rows, `stride` bytes apart.
  static std::uint64_t hash(const unsigned char* data, int width, int height, int stride);

 private:
  struct Key {
    int width, height;
    double sigma;
    std::uint64_t digest;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    std::vector<unsigned char> source, blurred;  // packed rows, `width` bytes each
  };

  static std::vector<unsigned char> pack(const unsigned char* data, int width, int height, int stride);
  bool restore(const Key& key, unsigned char* data, int stride);
  bool restore(const Key& key, const std::vector<unsigned char>& source, unsigned char* data, int stride);
  // Copies the blurred alpha of the entry for `key` that `accept` takes into `data`, making it the
  // most recently used.
  template <typename Accept>
  bool restore(const Key& key, unsigned char* data, int stride, Accept&& accept);
  void store(const Key& key, std::vector<unsigned char> source, std::vector<unsigned char> blurred);

  mutable std::mutex mutex_;
  BoundedCache<Key, Entry, KeyHash> masks_;
  std::size_t hits_ = 0;
};

}  // namespace ios
