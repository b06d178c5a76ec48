#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreText/NSMutableAttributedString.h>

#include <string_view>

namespace ios {

// `(text as NSString).size(withAttributes:)`: the exact (fractional) size of the text on unlimited
// width; lines break only at newlines. Text without a font attribute uses the system font at 12.
CGSize sizeWithAttributes(std::string_view text, const NSAttributes& attributes);

}  // namespace ios
