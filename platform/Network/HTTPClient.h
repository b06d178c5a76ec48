#pragma once

#include <Foundation/Dictionary.h>
#include <Foundation/NSObject.h>
#include <Network/Transport.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

// The request surface the SDK's services use, shaped after the iOS networking library they were
// written against: one call per request, outcome on the main queue. Every request goes through a
// replaceable Transport, so unit tests swap in a FakeTransport and hosts point it anywhere.
//
// Use it from the main thread. No status code is judged here: a 500 with a JSON body is a reply.
class HTTPClient : public NSObject {
 public:
  struct JSONResult {
    // The parsed body, whatever JSON value it is (object, array, string...). Set exactly when the
    // call succeeded; whether the value has the expected shape is the caller's decision.
    std::optional<Dictionary> value;
    // The server's reply whenever one arrived, including one whose body is not JSON (its raw
    // bytes are in `response->body`).
    std::optional<HTTPResponse> response;
    // Set exactly when `value` is not: a transport error, `notJSON` for a body that is not one JSON
    // value, or `nestedTooDeep` (see JSONSerialization::maximumDepth).
    std::optional<HTTPError> error;

    bool ok() const { return value.has_value(); }
  };
  // Handed the outcome to keep: the parsed value and the reply move on from it.
  using JSONCompletion = std::function<void(JSONResult&&)>;

  // The process-wide client. Its transport is a CurlTransport made on first use unless one was set.
  static std::shared_ptr<HTTPClient> shared();
  // A separate client; with no transport it makes a CurlTransport when first needed.
  static std::shared_ptr<HTTPClient> create(std::shared_ptr<Transport> transport = nullptr);

  std::shared_ptr<Transport> transport();
  // Replaces the transport for later requests; nullptr goes back to a CurlTransport. Requests
  // already sent stay with the old transport (and are cancelled if that transport goes away).
  void setTransport(std::shared_ptr<Transport> transport) { transport_ = std::move(transport); }

  // Time-outs, in seconds, given to every request this client makes.
  double connectTimeout = 10.0;
  double timeout = 30.0;

  // POSTs `body` as JSON text. "Content-Type" and "Accept" default to "application/json"; the
  // caller's headers are added and win over those defaults.
  std::shared_ptr<TransportTask> postJSON(const std::string& url, const Dictionary& body,
                                          const HTTPHeaders& headers, JSONCompletion completion);
  // A plain GET whose reply comes back as raw bytes (images and other files).
  std::shared_ptr<TransportTask> get(const std::string& url, Transport::Completion completion);

  // How a finished transfer reads as a JSON call's outcome. The reply moves into the outcome when
  // the caller hands the transfer over.
  static JSONResult jsonResult(HTTPResult result);

 private:
  explicit HTTPClient(std::shared_ptr<Transport> transport) : transport_(std::move(transport)) {}

  std::shared_ptr<Transport> transport_;
};

}  // namespace ios
