#pragma once

#include <Foundation/URL.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIImageView.h>
#include <WebImage/SDWebImageCombinedOperation.h>
#include <WebImage/SDWebImageOptions.h>

#include <memory>
#include <optional>

namespace ios {

// The library's image-view category, as free functions on the view:
// `imageView.sd_setImage(with: url, placeholderImage: nil, options: [], completed: nil)` is
// `sd_setImage(*imageView, url, nullptr, 0, nullptr)`.
//
// A call, on the main thread:
// 1. cancels the load this view started before, so its image can never land here any more (its
//    completion, if any, reports `cancelled`);
// 2. sets the placeholder at once: a null placeholder clears the image, so a reused cell never
//    shows the previous row's picture;
// 3. with no URL, or one that is not http(s), stops there: the completion runs at once with
//    `invalidURL` and the image stays the placeholder;
// 4. otherwise loads through SDWebImageManager::shared() and, when the image arrives, sets it on
//    the main thread, without a fade, then calls the completion. A
//    memory-cache hit is set before the call returns. A failed load leaves the placeholder.
// The view is held weakly: if it goes away first, nothing is set and the completion is not called.
void sd_setImage(UIImageView& imageView, const std::optional<URL>& url, std::shared_ptr<UIImage> placeholder,
                 unsigned options, SDExternalCompletionBlock completed);
void sd_setImage(UIImageView& imageView, const std::optional<URL>& url,
                 SDExternalCompletionBlock completed = nullptr);

}  // namespace ios
