#pragma once

#include <Foundation/NSObject.h>
#include <Network/Transport.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ios {

// A transport for tests: it records every request and holds each reply until the test releases
// it, in any order. Released outcomes still reach the completion through the main queue, so a
// test runs the main loop to see them, as it would with the real transport.
//
// Held requests are not counted as RunLoop external work: a test that keeps a reply back on
// purpose can still run the loop until it is idle.
class FakeTransport : public NSObject, public Transport {
 public:
  // Decides a request's outcome as it arrives; returning nothing holds the request as usual.
  using Handler = std::function<std::optional<HTTPResult>(const HTTPRequest&)>;

  static std::shared_ptr<FakeTransport> create();

  std::shared_ptr<TransportTask> send(HTTPRequest request, Completion completion) override;

  // Every request sent so far, in sending order; indexes below refer to this list.
  const std::vector<HTTPRequest>& requests() const { return requests_; }
  // Indexes of the requests still waiting for an outcome, in sending order.
  std::vector<std::size_t> pending() const;

  // Release the outcome of a held request. They return false, and do nothing, when the request
  // is not held (unknown index, already answered, cancelled, or no held request matches).
  bool respond(std::size_t index, HTTPResponse response);
  bool respond(const std::function<bool(const HTTPRequest&)>& matches, HTTPResponse response);
  bool fail(std::size_t index, HTTPError error);

  // With a handler set, requests it answers complete without being held. Pass nullptr to stop.
  void setHandler(Handler handler) { handler_ = std::move(handler); }

  // A reply with the given status and body, for brevity in tests.
  static HTTPResponse reply(int statusCode, std::string body);

 private:
  FakeTransport() = default;
  bool release(std::size_t index, HTTPResult result);

  class Task;
  std::vector<HTTPRequest> requests_;
  std::vector<Completion> held_;  // Parallel to requests_; empty once the outcome is released.
  Handler handler_;
  std::weak_ptr<FakeTransport> self_;
};

}  // namespace ios
