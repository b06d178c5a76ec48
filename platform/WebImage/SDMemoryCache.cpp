#include <WebImage/SDMemoryCache.h>

namespace ios {

SDMemoryCache::SDMemoryCache(std::size_t totalCostLimit) : totalCostLimit_(totalCostLimit) {}

std::shared_ptr<UIImage> SDMemoryCache::object(const std::string& key) {
  std::lock_guard lock(mutex_);
  const auto found = index_.find(key);
  if (found == index_.end()) return nullptr;
  entries_.splice(entries_.begin(), entries_, found->second);
  return found->second->image;
}

void SDMemoryCache::setObject(std::shared_ptr<UIImage> image, const std::string& key) {
  if (!image) return removeObject(key);
  const auto imageCost = cost(*image);
  setObject(std::move(image), key, imageCost);
}

void SDMemoryCache::setObject(std::shared_ptr<UIImage> image, const std::string& key, std::size_t cost) {
  std::lock_guard lock(mutex_);
  if (const auto found = index_.find(key); found != index_.end()) removeLocked(found->second);
  if (!image) return;
  entries_.push_front(Entry{key, std::move(image), cost});
  index_[key] = entries_.begin();
  totalCost_ += cost;
  evictLocked();
}

void SDMemoryCache::removeObject(const std::string& key) {
  std::lock_guard lock(mutex_);
  if (const auto found = index_.find(key); found != index_.end()) removeLocked(found->second);
}

void SDMemoryCache::removeAllObjects() {
  std::lock_guard lock(mutex_);
  entries_.clear();
  index_.clear();
  totalCost_ = 0;
}

std::size_t SDMemoryCache::totalCost() const {
  std::lock_guard lock(mutex_);
  return totalCost_;
}

std::size_t SDMemoryCache::count() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

std::size_t SDMemoryCache::cost(const UIImage& image) {
  auto bitmapBytes = [](const UIImage& frame) -> std::size_t {
    const auto& bitmap = frame.cgImage();
    return bitmap ? bitmap->bytesPerRow() * static_cast<std::size_t>(bitmap->height()) : 0;
  };
  std::size_t total = 0;
  if (image.images().empty()) {
    total = bitmapBytes(image);
  } else {
    for (const auto& frame : image.images()) total += frame ? bitmapBytes(*frame) : 0;
  }
  return total > 0 ? total : 1;
}

void SDMemoryCache::evictLocked() {
  while (!entries_.empty() && totalCostLimit_ > 0 && totalCost_ > totalCostLimit_) {
    removeLocked(std::prev(entries_.end()));
  }
}

void SDMemoryCache::removeLocked(std::list<Entry>::iterator entry) {
  totalCost_ -= entry->cost;
  index_.erase(entry->key);
  entries_.erase(entry);
}

}  // namespace ios
