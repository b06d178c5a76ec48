#pragma once

#include <Foundation/NSObject.h>
#include <Foundation/URL.h>
#include <Network/HTTPClient.h>
#include <WebImage/SDImageCache.h>
#include <WebImage/SDWebImageCombinedOperation.h>
#include <WebImage/SDWebImageOptions.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace ios {

// Loads remote images: the memory cache, then the disk cache, then a GET through the HTTP client,
// decoded off the main thread and kept in both caches. Use it from the main thread; every
// completion runs on the main thread.
//
// When a completion runs:
// - before `loadImage` returns, for a URL that is missing or not http(s) (`invalidURL`, nothing is
//   requested) and for a memory-cache hit, so that a reused cell shows a cached image in the same
//   turn, never a blank frame;
// - otherwise on a later main-queue turn: a disk hit, a download, a failure or a cancellation.
// A reply with a status outside 200...399, an empty body or bytes that do not decode is a failure.
// Redirects are the transport's to follow.
//
// Failed URLs: the library by default never retries a URL that once failed. We always retry: an
// image server that was briefly down, or returned a half-written file, should not leave a list
// blank until the app restarts.
class SDWebImageManager : public NSObject {
 public:
  // The manager `sd_setImage` uses: the shared cache and HTTPClient::shared(), unless a host or test
  // installed another.
  static std::shared_ptr<SDWebImageManager> shared();
  // nullptr goes back to the default one.
  static void setShared(std::shared_ptr<SDWebImageManager> manager);

  // Null arguments mean SDImageCache::shared() and HTTPClient::shared() (the latter looked up at
  // each download, so a transport swapped in later is used).
  static std::shared_ptr<SDWebImageManager> create(std::shared_ptr<SDImageCache> cache = nullptr,
                                                   std::shared_ptr<HTTPClient> client = nullptr);
  SDWebImageManager(std::shared_ptr<SDImageCache> cache, std::shared_ptr<HTTPClient> client);

  const std::shared_ptr<SDImageCache>& imageCache() const { return cache_; }
  std::shared_ptr<HTTPClient> client() const;

  // Starts a load. `options` is SDWebImageOptions::none. The operation can cancel it.
  std::shared_ptr<SDWebImageCombinedOperation> loadImage(const std::optional<URL>& url, unsigned options,
                                                         SDExternalCompletionBlock completion);

  // The key both caches file the URL's image under.
  static std::string cacheKey(const URL& url) { return url.absoluteString(); }

  // Loads started and not yet finished.
  std::size_t runningCount() const { return running_.size(); }

 private:
  using Operation = std::shared_ptr<SDWebImageCombinedOperation>;
  void track(const Operation& operation);
  void download(const Operation& operation, const URL& url);
  void downloaded(const Operation& operation, const URL& url, const HTTPResult& result);

  std::shared_ptr<SDImageCache> cache_;
  std::shared_ptr<HTTPClient> client_;
  std::unordered_map<const SDWebImageCombinedOperation*, Operation> running_;
};

}  // namespace ios
