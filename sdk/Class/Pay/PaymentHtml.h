#pragma once

#include <string>
#include <string_view>

namespace kerbelin {

// `text` (HTML, not escaped) inside a body element of the system font family at 16px: how the
// checkout shows the order's terms and the cash payment guide.
std::string paymentHtml(std::string_view text);

}  // namespace kerbelin
