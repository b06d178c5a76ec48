#pragma once

#include <Reachability/ReachabilitySource.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ios {

// Reachability from the Linux kernel. The network is reachable when a default route (IPv4 or IPv6,
// main table, unicast) leaves through an interface that is up, has a carrier and is not loopback.
// Such an interface whose name starts with "ww" (wwan0, wwp0s20u4) is a cellular modem; any other
// (Wi-Fi, Ethernet, a VPN tunnel) counts as Wi-Fi, and Wi-Fi wins when both carry a default route.
//
// While anyone listens, a thread of the source's own waits on a netlink socket subscribed to link
// and route changes and re-reads the state after each batch of messages. The thread starts with
// the first listener and is stopped and joined when the last one leaves or the source goes away.
class NetlinkReachabilitySource : public ReachabilitySource {
 public:
  static std::shared_ptr<NetlinkReachabilitySource> create();
  NetlinkReachabilitySource() = default;
  ~NetlinkReachabilitySource() override;
  NetlinkReachabilitySource(const NetlinkReachabilitySource&) = delete;
  NetlinkReachabilitySource& operator=(const NetlinkReachabilitySource&) = delete;

  ReachabilityConnection currentConnection() override;
  ListenerId addListener(Listener listener, std::string& error) override;
  void removeListener(ListenerId id) override;

  // Whether the watching thread runs now.
  bool isWatching() const;

  // One interface that carries a default route, as the kernel describes it.
  struct RouteInterface {
    std::string name;
    bool up = false;       // IFF_UP
    bool running = false;  // IFF_RUNNING: the link has a carrier
    bool loopback = false;
  };
  // The connection a set of default-route interfaces gives, by the rule above.
  static ReachabilityConnection classify(const std::vector<RouteInterface>& interfaces);

 private:
  bool startThread(std::string& error);
  void stopThread();
  void watch(int netlinkSocket, int wakeFd);
  void notifyAll();

  std::mutex lifecycleMutex_;  // orders thread start and stop; never taken by the thread
  mutable std::mutex listenersMutex_;
  std::map<ListenerId, Listener> listeners_;
  ListenerId nextId_ = 1;
  std::thread thread_;
  int netlinkSocket_ = -1;
  int wakeFd_ = -1;
};

}  // namespace ios
