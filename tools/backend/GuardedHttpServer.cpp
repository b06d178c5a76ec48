#include "GuardedHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>

#include "HeadCheck.h"

namespace kerbelin::backend {
namespace {

using Clock = std::chrono::steady_clock;

thread_local bool tCloseAfterReply = false;
thread_local int tHeadStatus = 0;

// Waits until `fd` is ready for `events` (or has hung up) for at most `timeout`.
bool waitFor(int fd, short events, std::chrono::milliseconds timeout) {
  const auto until = Clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(std::max<int64_t>(0, left.count())));
    if (ready >= 0 || errno != EINTR) return ready > 0;
  }
}

void addressOf(int fd, bool peer, std::string& ip, int& port) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  const int result = peer ? ::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length)
                          : ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  char text[INET_ADDRSTRLEN] = "";
  if (result == 0) ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
  ip = text;
  port = result == 0 ? ntohs(address.sin_port) : 0;
}

// Closing a socket that still holds unread bytes resets the connection, and the reset can destroy the
// reply the client has not read yet (a 413 for a body refused half-way, say). So the server stops
// sending first, then reads and drops what still arrives, for a bounded time.
void lingerBeforeClose(int fd) {
  ::shutdown(fd, SHUT_WR);
  const auto until = Clock::now() + std::chrono::seconds(1);
  char sink[16384];
  while (Clock::now() < until && waitFor(fd, POLLIN, std::chrono::milliseconds(100))) {
    if (::recv(fd, sink, sizeof sink, 0) <= 0) return;
  }
}

// One connection as httplib reads and writes it. Reads are buffered and end at the current
// request's deadline, however the client paces its bytes. The head of each request reaches httplib
// one whole line at a time, once checked, so that a head it would misread is refused before it
// starts waiting for a body.
class ConnectionStream final : public httplib::Stream {
 public:
  ConnectionStream(int fd, const GuardedHttpServer::Limits& limits, size_t maxBody)
      : fd_(fd), limits_(limits), maxBody_(maxBody) {}

  // Waits up to the idle time-out for the next request to begin, then starts its deadline. False
  // when none begins (or the client closed).
  bool awaitRequest() {
    if (begin_ == buffer_.size() && !waitFor(fd_, POLLIN, limits_.idleTimeout)) return false;
    deadline_ = Clock::now() + limits_.requestTimeout;
    released_ = begin_;
    head_ = HeadCheck(maxBody_);
    tHeadStatus = 0;
    return true;
  }
  bool timedOut() const { return Clock::now() >= deadline_; }

  bool is_readable() const override {
    return begin_ < buffer_.size() || waitFor(fd_, POLLIN, untilDeadline());
  }
  bool is_writable() const override { return waitFor(fd_, POLLOUT, limits_.writeTimeout); }

  ssize_t read(char* ptr, size_t size) override {
    if (begin_ == released_ && !release()) return -1;
    const size_t count = std::min(size, released_ - begin_);
    std::memcpy(ptr, buffer_.data() + begin_, count);
    begin_ += count;
    return static_cast<ssize_t>(count);
  }

  ssize_t write(const char* ptr, size_t size) override {
    if (!is_writable()) return -1;
    const ssize_t sent = ::send(fd_, ptr, size, MSG_NOSIGNAL);
    return sent < 0 ? -1 : sent;
  }

  void get_remote_ip_and_port(std::string& ip, int& port) const override { addressOf(fd_, true, ip, port); }
  void get_local_ip_and_port(std::string& ip, int& port) const override { addressOf(fd_, false, ip, port); }
  socket_t socket() const override { return fd_; }

 private:
  // A head line longer than this is handed over unchecked (httplib refuses lines of over 8 KiB).
  static constexpr size_t kLongestLine = 64 * 1024;
  static constexpr size_t kChunk = 16 * 1024;

  std::chrono::milliseconds untilDeadline() const {
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()));
  }

  // Makes more bytes readable: within the head, its next lines once checked; after it, what arrives.
  // False on a time-out or an error; true with nothing readable at the end of the stream.
  bool release() {
    while (!head_.ended()) {
      if (!releaseLine()) return false;
      if (released_ > begin_) return true;
    }
    if (begin_ == buffer_.size() && fill() < 0) return false;
    released_ = buffer_.size();
    return true;
  }

  // Reads the head's next line whole and releases what httplib is to read in its place.
  bool releaseLine() {
    const std::optional<size_t> end = lineEnd();
    if (!end) return false;
    if (*end == std::string::npos) {
      head_.giveUp();
      released_ = buffer_.size();
    } else {
      const std::string line = head_.take(std::string_view(buffer_).substr(begin_, *end - begin_));
      buffer_.replace(begin_, *end - begin_, line);
      released_ = begin_ + line.size();
    }
    tHeadStatus = head_.status();
    return true;
  }

  // Where the line at begin_ ends (past its '\n'), reading on as needed and scanning each byte once:
  // npos when the stream ends first or the line outgrows kLongestLine, nullopt on a time-out or an error.
  std::optional<size_t> lineEnd() {
    size_t end = buffer_.find('\n', begin_);
    while (end == std::string::npos && buffer_.size() - begin_ < kLongestLine) {
      const size_t scanned = buffer_.size() - begin_;
      const ssize_t received = fill();
      if (received <= 0) return received < 0 ? std::nullopt : std::optional(end);
      end = buffer_.find('\n', begin_ + scanned);
    }
    return end == std::string::npos ? end : end + 1;
  }

  // Appends what arrives next, dropping what httplib has read. -1 on a time-out or an error, 0 at
  // the end of the stream.
  ssize_t fill() {
    buffer_.erase(0, begin_);
    released_ -= begin_;
    begin_ = 0;
    if (timedOut() || !waitFor(fd_, POLLIN, untilDeadline())) return -1;
    const size_t kept = buffer_.size();
    buffer_.resize(kept + kChunk);
    ssize_t received;
    do received = ::recv(fd_, buffer_.data() + kept, kChunk, 0);
    while (received < 0 && errno == EINTR);
    buffer_.resize(kept + static_cast<size_t>(std::max<ssize_t>(received, 0)));
    return received;
  }

  const int fd_;
  const GuardedHttpServer::Limits& limits_;
  const size_t maxBody_;
  Clock::time_point deadline_ = Clock::now();
  HeadCheck head_{0};
  std::string buffer_;
  size_t begin_ = 0;     // the first byte httplib has not read
  size_t released_ = 0;  // the end of what httplib may read
};

}  // namespace

GuardedHttpServer::~GuardedHttpServer() {
  shutdown();
  if (listenFd_ >= 0) ::close(listenFd_);
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

void GuardedHttpServer::closeAfterReply() {
  tCloseAfterReply = true;
}

int GuardedHttpServer::headStatus() {
  return tHeadStatus;
}

int GuardedHttpServer::bindAndListen(const std::string& host, int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (listenFd_ >= 0 || ::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) return 0;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int yes = 1;
  socklen_t length = sizeof address;
  // No SO_REUSEPORT: it would let a second server bind the port and split the requests with this one.
  if (fd < 0 || ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, SOMAXCONN) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) ::close(fd);
    return 0;
  }
  listenFd_ = fd;
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC);
  return ntohs(address.sin_port);
}

void GuardedHttpServer::serve() {
  while (!stopping_) {
    pollfd entries[2] = {{listenFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    if (::poll(entries, 2, -1) <= 0 || !(entries[0].revents & POLLIN)) continue;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    const int yes = 1;
    // Without it every small reply waits on Nagle's algorithm: tens of milliseconds on loopback.
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    if (!track(fd)) {
      ::close(fd);
      continue;
    }
    std::thread([this, fd] { serveConnection(fd); }).detach();
  }
  // From here on a connection attempt is refused rather than left waiting.
  ::close(listenFd_);
  listenFd_ = -1;
}

void GuardedHttpServer::shutdown() {
  stopping_ = true;
  if (wakeFd_ >= 0) {
    const uint64_t one = 1;
    (void)!::write(wakeFd_, &one, sizeof one);
  }
  std::unique_lock lock(mutex_);
  for (int fd : open_) ::shutdown(fd, SHUT_RDWR);
  allClosed_.wait(lock, [this] { return open_.empty(); });
}

void GuardedHttpServer::serveConnection(int fd) {
  {
    ConnectionStream stream(fd, limits_, payload_max_length_);
    while (!stopping_ && stream.awaitRequest()) {
      tCloseAfterReply = false;
      bool clientCloses = false;
      const bool written = process_request(stream, stopping_, clientCloses, nullptr);
      if (!written || clientCloses || tCloseAfterReply || stream.timedOut()) break;
    }
  }
  {
    // A connection on its way out no longer counts against the limit.
    std::lock_guard lock(mutex_);
    --serving_;
  }
  if (!stopping_) lingerBeforeClose(fd);
  untrack(fd);
}

bool GuardedHttpServer::track(int fd) {
  std::lock_guard lock(mutex_);
  if (stopping_ || serving_ >= limits_.maxConnections) return false;
  ++serving_;
  open_.insert(fd);
  return true;
}

void GuardedHttpServer::untrack(int fd) {
  // The last thing a connection thread does: once the set is empty, shutdown() may return and the
  // server be destroyed.
  std::lock_guard lock(mutex_);
  open_.erase(fd);
  ::close(fd);
  if (open_.empty()) allClosed_.notify_all();
}

}  // namespace kerbelin::backend
