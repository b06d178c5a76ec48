#include <Reachability/NetlinkReachabilitySource.h>
#include <Reachability/Reachability.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <atomic>

namespace ios {
namespace {

using Interface = NetlinkReachabilitySource::RouteInterface;
using Connection = ReachabilityConnection;

TEST(NetlinkReachabilitySource, ClassifiesTheInterfacesThatCarryADefaultRoute) {
  const Interface ethernet{"eth0", true, true, false};
  const Interface wifi{"wlp2s0", true, true, false};
  const Interface modem{"wwan0", true, true, false};
  const Interface modemUsb{"wwp0s20u4", true, true, false};
  const Interface down{"wlan0", false, false, false};
  const Interface noCarrier{"eth1", true, false, false};
  const Interface loopback{"lo", true, true, true};

  EXPECT_EQ(NetlinkReachabilitySource::classify({}), Connection::unavailable);
  EXPECT_EQ(NetlinkReachabilitySource::classify({ethernet}), Connection::wifi);
  EXPECT_EQ(NetlinkReachabilitySource::classify({wifi}), Connection::wifi);
  EXPECT_EQ(NetlinkReachabilitySource::classify({modem}), Connection::cellular);
  EXPECT_EQ(NetlinkReachabilitySource::classify({modemUsb}), Connection::cellular);
  EXPECT_EQ(NetlinkReachabilitySource::classify({modem, wifi}), Connection::wifi);
  EXPECT_EQ(NetlinkReachabilitySource::classify({down, noCarrier, loopback}), Connection::unavailable);
  EXPECT_EQ(NetlinkReachabilitySource::classify({down, modem}), Connection::cellular);
}

class NetlinkSmoke : public test::MainLoopTest {};

// Runs against the machine's real kernel; what it reports depends on the machine, so only the life
// cycle is checked: the thread starts with the first listener, the current state arrives once, and
// stopping joins the thread.
TEST_F(NetlinkSmoke, StartsAndStopsItsWatchingThreadCleanly) {
  auto source = NetlinkReachabilitySource::create();
  EXPECT_FALSE(source->isWatching());
  std::atomic<int> heard{0};
  std::string error;
  const auto first = source->addListener([&](Connection) { ++heard; }, error);
  ASSERT_NE(first, 0u) << error;
  EXPECT_TRUE(source->isWatching());
  EXPECT_GE(heard.load(), 1);
  const auto second = source->addListener([](Connection) {}, error);
  ASSERT_NE(second, 0u);
  source->removeListener(first);
  EXPECT_TRUE(source->isWatching());
  source->removeListener(second);
  EXPECT_FALSE(source->isWatching());

  // Through a monitor the state reaches the main thread; how a monitor starts and stops is the
  // fake source's test.
  auto monitor = Reachability::create(source);
  ASSERT_TRUE(monitor);
  int delivered = 0;
  monitor->whenReachable = [&](const auto&) { ++delivered; };
  monitor->whenUnreachable = [&](const auto&) { ++delivered; };
  ASSERT_TRUE(monitor->startNotifier());
  ASSERT_TRUE(loop().runUntil([&] { return delivered > 0; }, 20.0));
  monitor.reset();
  EXPECT_FALSE(source->isWatching());

  auto abandoned = NetlinkReachabilitySource::create();
  ASSERT_NE(abandoned->addListener([](Connection) {}, error), 0u);
  abandoned.reset();  // joins its thread
}

}  // namespace
}  // namespace ios
