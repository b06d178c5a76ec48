#include "BackendProbe.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

namespace kerbelin::sim {
namespace {

constexpr int kTimeoutMs = 2000;

// "http://127.0.0.1:8080/anything" → address and port; false when it is not of that form.
bool parse(const std::string& url, sockaddr_in& address) {
  const std::string scheme = "http://";
  if (url.rfind(scheme, 0) != 0) return false;
  const auto colon = url.find(':', scheme.size());
  if (colon == std::string::npos) return false;
  const auto end = url.find('/', colon);
  const std::string host = url.substr(scheme.size(), colon - scheme.size());
  const std::string portText = url.substr(colon + 1, end == std::string::npos ? end : end - colon - 1);
  int port = 0;
  auto [ptr, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
  if (ec != std::errc() || ptr != portText.data() + portText.size() || port <= 0 || port > 65535) return false;
  address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  return inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1;
}

std::optional<std::string> connectWithin(int sock, const sockaddr_in& address) {
  if (connect(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return std::nullopt;
  if (errno != EINPROGRESS) return std::string(std::strerror(errno));
  pollfd watch{sock, POLLOUT, 0};
  if (poll(&watch, 1, kTimeoutMs) <= 0) return std::string("no answer within 2 s");
  int error = 0;
  socklen_t length = sizeof error;
  getsockopt(sock, SOL_SOCKET, SO_ERROR, &error, &length);
  if (error != 0) return std::string(std::strerror(error));
  return std::nullopt;
}

}  // namespace

std::optional<std::string> BackendProbe::check(const std::string& url) {
  sockaddr_in address{};
  if (!parse(url, address)) return std::string("not an http://HOST:PORT address");
  const int sock = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (sock < 0) return std::string(std::strerror(errno));
  auto failure = connectWithin(sock, address);
  close(sock);
  return failure;
}

}  // namespace kerbelin::sim
