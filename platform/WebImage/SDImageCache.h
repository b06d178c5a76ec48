#pragma once

#include <Foundation/Data.h>
#include <Foundation/NSObject.h>
#include <UIKit/UIImage.h>
#include <WebImage/SDDiskCache.h>
#include <WebImage/SDImageCacheType.h>
#include <WebImage/SDMemoryCache.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

// The two-level image cache: decoded images in memory, the downloaded bytes on disk.
//
// Disk reads, decoding and disk writes run on DispatchQueue::global(); their results come back on
// the main queue. Call the asynchronous members from the main thread.
class SDImageCache : public NSObject {
 public:
  using QueryCompletion = std::function<void(std::shared_ptr<UIImage> image, SDImageCacheType cacheType)>;

  // The process-wide cache, on disk under FileManager's caches directory + "/WebImage" as it is when
  // the cache is first used.
  static std::shared_ptr<SDImageCache> shared();
  // A cache on `diskDirectory`; empty means the shared cache's folder. Caches on one directory share
  // their disk entries, in this process or another; each has its own memory.
  static std::shared_ptr<SDImageCache> create(std::string diskDirectory = {});
  explicit SDImageCache(std::string diskDirectory);

  SDMemoryCache& memoryCache() { return memory_; }
  SDDiskCache& diskCache() { return *disk_; }

  // Memory first: on a hit the completion runs before this returns, with `memory`. Otherwise the
  // disk file is read and decoded off the main thread and the completion runs on a later main-queue
  // turn: with `disk` (the image is then kept in memory too), or with null and `none` on a miss. A
  // file that no longer decodes is removed.
  void queryImage(const std::string& key, QueryCompletion completion);
  // The same without the memory step.
  void queryDiskImage(const std::string& key, QueryCompletion completion);

  std::shared_ptr<UIImage> imageFromMemoryCache(const std::string& key) { return memory_.object(key); }
  // Reads and decodes on the calling thread; null on a miss.
  std::shared_ptr<UIImage> imageFromDiskCache(const std::string& key);

  // Keeps `image` in memory at once and, when `toDisk` and there are bytes, writes them to disk off
  // the main thread. `completion` runs on the main queue once the write is done (or at once, on a
  // later turn, when there is nothing to write).
  void storeImage(std::shared_ptr<UIImage> image, std::optional<Data> data, const std::string& key,
                  bool toDisk, std::function<void()> completion = nullptr);
  void clearMemory() { memory_.removeAllObjects(); }

 private:
  SDMemoryCache memory_;
  // Shared with the blocks on the global queue, which may outlive this object.
  std::shared_ptr<SDDiskCache> disk_;
};

}  // namespace ios
