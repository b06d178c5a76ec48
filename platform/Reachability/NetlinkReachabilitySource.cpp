#include <Reachability/NetlinkReachabilitySource.h>

#include <ifaddrs.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace ios {
namespace {

std::string systemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Adds the output interfaces of one RTM_NEWROUTE message, when it is a usable default route.
void collectDefaultRoute(const nlmsghdr* header, std::set<int>& interfaceIndexes) {
  const auto* route = static_cast<const rtmsg*>(NLMSG_DATA(header));
  if (header->nlmsg_len < NLMSG_LENGTH(sizeof(rtmsg))) return;
  if (route->rtm_dst_len != 0 || route->rtm_type != RTN_UNICAST) return;
  unsigned table = route->rtm_table;
  std::set<int> found;
  int length = static_cast<int>(RTM_PAYLOAD(header));
  for (const rtattr* attribute = RTM_RTA(route); RTA_OK(attribute, length);
       attribute = RTA_NEXT(attribute, length)) {
    if (attribute->rta_type == RTA_TABLE && RTA_PAYLOAD(attribute) >= sizeof(std::uint32_t)) {
      std::uint32_t value;
      std::memcpy(&value, RTA_DATA(attribute), sizeof value);
      table = value;
    } else if (attribute->rta_type == RTA_OIF && RTA_PAYLOAD(attribute) >= sizeof(int)) {
      int index;
      std::memcpy(&index, RTA_DATA(attribute), sizeof index);
      found.insert(index);
    } else if (attribute->rta_type == RTA_MULTIPATH) {
      int remaining = static_cast<int>(RTA_PAYLOAD(attribute));
      const auto* hop = static_cast<const rtnexthop*>(RTA_DATA(attribute));
      while (remaining >= static_cast<int>(sizeof(rtnexthop)) && hop->rtnh_len >= sizeof(rtnexthop) &&
             hop->rtnh_len <= remaining) {
        found.insert(hop->rtnh_ifindex);
        remaining -= RTNH_ALIGN(hop->rtnh_len);
        hop = RTNH_NEXT(hop);
      }
    }
  }
  if (table == RT_TABLE_MAIN) interfaceIndexes.insert(found.begin(), found.end());
}

// Asks the kernel for every route of `family` and collects the default routes' interfaces. False
// when the dump could not be read.
bool dumpDefaultRoutes(int family, std::set<int>& interfaceIndexes) {
  FileDescriptor socket(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
  if (socket.get() < 0) return false;
  struct {
    nlmsghdr header;
    rtmsg route;
  } request{};
  request.header.nlmsg_len = NLMSG_LENGTH(sizeof(rtmsg));
  request.header.nlmsg_type = RTM_GETROUTE;
  request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  request.header.nlmsg_seq = 1;
  request.route.rtm_family = static_cast<unsigned char>(family);
  sockaddr_nl kernel{};
  kernel.nl_family = AF_NETLINK;
  if (::sendto(socket.get(), &request, request.header.nlmsg_len, 0, reinterpret_cast<sockaddr*>(&kernel),
               sizeof kernel) < 0) {
    return false;
  }
  alignas(nlmsghdr) std::array<char, 32768> buffer;
  for (;;) {
    const ssize_t received = ::recv(socket.get(), buffer.data(), buffer.size(), 0);
    if (received < 0 && errno == EINTR) continue;
    if (received <= 0) return false;
    int length = static_cast<int>(received);
    for (auto* header = reinterpret_cast<nlmsghdr*>(buffer.data()); NLMSG_OK(header, length);
         header = NLMSG_NEXT(header, length)) {
      if (header->nlmsg_type == NLMSG_DONE) return true;
      if (header->nlmsg_type == NLMSG_ERROR) return false;
      if (header->nlmsg_type == RTM_NEWROUTE) collectDefaultRoute(header, interfaceIndexes);
    }
  }
}

std::vector<NetlinkReachabilitySource::RouteInterface> defaultRouteInterfaces() {
  std::set<int> indexes;
  dumpDefaultRoutes(AF_INET, indexes);
  dumpDefaultRoutes(AF_INET6, indexes);
  std::set<std::string> names;
  for (int index : indexes) {
    char name[IF_NAMESIZE] = {};
    if (::if_indextoname(static_cast<unsigned>(index), name)) names.insert(name);
  }
  std::vector<NetlinkReachabilitySource::RouteInterface> interfaces;
  if (names.empty()) return interfaces;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return interfaces;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_name || !names.contains(entry->ifa_name)) continue;
    names.erase(entry->ifa_name);  // one entry per interface is enough: the flags are the link's
    NetlinkReachabilitySource::RouteInterface interface;
    interface.name = entry->ifa_name;
    interface.up = (entry->ifa_flags & IFF_UP) != 0;
    interface.running = (entry->ifa_flags & IFF_RUNNING) != 0;
    interface.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
    interfaces.push_back(std::move(interface));
  }
  ::freeifaddrs(list);
  return interfaces;
}

}  // namespace

std::shared_ptr<NetlinkReachabilitySource> NetlinkReachabilitySource::create() {
  return std::make_shared<NetlinkReachabilitySource>();
}

NetlinkReachabilitySource::~NetlinkReachabilitySource() {
  std::lock_guard lifecycle(lifecycleMutex_);
  stopThread();
}

ReachabilityConnection NetlinkReachabilitySource::classify(const std::vector<RouteInterface>& interfaces) {
  auto connection = ReachabilityConnection::unavailable;
  for (const auto& interface : interfaces) {
    if (!interface.up || !interface.running || interface.loopback) continue;
    if (interface.name.starts_with("ww")) {
      connection = ReachabilityConnection::cellular;
    } else {
      return ReachabilityConnection::wifi;
    }
  }
  return connection;
}

ReachabilityConnection NetlinkReachabilitySource::currentConnection() {
  return classify(defaultRouteInterfaces());
}

bool NetlinkReachabilitySource::isWatching() const {
  std::lock_guard lock(listenersMutex_);
  return thread_.joinable();
}

ReachabilitySource::ListenerId NetlinkReachabilitySource::addListener(Listener listener, std::string& error) {
  std::lock_guard lifecycle(lifecycleMutex_);
  if (!thread_.joinable() && !startThread(error)) return 0;
  std::lock_guard lock(listenersMutex_);
  listener(currentConnection());
  const ListenerId id = nextId_++;
  listeners_.emplace(id, std::move(listener));
  return id;
}

void NetlinkReachabilitySource::removeListener(ListenerId id) {
  std::lock_guard lifecycle(lifecycleMutex_);
  bool last;
  {
    std::lock_guard lock(listenersMutex_);
    if (listeners_.erase(id) == 0) return;
    last = listeners_.empty();
  }
  if (last) stopThread();
}

bool NetlinkReachabilitySource::startThread(std::string& error) {
  FileDescriptor socket(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE));
  if (socket.get() < 0) {
    error = systemError("netlink socket");
    return false;
  }
  sockaddr_nl address{};
  address.nl_family = AF_NETLINK;
  address.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE;
  if (::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    error = systemError("netlink bind");
    return false;
  }
  FileDescriptor wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (wake.get() < 0) {
    error = systemError("eventfd");
    return false;
  }
  netlinkSocket_ = socket.release();
  wakeFd_ = wake.release();
  std::lock_guard lock(listenersMutex_);
  thread_ = std::thread([this, netlink = netlinkSocket_, wakeFd = wakeFd_] { watch(netlink, wakeFd); });
  return true;
}

void NetlinkReachabilitySource::stopThread() {
  if (!thread_.joinable()) return;
  const std::uint64_t one = 1;
  while (::write(wakeFd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
  // The thread takes the listeners' lock to notify: join without holding it.
  std::thread thread;
  {
    std::lock_guard lock(listenersMutex_);
    thread = std::move(thread_);
  }
  thread.join();
  ::close(netlinkSocket_);
  ::close(wakeFd_);
  netlinkSocket_ = wakeFd_ = -1;
}

void NetlinkReachabilitySource::watch(int netlinkSocket, int wakeFd) {
  alignas(nlmsghdr) std::array<char, 16384> buffer;
  for (;;) {
    std::array<pollfd, 2> fds{pollfd{netlinkSocket, POLLIN, 0}, pollfd{wakeFd, POLLIN, 0}};
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents != 0) return;
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return;
    // Drain the whole batch first: one re-read covers every message in it. An overrun (ENOBUFS)
    // lost some messages, which a re-read covers too.
    for (;;) {
      const ssize_t received = ::recv(netlinkSocket, buffer.data(), buffer.size(), 0);
      if (received > 0) continue;
      if (received < 0 && (errno == EINTR || errno == ENOBUFS)) continue;
      break;
    }
    notifyAll();
  }
}

void NetlinkReachabilitySource::notifyAll() {
  std::lock_guard lock(listenersMutex_);
  if (listeners_.empty()) return;
  const auto connection = currentConnection();
  for (auto& [id, listener] : listeners_) listener(connection);
}

}  // namespace ios
