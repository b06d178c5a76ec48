#pragma once

#include <Foundation/Dictionary.h>

#include <optional>
#include <string_view>

namespace kerbelin {

// The back-end's reply text read without running the JSON lexer over its "body", the base64 text
// that is most of every reply: the body's text is cut out and the rest read.
//
// `reply` is the value JSONSerialization::read (fragments allowed) gives for the whole text, but
// for its "body", which is left an empty text: the body's text is `body`, a view into the text read.
// There is none unless the text is an object whose last top-level "body" key, spelled without
// escapes, holds printable ASCII without escapes (as base64 always is), and none for a text that
// does not read: the caller then reads the text the usual way.
struct LiftedReply {
  ios::Dictionary reply;
  std::string_view body;
};
std::optional<LiftedReply> readReplyLiftingBody(std::string_view text);

}  // namespace kerbelin
