#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/Data.h>
#include <UIKit/UIImage.h>

#include <memory>
#include <string_view>

namespace ios {

// The scale a cache key (a URL) declares: 2 or 3 for a last path component ending in "@2x" or
// "@3x" before its extension ("logo@2x.png"), else 1.
CGFloat SDImageScaleFactorForKey(std::string_view key);

// Decodes downloaded or cached bytes at the key's scale: null for an empty, unknown, truncated or
// corrupt image. Safe on any thread.
std::shared_ptr<UIImage> SDImageDecode(const Data& data, std::string_view key);

}  // namespace ios
