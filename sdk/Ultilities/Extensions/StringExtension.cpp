#include <Ultilities/Extensions/StringExtension.h>

#include <Foundation/NSString.h>
#include <Foundation/NumberFormatting.h>

namespace kerbelin {

std::size_t length(std::string_view text) {
  return ios::graphemeCount(text);
}

bool containsString(std::string_view text, std::string_view other) {
  return ios::containsString(text, other);
}

std::string convertHtml(std::string_view text, float fontSize) {
  std::string html = "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : ";
  html += ios::floatDescription(fontSize);
  html += "\">";
  html += text;
  html += "</body>";
  return html;
}

}  // namespace kerbelin
