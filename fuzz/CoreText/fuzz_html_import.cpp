// Any bytes, read both as UTF-8 HTML and as UTF-16 data; whatever comes out is laid out at a
// label's width, so the importer and the layout's index conversions are exercised together.
#include <CoreText/HTMLImporter.h>
#include <CoreText/TextLayout.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto text = ios::htmlToAttributedString(bytes);
  if (text) {
    ios::TextLayout layout(text, {.width = 200,
                                  .numberOfLines = size % 4,
                                  .lineBreakMode = static_cast<ios::NSLineBreakMode>(size % 6)});
    if (layout.lineCount() > 0) {
      auto index = layout.characterIndex({50, 10});
      if (index > text->length()) __builtin_trap();
    }
  }
  auto fromData = ios::attributedStringFromHTMLData(ios::Data(std::string(bytes)));
  (void)fromData;
  return 0;
}
