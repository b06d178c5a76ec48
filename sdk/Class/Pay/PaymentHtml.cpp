#include <Class/Pay/PaymentHtml.h>

namespace kerbelin {

std::string paymentHtml(std::string_view text) {
  std::string html = "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : 16px\">";
  html.append(text);
  return html.append("</body>");
}

}  // namespace kerbelin
