#pragma once

#include <string>

namespace ios {

// How the device reaches the internet. A wired link counts as `wifi`: what the system cares about is
// "not metered", and a desktop's Ethernet is that.
enum class ReachabilityConnection { unavailable, wifi, cellular };

// "No Connection", "WiFi" or "Cellular", as the library describes a connection.
std::string description(ReachabilityConnection connection);

}  // namespace ios
