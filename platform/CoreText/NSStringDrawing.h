#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreText/NSMutableAttributedString.h>

#include <string_view>

namespace ios {

// NSStringDrawingOptions (an option set).
enum class NSStringDrawingOptions : unsigned {
  none = 0,
  usesLineFragmentOrigin = 1 << 0,
  usesFontLeading = 1 << 1,
  truncatesLastVisibleLine = 1 << 5,
};
constexpr NSStringDrawingOptions operator|(NSStringDrawingOptions a, NSStringDrawingOptions b) {
  return static_cast<NSStringDrawingOptions>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool contains(NSStringDrawingOptions set, NSStringDrawingOptions option) {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(option)) != 0;
}

// `(text as NSString).size(withAttributes:)`: the exact (fractional) size of the text on unlimited
// width; lines break only at newlines. Text without a font attribute uses the system font at 12.
CGSize sizeWithAttributes(std::string_view text, const NSAttributes& attributes);

// `boundingRect(with:options:attributes:context:)`. With `usesLineFragmentOrigin` the text wraps
// at `size.width` (0 or infinite: no wrapping) into as many lines as it needs and the rectangle starts
// at (0, 0); `size.height` does not cut lines. Without it the text is one line and the rectangle is
// given from the baseline, as the platform does (origin.y = -ascender). Exact values: round up
// (`ceil`) before using them as view sizes, as UIKit advises.
CGRect boundingRect(std::string_view text, CGSize size, NSStringDrawingOptions options,
                    const NSAttributes& attributes);
CGRect boundingRect(const NSAttributedString& text, CGSize size, NSStringDrawingOptions options);

}  // namespace ios
