// The quick read of a reply, which cuts the body's text out before the JSON reader runs, against the
// reader over the whole text: wherever the quick read gives an answer, it must be the whole read's,
// the body's text included. Any text, so that every way a "body" can hide (nested, escaped, repeated,
// inside another string, in broken JSON) is tried.

#include <Foundation/JSONSerialization.h>
#include <Service/ReplyText.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto lifted = kerbelin::readReplyLiftingBody(text);
  if (!lifted) return 0;
  auto whole = ios::JSONSerialization::read(text, ios::JSONSerialization::ReadingOptions::fragmentsAllowed);
  auto* reply = std::get_if<ios::Dictionary>(&whole);
  if (!reply || !reply->is_object()) std::abort();  // the quick read answered a text that does not read
  lifted->reply["body"] = std::string(lifted->body);
  if (lifted->reply != *reply) std::abort();
  return 0;
}
