#include <Reachability/ReachabilityConnection.h>

namespace ios {

std::string description(ReachabilityConnection connection) {
  switch (connection) {
    case ReachabilityConnection::wifi:
      return "WiFi";
    case ReachabilityConnection::cellular:
      return "Cellular";
    case ReachabilityConnection::unavailable:
      break;
  }
  return "No Connection";
}

}  // namespace ios
