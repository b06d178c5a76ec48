#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace ios::test {

// A real HTTP server on 127.0.0.1 (a port the system picks) for the transport tests.
//
// Routes:
//   GET|POST /echo          the request body back; "X-Seen-Method", "X-Seen-Authorization",
//                           "X-Seen-Content-Type", "X-Seen-Query" tell what arrived; two "X-Multi".
//   GET /text               a body that is not JSON.
//   GET /text500            status 500 with a plain body.
//   GET|POST /redirect      302 to /echo.      GET /loop   302 to itself.
//   GET /slow               answers after a short delay on the server's side.
//   GET /hold               waits until openGate() (or the server stops), then answers "released".
//   GET /big?n=N            N bytes with a Content-Length.  GET /chunked?n=N  the same, chunked.
class LocalServer {
 public:
  LocalServer();
  ~LocalServer();

  std::string url(const std::string& path) const;
  int port() const { return port_; }

  // Lets every /hold request answer, now and later.
  void openGate();
  // How many /hold requests have reached the server. Each arrival also posts an empty block to
  // the main queue, so a RunLoop waiting with runUntil() looks at its condition again.
  int holdArrivals() const { return holdArrivals_.load(); }

  // A loopback port with nothing listening on it (bound, then closed).
  static int closedPort();

 private:
  void addRoutes();

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable gateChanged_;
  bool gateOpen_ = false;
  std::atomic<int> holdArrivals_{0};
};

}  // namespace ios::test
