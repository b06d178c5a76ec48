#include <Foundation/DispatchQueue.h>
#include <Foundation/FileManager.h>
#include <WebImage/SDImageCache.h>
#include <WebImage/SDImageCoderHelper.h>

#include <filesystem>
#include <mutex>

namespace ios {
namespace {

std::string defaultDirectory() {
  return (std::filesystem::path(FileManager::defaultManager().cachesDirectory()) / "WebImage").string();
}

void finishOnMain(std::function<void()> completion) {
  if (completion) DispatchQueue::main().async(std::move(completion));
}

}  // namespace

std::shared_ptr<SDImageCache> SDImageCache::shared() {
  static std::once_flag once;
  static std::shared_ptr<SDImageCache> cache;
  std::call_once(once, [] { cache = create(); });
  return cache;
}

std::shared_ptr<SDImageCache> SDImageCache::create(std::string diskDirectory) {
  if (diskDirectory.empty()) diskDirectory = defaultDirectory();
  return std::make_shared<SDImageCache>(std::move(diskDirectory));
}

SDImageCache::SDImageCache(std::string diskDirectory)
    : disk_(std::make_shared<SDDiskCache>(std::move(diskDirectory))) {}

void SDImageCache::queryImage(const std::string& key, QueryCompletion completion) {
  if (auto image = memory_.object(key)) {
    completion(std::move(image), SDImageCacheType::memory);
    return;
  }
  queryDiskImage(key, std::move(completion));
}

void SDImageCache::queryDiskImage(const std::string& key, QueryCompletion completion) {
  auto self = std::static_pointer_cast<SDImageCache>(shared_from_this());
  DispatchQueue::global().async([self, key, completion = std::move(completion)]() mutable {
    auto image = self->imageFromDiskCache(key);
    DispatchQueue::main().async([self, key, image = std::move(image), completion = std::move(completion)] {
      if (!image) return completion(nullptr, SDImageCacheType::none);
      self->memory_.setObject(image, key);
      completion(image, SDImageCacheType::disk);
    });
  });
}

std::shared_ptr<UIImage> SDImageCache::imageFromDiskCache(const std::string& key) {
  auto bytes = disk_->data(key);
  if (!bytes) return nullptr;
  auto image = SDImageDecode(*bytes, key);
  if (!image) disk_->removeData(key);
  return image;
}

void SDImageCache::storeImage(std::shared_ptr<UIImage> image, std::optional<Data> data,
                              const std::string& key, bool toDisk, std::function<void()> completion) {
  if (image) memory_.setObject(std::move(image), key);
  if (!toDisk || !data || data->isEmpty()) return finishOnMain(std::move(completion));
  DispatchQueue::global().async(
      [disk = disk_, data = std::move(*data), key, completion = std::move(completion)] {
        disk->setData(data, key);
        finishOnMain(completion);
      });
}

}  // namespace ios
