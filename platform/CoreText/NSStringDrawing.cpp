#include <CoreText/NSStringDrawing.h>

#include <CoreText/TextLayout.h>

namespace ios {

CGSize sizeWithAttributes(std::string_view text, const NSAttributes& attributes) {
  return TextLayout(NSAttributedString::create(text, attributes), {}).size();
}

}  // namespace ios
