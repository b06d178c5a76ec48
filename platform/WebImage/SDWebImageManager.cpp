#include <Foundation/DispatchQueue.h>
#include <Foundation/SharedSlot.h>
#include <WebImage/SDImageCoderHelper.h>
#include <WebImage/SDWebImageManager.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace ios {
namespace {

bool isHTTP(const URL& url) {
  if (!url.scheme() || !url.host() || url.host()->empty()) return false;
  std::string scheme = *url.scheme();
  std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return scheme == "http" || scheme == "https";
}

// Failures that say something about the URL itself rather than about the network at that moment.
bool isLasting(const SDWebImageError& error) {
  return error.code == SDWebImageError::Code::invalidDownloadStatusCode ||
         error.code == SDWebImageError::Code::badImageData;
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
    const std::optional<URL>& url, unsigned options, SDExternalCompletionBlock completion) {
  if (!completion) completion = [](const auto&, const auto&, SDImageCacheType, const auto&) {};
  auto operation = std::make_shared<SDWebImageCombinedOperation>(url, std::move(completion));
  if (!url || !isHTTP(*url)) {
    operation->finish(nullptr, errorWith(SDWebImageError::Code::invalidURL), SDImageCacheType::none);
    return operation;
  }
  const auto key = cacheKey(*url);
  if (remembersFailedURLs && !(options & SDWebImageOptions::retryFailed) && failedURLs_.contains(key)) {
    operation->finish(nullptr, errorWith(SDWebImageError::Code::blackListed), SDImageCacheType::none);
    return operation;
  }
  const bool useCache = !(options & SDWebImageOptions::refreshCached);
  if (useCache) {
    if (auto image = cache_->imageFromMemoryCache(key)) {
      operation->finish(image, std::nullopt, SDImageCacheType::memory);
      return operation;
    }
  }
  track(operation);
  if (!useCache) {
    download(operation, *url, options);
    return operation;
  }
  std::weak_ptr<SDWebImageManager> weak = std::static_pointer_cast<SDWebImageManager>(shared_from_this());
  cache_->queryDiskImage(key, [weak, operation, url = *url, options](std::shared_ptr<UIImage> image,
                                                                     SDImageCacheType cacheType) {
    if (operation->isFinished()) return;
    if (image) return operation->finish(image, std::nullopt, cacheType);
    if (options & SDWebImageOptions::fromCacheOnly) {
      return operation->finish(nullptr, errorWith(SDWebImageError::Code::notInCache), SDImageCacheType::none);
    }
    auto self = weak.lock();
    if (!self)
      return operation->finish(nullptr, errorWith(SDWebImageError::Code::cancelled), SDImageCacheType::none);
    self->download(operation, url, options);
  });
  return operation;
}

void SDWebImageManager::cancelAll() {
  std::vector<Operation> operations;
  for (const auto& [key, operation] : running_) operations.push_back(operation);
  for (const auto& operation : operations) operation->cancel();
}

void SDWebImageManager::track(const Operation& operation) {
  running_.emplace(operation.get(), operation);
  std::weak_ptr<SDWebImageManager> weak = std::static_pointer_cast<SDWebImageManager>(shared_from_this());
  operation->onEnd_ = [weak, key = operation.get()] {
    if (auto self = weak.lock()) self->running_.erase(key);
  };
}

void SDWebImageManager::download(const Operation& operation, const URL& url, unsigned options) {
  std::weak_ptr<SDWebImageManager> weak = std::static_pointer_cast<SDWebImageManager>(shared_from_this());
  auto task = client()->get(url.absoluteString(), [weak, operation, url, options](const HTTPResult& result) {
    if (operation->isFinished()) return;
    auto self = weak.lock();
    if (!self)
      return operation->finish(nullptr, errorWith(SDWebImageError::Code::cancelled), SDImageCacheType::none);
    self->downloaded(operation, url, options, result);
  });
  // A transport never completes inside the call that sent the request, so the load is still open.
  operation->download_ = std::move(task);
}

void SDWebImageManager::downloaded(const Operation& operation, const URL& url, unsigned options,
                                   const HTTPResult& result) {
  operation->download_ = nullptr;
  if (!result.ok()) {
    if (result.error().kind == HTTPError::Kind::cancelled) {
      return operation->finish(nullptr, errorWith(SDWebImageError::Code::cancelled), SDImageCacheType::none);
    }
    SDWebImageError error = errorWith(SDWebImageError::Code::network);
    error.underlying = result.error();
    return fail(operation, url, std::move(error));
  }
  const int status = result.response().statusCode;
  if (status < 200 || status >= 400) {
    return fail(operation, url, errorWith(SDWebImageError::Code::invalidDownloadStatusCode, status));
  }
  auto data = std::make_shared<const Data>(result.response().body);
  std::weak_ptr<SDWebImageManager> weak = std::static_pointer_cast<SDWebImageManager>(shared_from_this());
  DispatchQueue::global().async([weak, operation, url, options, data, cache = cache_] {
    if (operation->isCancelled()) return;
    const auto key = cacheKey(url);
    auto image = SDImageDecode(*data, key);
    DispatchQueue::main().async([weak, operation, url, options, data, cache, key, image = std::move(image)] {
      if (operation->isFinished()) return;
      auto self = weak.lock();
      if (!image) {
        if (self) return self->fail(operation, url, errorWith(SDWebImageError::Code::badImageData));
        return operation->finish(nullptr, errorWith(SDWebImageError::Code::badImageData),
                                 SDImageCacheType::none);
      }
      if (self) self->failedURLs_.erase(key);
      const bool toDisk = !(options & SDWebImageOptions::cacheMemoryOnly);
      cache->storeImage(image, toDisk ? std::optional<Data>(*data) : std::nullopt, key, toDisk);
      operation->finish(image, std::nullopt, SDImageCacheType::none);
    });
  });
}

void SDWebImageManager::fail(const Operation& operation, const URL& url, SDWebImageError error) {
  if (remembersFailedURLs && isLasting(error)) failedURLs_.insert(cacheKey(url));
  operation->finish(nullptr, error, SDImageCacheType::none);
}

}  // namespace ios
