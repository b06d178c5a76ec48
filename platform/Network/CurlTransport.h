#pragma once

#include <Foundation/NSObject.h>
#include <Network/Transport.h>

#include <cstddef>
#include <memory>
#include <string>

namespace ios {

// The real transport: libcurl's multi interface driven by one I/O thread that the transport owns.
//
// - TLS peers and host names are always verified; nothing here can turn that off.
// - Each request gets its own connect and total time-outs (HTTPRequest), and no signals are used.
// - GET and HEAD follow up to `maxRedirects` redirects; other methods hand a 3xx back as the reply.
// - A reply body larger than `maxResponseBytes` ends the request with `responseTooLarge`.
// - A request other than GET or HEAD is sent at most once: when a kept-alive connection closes before
//   any reply byte, it ends with `connectionLost` instead of being sent again on a fresh connection
//   (a bill must never be created twice). A body-less one always takes a fresh connection.
// - Completions obey the Transport contract (main thread, exactly once, never inside send()).
//   While a request is outstanding the main RunLoop counts it as external work.
//
// The I/O thread starts with the first request. Destroying the transport cancels every request
// still in flight (each completes with `cancelled` on the main queue) and joins the thread.
class CurlTransport : public NSObject, public Transport {
 public:
  struct Options {
    std::size_t maxResponseBytes = 20 * 1024 * 1024;
    long maxRedirects = 5;
    long maxConnectionsPerHost = 6;
    // A PEM file of extra trusted certificate authorities to use instead of the system's; empty
    // means the system store. Verification stays on either way.
    std::string caBundlePath;
  };

  static std::shared_ptr<CurlTransport> create();
  static std::shared_ptr<CurlTransport> create(Options options);
  ~CurlTransport() override;

  CurlTransport(const CurlTransport&) = delete;
  CurlTransport& operator=(const CurlTransport&) = delete;

  std::shared_ptr<TransportTask> send(HTTPRequest request, Completion completion) override;

  // How a libcurl result code (a CURLcode) reads as an HTTPError.
  static HTTPError errorForCurlCode(int code, std::string detail = {});

 private:
  explicit CurlTransport(Options options);

  class Engine;
  std::shared_ptr<Engine> engine_;
};

}  // namespace ios
