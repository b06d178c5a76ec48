#pragma once

#include <UIKit/UIImage.h>

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace ios {

// Decoded images by key, bounded by total cost (bitmap bytes; 0 means no bound). When the bound is
// passed, the least recently used images go first; an image that alone costs more than the cost
// limit is not kept at all. Thread-safe.
class SDMemoryCache {
 public:
  static constexpr std::size_t kDefaultTotalCostLimit = 64 * 1024 * 1024;

  explicit SDMemoryCache(std::size_t totalCostLimit = kDefaultTotalCostLimit);

  // The image, which becomes the most recently used; null when absent.
  std::shared_ptr<UIImage> object(const std::string& key);
  // Stores (or replaces) the image as the most recently used, then evicts down to the limits.
  void setObject(std::shared_ptr<UIImage> image, const std::string& key);
  void setObject(std::shared_ptr<UIImage> image, const std::string& key, std::size_t cost);
  void removeObject(const std::string& key);
  void removeAllObjects();

  std::size_t totalCost() const;
  std::size_t count() const;

  // The bytes an image's bitmaps take (every frame of an animated image); at least 1.
  static std::size_t cost(const UIImage& image);

 private:
  struct Entry {
    std::string key;
    std::shared_ptr<UIImage> image;
    std::size_t cost;
  };
  void evictLocked();
  void removeLocked(std::list<Entry>::iterator entry);

  mutable std::mutex mutex_;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string, std::list<Entry>::iterator> index_;
  std::size_t totalCost_ = 0;
  const std::size_t totalCostLimit_;
};

}  // namespace ios
