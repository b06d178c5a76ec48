#include <QuartzCore/ShadowMaskCache.h>

#include <algorithm>
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

bool ShadowMaskCache::restore(const Key& key, unsigned char* data, int stride) {
  std::lock_guard lock(mutex_);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (!(it->key == key)) continue;
    // Same digest is not proof: compare the alpha itself before trusting the entry.
    for (int y = 0; y < key.height; ++y) {
      if (std::memcmp(it->source.data() + static_cast<std::ptrdiff_t>(y) * key.width,
                      data + static_cast<std::ptrdiff_t>(y) * stride, key.width) != 0) {
        return false;
      }
    }
    hit(it, data, stride);
    return true;
  }
  return false;
}

void ShadowMaskCache::hit(std::list<Entry>::iterator it, unsigned char* data, int stride) {
  for (int y = 0; y < it->key.height; ++y) {
    std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride,
                it->blurred.data() + static_cast<std::ptrdiff_t>(y) * it->key.width, it->key.width);
  }
  entries_.splice(entries_.begin(), entries_, it);
  ++hits_;
}

bool ShadowMaskCache::restore(const Key& key, const std::vector<unsigned char>& source, unsigned char* data,
                              int stride) {
  std::lock_guard lock(mutex_);
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const Entry& e) { return e.key == key && e.source == source; });
  if (it == entries_.end()) return false;
  hit(it, data, stride);
  return true;
}

void ShadowMaskCache::store(const Key& key, std::vector<unsigned char> source, std::vector<unsigned char> blurred) {
  const std::size_t size = source.size() + blurred.size();
  if (size > capacity_) return;
  std::lock_guard lock(mutex_);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->key == key) {
      bytes_ -= it->source.size() + it->blurred.size();
      entries_.erase(it);
      break;
    }
  }
  entries_.push_front(Entry{key, std::move(source), std::move(blurred)});
  bytes_ += size;
  while (bytes_ > capacity_) {
    const Entry& last = entries_.back();
    bytes_ -= last.source.size() + last.blurred.size();
    entries_.pop_back();
  }
}

std::size_t ShadowMaskCache::hits() const {
  std::lock_guard lock(mutex_);
  return hits_;
}

std::size_t ShadowMaskCache::entries() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

void ShadowMaskCache::clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
  bytes_ = hits_ = 0;
}

ShadowMaskCache& ShadowMaskCache::shared() {
  static ShadowMaskCache cache(32u << 20);
  return cache;
}

}  // namespace ios
