#pragma once

// Small image helpers: transparent margins, JPEG encoding under a size limit, one-colour images, and
// round or rounded-corner image views. Each free function stands for the member of the same name.

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/UIEdgeInsets.h>
#include <Foundation/Data.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIImageView.h>

#include <memory>
#include <optional>

namespace kerbelin {

// A new transparent image, larger by the insets, with `image` drawn at (left, top), at the image's
// own scale. Null when no context can be made for that size.
std::shared_ptr<ios::UIImage> imageWithInsets(const ios::UIImage& image, const ios::UIEdgeInsets& insets);

// The first JPEG encoding, trying quality 1.0, 0.9, 0.8 ... (eleven tries at most, each 0.1 below the
// last), whose byte count is below `megabytes` MiB; when none is, the encoding at quality 0.1 whatever
// its size, or nullopt when the encoder gives nothing for it either. A try on which the encoder gives
// nothing counts as a failed try, so the search always ends.
std::optional<ios::Data> compressTo(const ios::UIImage& image, int megabytes);

// An image of `size` points at scale 1 filled entirely with `color`.
std::shared_ptr<ios::UIImage> fromColor(const std::shared_ptr<ios::UIColor>& color, ios::CGSize size);

// Clips to the bounds with a corner radius of half the layer's frame height (a circle for a square
// view).
void customBorderImageView(ios::UIImageView& imageView);
// Clips to the bounds with a corner radius of 8.
void customCornerRadius(ios::UIImageView& imageView);

}  // namespace kerbelin
