#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Standard alphabet (A-Z a-z 0-9 + /) with '=' padding, no line breaks.
std::string base64Encode(std::string_view bytes);

// Strict decoding, as `Data(base64Encoded:)` with no options: the length must be a multiple of
// four, '=' may only appear as one or two trailing pad characters, and any other character outside
// the alphabet (whitespace and line breaks included) makes the whole text invalid. The unused low
// bits of the last group must be zero, so every text that decodes is exactly what `base64Encode`
// gives for the decoded bytes. Empty text decodes to empty bytes.
std::optional<std::string> base64Decode(std::string_view text);
// The same into `bytes`, whose memory is reused: a caller decoding one large text after another
// keeps one buffer instead of allocating fresh memory for each. False, with `bytes` unspecified,
// when `text` does not decode.
bool base64Decode(std::string_view text, std::string& bytes);

}  // namespace ios
