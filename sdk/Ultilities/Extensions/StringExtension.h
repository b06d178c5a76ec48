#pragma once

// The text helpers of the framework that need no attributed text. Each is a free function taking
// the text first, standing for the method of the same name on a string.

#include <cstddef>
#include <string>
#include <string_view>

namespace kerbelin {

// The number of user-perceived characters (extended grapheme clusters), not bytes or UTF-16 units:
// "Việt" is 4 whether its accents are precomposed or combining.
std::size_t length(std::string_view text);

// True when `other` occurs anywhere in `text`: case- and accent-sensitive, no locale rules. An empty
// `other` is never contained.
bool containsString(std::string_view text, std::string_view other);

// Wraps `text` (not escaped) in a body element that sets the system font family and `fontSize`,
// written as a Float prints (13 gives "13.0"), for the HTML reader of the rich-text rows.
std::string convertHtml(std::string_view text, float fontSize);

}  // namespace kerbelin
