#include "Network/FullListener.h"

#include "Network/LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

namespace ios::test {

FullListener::FullListener() {
  // A backlog of 0 leaves room for exactly one queued connection, which the filler takes.
  listener_ = openLoopbackListener(0, port_);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port_));
  filler_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (filler_ < 0 || ::connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    throw std::runtime_error("could not fill the listener's queue");
  }
}

FullListener::~FullListener() {
  if (filler_ >= 0) ::close(filler_);
  if (listener_ >= 0) ::close(listener_);
}

std::string FullListener::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace ios::test
