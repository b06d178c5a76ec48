#include <Ultilities/Extensions/AttributedStringExtension.h>

#include <CoreText/HTMLImporter.h>
#include <CoreText/UIFont.h>
#include <Foundation/NSString.h>

namespace kerbelin {

std::shared_ptr<ios::NSMutableAttributedString> htmlToAttributedString(std::string_view text) {
  return ios::attributedStringFromHTMLData(ios::unicodeData(text));
}

ios::NSMutableAttributedString& semiBold(ios::NSMutableAttributedString& text) {
  const std::shared_ptr<const ios::UIFont> font = ios::UIFont::systemFont(15, ios::UIFontWeight::semibold);
  text.addAttribute(ios::NSAttributedStringKey::font, font, ios::NSRange{0, text.length()});
  return text;
}

}  // namespace kerbelin
