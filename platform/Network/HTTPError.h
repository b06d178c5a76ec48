#pragma once

#include <string>

namespace ios {

// Why a request ended without a usable reply. `localizedDescription()` is the platform's own fixed
// sentence, in English (an application that speaks another language maps `kind` to its own words);
// `detail` carries the transport's own diagnostic for logs. Neither ever contains request headers or
// bodies.
struct HTTPError {
  enum class Kind {
    connectionRefused,  // Nothing listens at the address, or the connection could not be made.
    timedOut,           // The connect or the total time-out ran out.
    hostNotFound,       // The host name did not resolve.
    tlsFailure,         // The TLS handshake failed or the certificate did not verify.
    invalidURL,         // The URL did not parse, or its scheme is not http or https.
    cancelled,          // The caller cancelled the request, or its transport went away.
    connectionLost,     // The connection broke mid-transfer or the server sent nothing.
    tooManyRedirects,   // More redirects than the transport follows.
    responseTooLarge,   // The reply is larger than the transport accepts.
    notJSON,            // The reply arrived but its body is not JSON (HTTPClient's JSON calls only).
    nestedTooDeep,      // The reply's JSON nests deeper than JSONSerialization::maximumDepth.
    other,
  };

  Kind kind = Kind::other;
  std::string detail;

  std::string localizedDescription() const;
};

}  // namespace ios
