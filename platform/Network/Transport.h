#pragma once

#include <Network/HTTPRequest.h>
#include <Network/HTTPResult.h>

#include <functional>
#include <memory>

namespace ios {

// A handle on one request a Transport has accepted.
class TransportTask {
 public:
  virtual ~TransportTask() = default;
  // Stops the request. If its completion has not run yet, it runs once with an HTTPError of kind
  // `cancelled` instead of the real outcome (call this on the main thread for that promise to be
  // exact; from another thread it may race with a delivery already under way). Cancelling a
  // request that has completed does nothing.
  virtual void cancel() = 0;
};

// Moves HTTPRequests to a server and brings back the result.
//
// Contract for every implementation: each request's completion runs exactly once, on the main
// thread through DispatchQueue::main(), and never inside the send() call that started it, even
// when the request fails at once. The completion is handed the result to keep: a reply's body can be
// moved on from it rather than copied.
class Transport {
 public:
  using Completion = std::function<void(HTTPResult&&)>;

  virtual ~Transport() = default;
  virtual std::shared_ptr<TransportTask> send(HTTPRequest request, Completion completion) = 0;
};

}  // namespace ios
