#include <CoreText/NSStringDrawing.h>

#include <CoreText/TextLayout.h>

#include "TextLayoutImpl.h"

#include <cmath>

namespace ios {

namespace {

std::shared_ptr<const NSAttributedString> withAttributes(std::string_view text,
                                                         const NSAttributes& attributes) {
  return NSAttributedString::create(text, attributes);
}

// The first line's ascender, for rectangles given from the baseline.
CGFloat firstAscender(const NSAttributedString& text) {
  auto value = text.attribute(NSAttributedStringKey::font, 0);
  auto font = value ? value->font() : nullptr;
  return font ? font->ascender() : UIFont::systemFont(12)->ascender();
}

}  // namespace

CGSize sizeWithAttributes(std::string_view text, const NSAttributes& attributes) {
  return TextLayout(withAttributes(text, attributes), {}).size();
}

CGRect boundingRect(std::string_view text, CGSize size, NSStringDrawingOptions options,
                    const NSAttributes& attributes) {
  return boundingRect(*withAttributes(text, attributes), size, options);
}

CGRect boundingRect(const NSAttributedString& text, CGSize size, NSStringDrawingOptions options) {
  auto shared = NSAttributedString::create(text);
  if (contains(options, NSStringDrawingOptions::usesLineFragmentOrigin)) {
    TextLayoutOptions layoutOptions;
    layoutOptions.width = std::isfinite(size.width) ? size.width : 0;
    CGSize used = TextLayout(shared, layoutOptions).size();
    return CGRect(0, 0, used.width, used.height);
  }
  // One line: newlines do not break it.
  auto line = detail::separatorsAsSpaces(text);
  CGSize used = TextLayout(line, {}).size();
  if (text.length() == 0) return CGRect::zero;
  CGFloat ascender = firstAscender(text);
  return CGRect(0, -ascender, used.width, used.height);
}

}  // namespace ios
