#pragma once

#include <Foundation/NSObject.h>
#include <Foundation/URL.h>
#include <Network/Transport.h>
#include <UIKit/UIImage.h>
#include <WebImage/SDImageCacheType.h>
#include <WebImage/SDWebImageError.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace ios {

// What a load reports: the image (null on failure), the error (set exactly when the image is null),
// where the image came from, and the URL that was asked for.
using SDExternalCompletionBlock =
    std::function<void(const std::shared_ptr<UIImage>& image, const std::optional<SDWebImageError>& error,
                       SDImageCacheType cacheType, const std::optional<URL>& imageURL)>;

// One load started by SDWebImageManager: the cache lookup, then the download and the decoding.
// Main thread only, except `isCancelled`.
class SDWebImageCombinedOperation : public NSObject {
 public:
  explicit SDWebImageCombinedOperation(std::optional<URL> url, SDExternalCompletionBlock completion)
      : url_(std::move(url)), completion_(std::move(completion)) {}

  // Stops the load. Unless it has already finished, its completion runs once more on a later
  // main-queue turn, with the `cancelled` error and no image, and never with an image: a result
  // already on its way is dropped.
  void cancel();
  bool isCancelled() const { return cancelled_; }
  // Whether the completion has been called (or is on its way, for a cancelled load).
  bool isFinished() const { return !completion_; }
  const std::optional<URL>& url() const { return url_; }

 private:
  friend class SDWebImageManager;
  // Calls the completion, once; later calls do nothing.
  void finish(const std::shared_ptr<UIImage>& image, const std::optional<SDWebImageError>& error,
              SDImageCacheType cacheType);

  std::optional<URL> url_;
  SDExternalCompletionBlock completion_;
  std::shared_ptr<TransportTask> download_;
  std::function<void()> onEnd_;  // tells the manager the operation no longer runs
  std::atomic<bool> cancelled_{false};
};

}  // namespace ios
