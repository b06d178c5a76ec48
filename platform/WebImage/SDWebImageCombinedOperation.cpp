#include <Foundation/DispatchQueue.h>
#include <WebImage/SDWebImageCombinedOperation.h>

#include <utility>

namespace ios {

void SDWebImageCombinedOperation::cancel() {
  if (cancelled_ || !completion_) return;
  auto keepAlive = shared_from_this();  // the manager may hold the last other reference
  cancelled_ = true;
  auto completion = std::exchange(completion_, nullptr);
  if (auto download = std::exchange(download_, nullptr)) download->cancel();
  if (auto onEnd = std::exchange(onEnd_, nullptr)) onEnd();
  DispatchQueue::main().async([completion = std::move(completion), url = url_] {
    completion(nullptr, SDWebImageError::withCode(SDWebImageError::Code::cancelled), SDImageCacheType::none,
               url);
  });
}

void SDWebImageCombinedOperation::finish(const std::shared_ptr<UIImage>& image,
                                         const std::optional<SDWebImageError>& error,
                                         SDImageCacheType cacheType) {
  if (!completion_) return;
  auto keepAlive = shared_from_this();
  auto completion = std::exchange(completion_, nullptr);
  download_ = nullptr;
  if (auto onEnd = std::exchange(onEnd_, nullptr)) onEnd();
  completion(image, error, cacheType, url_);
}

}  // namespace ios
