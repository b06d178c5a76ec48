#include <Foundation/DispatchQueue.h>
#include <Foundation/SharedSlot.h>
#include <WebImage/SDImageCoderHelper.h>
#include <WebImage/SDWebImageManager.h>

#include <algorithm>
#include <cctype>

namespace ios {
namespace {

bool isHTTP(const URL& url) {
  if (!url.scheme() || !url.host() || url.host()->empty()) return false;
  std::string scheme = *url.scheme();
  std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return scheme == "http" || scheme == "https";
}

SharedSlot<SDWebImageManager>& sharedSlot() {
  static SharedSlot<SDWebImageManager> slot([] { return SDWebImageManager::create(); });
  return slot;
}

SDWebImageError errorWith(SDWebImageError::Code code, int statusCode = 0) {
  return SDWebImageError::withCode(code, statusCode);
}

}  // namespace

std::shared_ptr<SDWebImageManager> SDWebImageManager::shared() {
  return sharedSlot().get();
}

void SDWebImageManager::setShared(std::shared_ptr<SDWebImageManager> manager) {
  sharedSlot().set(std::move(manager));
}

std::shared_ptr<SDWebImageManager> SDWebImageManager::create(std::shared_ptr<SDImageCache> cache,
                                                             std::shared_ptr<HTTPClient> client) {
  if (!cache) cache = SDImageCache::shared();
  return std::make_shared<SDWebImageManager>(std::move(cache), std::move(client));
}

SDWebImageManager::SDWebImageManager(std::shared_ptr<SDImageCache> cache, std::shared_ptr<HTTPClient> client)
    : cache_(std::move(cache)), client_(std::move(client)) {}

std::shared_ptr<HTTPClient> SDWebImageManager::client() const {
  return client_ ? client_ : HTTPClient::shared();
}

std::shared_ptr<SDWebImageCombinedOperation> SDWebImageManager::loadImage(
    const std::optional<URL>& url, unsigned /*options*/, SDExternalCompletionBlock completion) {
  if (!completion) completion = [](const auto&, const auto&, SDImageCacheType, const auto&) {};
  auto operation = std::make_shared<SDWebImageCombinedOperation>(url, std::move(completion));
  if (!url || !isHTTP(*url)) {
    operation->finish(nullptr, errorWith(SDWebImageError::Code::invalidURL), SDImageCacheType::none);
    return operation;
  }
  const auto key = cacheKey(*url);
  if (auto image = cache_->imageFromMemoryCache(key)) {
    operation->finish(image, std::nullopt, SDImageCacheType::memory);
    return operation;
  }
  track(operation);
  std::weak_ptr<SDWebImageManager> weak = std::static_pointer_cast<SDWebImageManager>(shared_from_this());
  cache_->queryDiskImage(key, [weak, operation, url = *url](std::shared_ptr<UIImage> image,
                                                            SDImageCacheType cacheType) {
    if (operation->isFinished()) return;
    if (image) return operation->finish(image, std::nullopt, cacheType);
    auto self = weak.lock();
    if (!self)
      return operation->finish(nullptr, errorWith(SDWebImageError::Code::cancelled), SDImageCacheType::none);
    self->download(operation, url);
  });
  return operation;
}

void SDWebImageManager::track(const Operation& operation) {
  running_.emplace(operation.get(), operation);
  std::weak_ptr<SDWebImageManager> weak = std::static_pointer_cast<SDWebImageManager>(shared_from_this());
  operation->onEnd_ = [weak, key = operation.get()] {
    if (auto self = weak.lock()) self->running_.erase(key);
  };
}

void SDWebImageManager::download(const Operation& operation, const URL& url) {
  std::weak_ptr<SDWebImageManager> weak = std::static_pointer_cast<SDWebImageManager>(shared_from_this());
  auto task = client()->get(url.absoluteString(), [weak, operation, url](const HTTPResult& result) {
    if (operation->isFinished()) return;
    auto self = weak.lock();
    if (!self)
      return operation->finish(nullptr, errorWith(SDWebImageError::Code::cancelled), SDImageCacheType::none);
    self->downloaded(operation, url, result);
  });
  // A transport never completes inside the call that sent the request, so the load is still open.
  operation->download_ = std::move(task);
}

void SDWebImageManager::downloaded(const Operation& operation, const URL& url, const HTTPResult& result) {
  operation->download_ = nullptr;
  if (!result.ok()) {
    if (result.error().kind == HTTPError::Kind::cancelled) {
      return operation->finish(nullptr, errorWith(SDWebImageError::Code::cancelled), SDImageCacheType::none);
    }
    SDWebImageError error = errorWith(SDWebImageError::Code::network);
    error.underlying = result.error();
    return operation->finish(nullptr, std::move(error), SDImageCacheType::none);
  }
  const int status = result.response().statusCode;
  if (status < 200 || status >= 400) {
    return operation->finish(nullptr, errorWith(SDWebImageError::Code::invalidDownloadStatusCode, status),
                             SDImageCacheType::none);
  }
  auto data = std::make_shared<const Data>(result.response().body);
  DispatchQueue::global().async([operation, url, data, cache = cache_] {
    if (operation->isCancelled()) return;
    const auto key = cacheKey(url);
    auto image = SDImageDecode(*data, key);
    DispatchQueue::main().async([operation, data, cache, key, image = std::move(image)] {
      if (operation->isFinished()) return;
      if (!image) {
        return operation->finish(nullptr, errorWith(SDWebImageError::Code::badImageData),
                                 SDImageCacheType::none);
      }
      cache->storeImage(image, *data, key, true);
      operation->finish(image, std::nullopt, SDImageCacheType::none);
    });
  });
}

}  // namespace ios
