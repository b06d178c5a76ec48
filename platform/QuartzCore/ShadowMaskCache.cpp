#include <QuartzCore/ShadowMaskCache.h>

#include <cstring>

namespace ios {

std::uint64_t ShadowMaskCache::hash(const unsigned char* data, int width, int height, int stride) {
  // FNV-1a over the rows' visible bytes, eight at a time.
  std::uint64_t h = 1469598103934665603ull;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
    int x = 0;
    for (; x + 8 <= width; x += 8) {
      std::uint64_t word;
      std::memcpy(&word, row + x, sizeof word);
      h = (h ^ word) * 1099511628211ull;
    }
    for (; x < width; ++x) h = (h ^ row[x]) * 1099511628211ull;
  }
  return h;
}

std::vector<unsigned char> ShadowMaskCache::pack(const unsigned char* data, int width, int height, int stride) {
  std::vector<unsigned char> packed(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(packed.data() + static_cast<std::ptrdiff_t>(y) * width, data + static_cast<std::ptrdiff_t>(y) * stride,
                width);
  }
  return packed;
}

std::size_t ShadowMaskCache::KeyHash::operator()(const Key& key) const {
  return HashMix().add(key.width).add(key.height).add(key.sigma).add(key.digest).value();
}

bool ShadowMaskCache::restore(const Key& key, unsigned char* data, int stride) {
  // Same digest is not proof: compare the alpha itself before trusting the entry.
  return restore(key, data, stride, [&](const Entry& e) {
    for (int y = 0; y < key.height; ++y) {
      if (std::memcmp(e.source.data() + static_cast<std::ptrdiff_t>(y) * key.width,
                      data + static_cast<std::ptrdiff_t>(y) * stride, key.width) != 0) {
        return false;
      }
    }
    return true;
  });
}

bool ShadowMaskCache::restore(const Key& key, const std::vector<unsigned char>& source, unsigned char* data,
                              int stride) {
  return restore(key, data, stride, [&](const Entry& e) { return e.source == source; });
}

template <typename Accept>
bool ShadowMaskCache::restore(const Key& key, unsigned char* data, int stride, Accept&& accept) {
  std::lock_guard lock(mutex_);
  const Entry* kept = masks_.find(key, accept);
  if (!kept) return false;
  for (int y = 0; y < key.height; ++y) {
    std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride,
                kept->blurred.data() + static_cast<std::ptrdiff_t>(y) * key.width, key.width);
  }
  ++hits_;
  return true;
}

void ShadowMaskCache::store(const Key& key, std::vector<unsigned char> source, std::vector<unsigned char> blurred) {
  const std::size_t size = source.size() + blurred.size();
  std::lock_guard lock(mutex_);
  masks_.keep(key, Entry{std::move(source), std::move(blurred)}, size);
}

std::size_t ShadowMaskCache::hits() const {
  std::lock_guard lock(mutex_);
  return hits_;
}

std::size_t ShadowMaskCache::entries() const {
  std::lock_guard lock(mutex_);
  return masks_.count();
}

void ShadowMaskCache::clear() {
  std::lock_guard lock(mutex_);
  masks_.clear();
  hits_ = 0;
}

ShadowMaskCache& ShadowMaskCache::shared() {
  static ShadowMaskCache cache(32u << 20);
  return cache;
}

}  // namespace ios
