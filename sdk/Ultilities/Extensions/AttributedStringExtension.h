#pragma once

// The rich-text helpers: HTML into attributed text and the semibold restyle of it.

#include <CoreText/NSMutableAttributedString.h>

#include <memory>
#include <string_view>

namespace kerbelin {

// Reads `text`'s UTF-16 data as an HTML document; none when it cannot be read. Nothing is ever
// fetched or run: images, scripts and style sheets the HTML names are ignored.
std::shared_ptr<ios::NSMutableAttributedString> htmlToAttributedString(std::string_view text);

// Sets the semibold system font of size 15 over the whole text, replacing the fonts it had, and
// returns the same object.
ios::NSMutableAttributedString& semiBold(ios::NSMutableAttributedString& text);

}  // namespace kerbelin
