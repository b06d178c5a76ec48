#pragma once

namespace ios {

// Where a loaded image came from: the network (`none`), the disk cache or the memory cache.
enum class SDImageCacheType { none, disk, memory };

}  // namespace ios
