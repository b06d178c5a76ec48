#pragma once

#include <CoreText/NSMutableAttributedString.h>

#include <memory>
#include <string_view>

namespace kerbelin {

// A listed price struck through with the thick single line (style 2) over its whole length.
inline std::shared_ptr<ios::NSMutableAttributedString> struckText(std::string_view text) {
  auto struck = ios::NSMutableAttributedString::create(text);
  struck->addAttribute(ios::NSAttributedStringKey::strikethroughStyle, ios::NSUnderlineStyle::thick,
                       {0, struck->length()});
  return struck;
}

}  // namespace kerbelin
