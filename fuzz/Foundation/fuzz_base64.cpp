// Strict decoding means a decoded text is exactly the encoding of its bytes, and every encoding
// decodes back.
#include <Foundation/Base64.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (auto decoded = ios::base64Decode(input)) {
    if (ios::base64Encode(*decoded) != input) std::abort();
  }
  auto roundTrip = ios::base64Decode(ios::base64Encode(input));
  if (!roundTrip || *roundTrip != input) std::abort();
  return 0;
}
