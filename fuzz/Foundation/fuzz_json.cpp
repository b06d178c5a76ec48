// Reply parsing never throws or crashes, and whatever parses is written back to JSON that parses to
// the same value.
#include <Foundation/JSONSerialization.h>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ios::Data input(std::string(reinterpret_cast<const char*>(data), size));
  auto value = ios::JSONSerialization::jsonObject(input);
  if (!value) return 0;
  if (!value->is_object() && !value->is_array()) std::abort();
  auto again = ios::JSONSerialization::jsonObject(ios::JSONSerialization::data(*value));
  if (!again || *again != *value) std::abort();
  return 0;
}
