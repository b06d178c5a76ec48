#pragma once

namespace ios {

// Options of a load, combined with `|`; 0 (`none`) is what the system passes everywhere.
struct SDWebImageOptions {
  enum : unsigned {
    none = 0,
    // Load even a URL that failed before. Matters only when the manager remembers failures
    // (`SDWebImageManager::remembersFailedURLs`, off by default).
    retryFailed = 1u << 0,
    // Skip both caches and download again; the new image replaces the cached one.
    refreshCached = 1u << 1,
    // Leave the image view alone when the image arrives; the completion receives it.
    avoidAutoSetImage = 1u << 2,
    // Never download: a cache miss fails.
    fromCacheOnly = 1u << 3,
    // Keep the downloaded image in memory only, not on disk.
    cacheMemoryOnly = 1u << 4,
  };
};

}  // namespace ios
