#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>

namespace kerbelin::backend {

// httplib's request parsing and routing behind connection handling of our own. httplib's own loop
// lends each connection one thread of a fixed pool for as long as the client keeps it open and
// sends a byte now and then, so eight slow or sixty-four idle clients stop all service. Here every
// connection has its own thread, a bounded wait for each request and a bounded time to send it, and
// the number of connections is capped. Each request's head is checked on its way in (see HeadCheck).
class GuardedHttpServer : public httplib::Server {
 public:
  struct Limits {
    // How long an open connection may wait for the first byte of its next request.
    std::chrono::milliseconds idleTimeout{5000};
    // How long a request (line, headers and body) may take to arrive, from its first byte.
    std::chrono::milliseconds requestTimeout{10000};
    // How long one write of a reply may wait for the client to take bytes.
    std::chrono::milliseconds writeTimeout{10000};
    // Connections beyond this many open ones are closed as soon as they are accepted.
    int maxConnections = 128;
  };

  explicit GuardedHttpServer(Limits limits) : limits_(limits) {}
  ~GuardedHttpServer() override;

  // Listens on host:port (an IPv4 address; port 0 picks a free one). Returns the port, or 0 when
  // the address cannot be bound. Connections queue from then on.
  int bindAndListen(const std::string& host, int port);
  // Accepts and serves until shutdown(), then closes the listening socket. Blocks: run it on a
  // thread of its own.
  void serve();
  // Ends serve(), closes every connection and waits for their threads. Safe to call more than once.
  void shutdown();

  // Called from a handler: the connection closes once the reply is written (for example when a
  // request's body was refused half-read, so what follows on the connection is not a request).
  static void closeAfterReply();
  // Called from a handler: what the current request's head deserves, as read before httplib parsed
  // it. 400 for a head httplib would misread (a field line it cannot split, a NUL byte, a length that
  // is not digits, two lengths that differ), 413 for a declared body over set_payload_max_length(),
  // 0 otherwise. Such a request's body has not been read: refuse it before reading any.
  static int headStatus();

 private:
  void serveConnection(int fd);
  bool track(int fd);
  void untrack(int fd);

  const Limits limits_;
  int listenFd_ = -1;
  int wakeFd_ = -1;  // written by shutdown() to end serve()'s wait
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable allClosed_;
  std::set<int> open_;  // every open connection
  int serving_ = 0;     // those not yet closing
};

}  // namespace kerbelin::backend
