#include <WebImage/SDWebImageManager.h>
#include <WebImage/UIImageViewWebCache.h>

#include <any>

namespace ios {
namespace {

// The address used as the associated-object key of the view's running load.
const char kOperationKey = 0;

std::shared_ptr<SDWebImageCombinedOperation> currentOperation(const UIImageView& imageView) {
  const auto stored = imageView.associatedObject(&kOperationKey);
  const auto* operation = std::any_cast<std::shared_ptr<SDWebImageCombinedOperation>>(&stored);
  return operation ? *operation : nullptr;
}

void cancelCurrentImageLoad(UIImageView& imageView) {
  if (auto operation = currentOperation(imageView)) {
    imageView.setAssociatedObject(&kOperationKey, std::any(), AssociationPolicy::retain);
    operation->cancel();
  }
}

}  // namespace

void sd_setImage(UIImageView& imageView, const std::optional<URL>& url, SDExternalCompletionBlock completed) {
  sd_setImage(imageView, url, nullptr, SDWebImageOptions::none, std::move(completed));
}

void sd_setImage(UIImageView& imageView, const std::optional<URL>& url, std::shared_ptr<UIImage> placeholder,
                 unsigned options, SDExternalCompletionBlock completed) {
  cancelCurrentImageLoad(imageView);
  imageView.setImage(std::move(placeholder));

  std::weak_ptr<UIImageView> weakView = std::static_pointer_cast<UIImageView>(imageView.shared_from_this());
  auto operation = SDWebImageManager::shared()->loadImage(
      url, options,
      [weakView, completed = std::move(completed)](
          const std::shared_ptr<UIImage>& image, const std::optional<SDWebImageError>& error,
          SDImageCacheType cacheType, const std::optional<URL>& imageURL) {
        auto view = weakView.lock();
        if (!view) return;
        const bool cancelled = error && error->code == SDWebImageError::Code::cancelled;
        if (!cancelled) view->setAssociatedObject(&kOperationKey, std::any(), AssociationPolicy::retain);
        if (image) view->setImage(image);
        if (completed) completed(image, error, cacheType, imageURL);
      });
  if (!operation->isFinished())
    imageView.setAssociatedObject(&kOperationKey, operation, AssociationPolicy::retain);
}

}  // namespace ios
