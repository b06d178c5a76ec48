#pragma once

#include <Foundation/Dictionary.h>
#include <Ultilities/Enums/Enums.h>

#include <optional>
#include <string>
#include <string_view>

namespace kerbelin {

// Static helpers shared by the screens and the API client. The helpers that draw (QR image,
// shadows, attributed messages, safe-area paddings, the saved QR image) live with the UI layer.
class Common {
 public:
  Common() = delete;

  // The request-body codec. A call's parameters travel as base64 text of their compact UTF-8 JSON.
  // A null value stands for "no parameters" and encodes as "{}"; text that is not valid UTF-8 is
  // carried with U+FFFD in place of the bad bytes, so encoding never fails.
  static std::string convertDictionaryToBase64(const ios::Dictionary& params);

  // The reverse, for a reply's "body": strict base64 (no whitespace, proper padding) of UTF-8 JSON
  // whose top level is an object. Anything else gives none: that includes a JSON array, a bare
  // value, an empty text and JSON that is not valid UTF-8.
  static std::optional<ios::Dictionary> convertBase64ToDictionary(std::string_view base64Text);

  // A card's screen state from its status letter (exact, case-sensitive): "A" or "O" Paid, "E" or
  // "C" Expire, "W" WaitPay, anything else UnPaid.
  static TypeDetailCard convertStatusToType(std::string_view status);
};

}  // namespace kerbelin
