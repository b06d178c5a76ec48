#pragma once

#include <string>
#include <string_view>

namespace ios {

// The SHA-256 digest of `bytes` as 64 lower-case hex digits. The disk cache names its files with
// it, so two processes agree on a URL's file and no URL can pick another's.
std::string sha256Hex(std::string_view bytes);

}  // namespace ios
