#include "Network/DroppingServer.h"

#include "Network/LoopbackListener.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace ios::test {

DroppingServer::DroppingServer(int dropped) : dropped_(dropped) {
  listener_ = openLoopbackListener(8, port_);
  thread_ = std::thread([this] { serve(); });
}

DroppingServer::~DroppingServer() {
  stopping_ = true;
  thread_.join();
  ::close(listener_);
}

std::string DroppingServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void DroppingServer::serve() {
  std::vector<std::thread> connections;
  while (!stopping_) {
    pollfd ready{listener_, POLLIN, 0};
    if (::poll(&ready, 1, 20) <= 0) continue;
    const int connection = ::accept(listener_, nullptr, nullptr);
    if (connection >= 0) connections.emplace_back([this, connection] { serveConnection(connection); });
  }
  for (auto& thread : connections) thread.join();
}

void DroppingServer::serveConnection(int connection) {
  std::string pending;
  while (!stopping_ && readRequest(connection, pending)) {
    if (++arrivals_ == dropped_) break;
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: keep-alive\r\n\r\nok";
    if (::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL) < 0) break;
  }
  ::close(connection);
}

// Reads one whole request (head and Content-Length body); false when the peer closes first.
bool DroppingServer::readRequest(int connection, std::string& pending) {
  for (;;) {
    const auto headEnd = pending.find("\r\n\r\n");
    if (headEnd != std::string::npos) {
      const auto field = pending.find("Content-Length:");
      const std::size_t bodyLength =
          field < headEnd ? std::strtoul(pending.c_str() + field + 15, nullptr, 10) : 0;
      if (pending.size() >= headEnd + 4 + bodyLength) {
        pending.erase(0, headEnd + 4 + bodyLength);
        return true;
      }
    }
    pollfd ready{connection, POLLIN, 0};
    if (stopping_ || ::poll(&ready, 1, 20) < 0) return false;
    if (!(ready.revents & (POLLIN | POLLHUP))) continue;
    char buffer[4096];
    const ssize_t count = ::recv(connection, buffer, sizeof(buffer), 0);
    if (count <= 0) return false;
    pending.append(buffer, static_cast<std::size_t>(count));
  }
}

}  // namespace ios::test
