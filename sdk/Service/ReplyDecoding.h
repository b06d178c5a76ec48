#pragma once

#include <Foundation/Dictionary.h>

#include <optional>
#include <string>

namespace kerbelin {

// How a screen reads a reply that APIService handed to its completion closure. The server states its
// verdict in "resultCode" (0 is success, as a number or as decimal text), but the screens do not all
// judge it alike; each names its rule by calling one of these. A "body" here is always a JSON object:
// a reply whose body is anything else counts as having none. A value that is not a reply object (a
// failure path may pass null) gives nothing. A caller done with the reply may move it in, so that
// the body is moved out rather than copied.

// The body, whatever "resultCode" says.
std::optional<ios::Dictionary> bodyIgnoringResultCode(ios::Dictionary reply);

// The body, unless the reply carries a "resultCode" key whose value is not 0 (an unreadable value is
// not 0). A reply without the key is read.
std::optional<ios::Dictionary> bodyUnlessResultCodePresentAndNonZero(ios::Dictionary reply);

// The body of a reply whose "resultCode" reads 0, or an empty object when such a reply has no body.
// A missing or unreadable code is a failure.
std::optional<ios::Dictionary> bodyRequiringResultCodeZero(ios::Dictionary reply);

// The server's "resultDesc" when the reply's "resultCode" does not read 0 (missing counts as not 0)
// and the description is not empty: the message a screen shows for a refused request. It reads the
// reply without consuming it, so a screen can then take the body out by another rule.
std::optional<std::string> resultDescOfNonZeroCode(const ios::Dictionary& reply);

}  // namespace kerbelin
