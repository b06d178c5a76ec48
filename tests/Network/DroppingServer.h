#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace ios::test {

// A keep-alive HTTP server on 127.0.0.1 that answers every request "ok", except the `dropped`-th
// (counting from 1): that one it reads whole and then closes its connection without a reply byte,
// the way a server or proxy ends an idle kept-alive connection just as a request arrives.
class DroppingServer {
 public:
  explicit DroppingServer(int dropped);
  ~DroppingServer();
  DroppingServer(const DroppingServer&) = delete;
  DroppingServer& operator=(const DroppingServer&) = delete;

  std::string url(const std::string& path) const;
  // Complete requests read so far (the dropped one included).
  int arrivals() const { return arrivals_.load(); }

 private:
  void serve();
  void serveConnection(int connection);
  bool readRequest(int connection, std::string& pending);

  int listener_ = -1;
  int port_ = 0;
  int dropped_;
  std::atomic<int> arrivals_{0};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace ios::test
