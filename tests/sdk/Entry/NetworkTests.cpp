// The network monitor: status codes, console lines and the change notification, driven by a fake
// reachability source and a fake radio; and the no-internet banner that its handler shows.

#include <Class/CustomView/ViewAlertNoInternet.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <CoreTelephony/CTRadioAccessTechnology.h>
#include <CoreTelephony/FakeRadioAccessTechnologySource.h>
#include <Foundation/Console.h>
#include <Foundation/NotificationCenter.h>
#include <Reachability/FakeReachabilitySource.h>
#include <Ultilities/Common/Network.h>
#include <gtest/gtest.h>
#include <sdk/Entry/EntryTestSupport.h>

#include <optional>
#include <string>
#include <vector>

namespace kerbelin::test {
namespace {

using ios::ReachabilityConnection;

class NetworkTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    source = ios::FakeReachabilitySource::create(ReachabilityConnection::wifi);
    ios::ReachabilitySource::setDefaultSource(source);
    radio = ios::FakeRadioAccessTechnologySource::create();
    ios::RadioAccessTechnologySource::setShared(radio);
    token = ios::NotificationCenter::defaultCenter().addObserver(
        kNetworkConnectionChangedNotification, nullptr, [this](const ios::Notification& note) {
          ++notifications;
          EXPECT_EQ(note.object, nullptr);
          EXPECT_TRUE(note.userInfo.is_null() || note.userInfo.empty());
        });
  }

  void TearDown() override {
    ios::NotificationCenter::defaultCenter().removeObserver(token);
    ios::ReachabilitySource::setDefaultSource(nullptr);
    ios::RadioAccessTechnologySource::setShared(nullptr);
    EntryTest::TearDown();
  }

  // Moves the source to `connection` and lets the monitor hear of it.
  void become(ReachabilityConnection connection) {
    source->setConnection(connection);
    runUntilIdle();
  }

  std::string takeOutput() {
    std::string text = console.output();
    console.clear();
    return text;
  }

  std::shared_ptr<ios::FakeReachabilitySource> source;
  std::shared_ptr<ios::FakeRadioAccessTechnologySource> radio;
  ios::NotificationToken token;
  int notifications = 0;
  ios::ConsoleCapture console;
};

TEST_F(NetworkTest, StartingGivesAProvisionalStatusThenTheDeliveredOne) {
  auto monitor = Network::create();
  ASSERT_NE(monitor->reachability, nullptr);
  EXPECT_TRUE(monitor->reachability->isNotifierRunning());
  EXPECT_EQ(monitor->status, kNW_WIFI);
  EXPECT_EQ(notifications, 0);  // nothing is delivered inside the call
  runUntilIdle();
  EXPECT_EQ(monitor->status, kNW_WIFI);
  EXPECT_EQ(takeOutput(), "Reachable via WiFi\n");
  EXPECT_EQ(notifications, 1);

  source->setConnection(ReachabilityConnection::unavailable);
  auto offline = Network::create();
  EXPECT_EQ(offline->status, kNW_DISCONNECT);
  runUntilIdle();
  EXPECT_EQ(offline->status, kNW_DISCONNECT);
  EXPECT_EQ(monitor->status, kNW_DISCONNECT);
}

TEST_F(NetworkTest, ACellularLinkIsClassifiedByItsRadio) {
  const std::vector<std::pair<std::optional<std::string>, int>> radios = {
      {ios::CTRadioAccessTechnologyLTE, kNW_CELL_4G},       {ios::CTRadioAccessTechnologyHSDPA, kNW_CELL_3G},
      {ios::CTRadioAccessTechnologyeHRPD, kNW_CELL_3G},     {ios::CTRadioAccessTechnologyEdge, kNW_CELL_2G},
      {ios::CTRadioAccessTechnologyCDMA1x, kNW_CELL_2G},    {ios::CTRadioAccessTechnologyNR, kNW_CELL_UNKNOWN},
      {std::string("LTE"), kNW_CELL_UNKNOWN},                {std::nullopt, kNW_CELL_UNKNOWN},
  };
  auto monitor = Network::create();
  runUntilIdle();
  for (const auto& [technology, expected] : radios) {
    become(ReachabilityConnection::wifi);
    takeOutput();
    notifications = 0;
    radio->setTechnology(technology);
    become(ReachabilityConnection::cellular);
    EXPECT_EQ(monitor->status, expected) << technology.value_or("none");
    EXPECT_EQ(takeOutput(), "Reachable via Cellular\n");
    EXPECT_EQ(notifications, 1);
  }
}

TEST_F(NetworkTest, StartingAgainChangesNothingAndAStoppedMonitorStaysStopped) {
  auto monitor = Network::create();
  runUntilIdle();
  auto observer = monitor->reachability;
  monitor->startMonitor();
  EXPECT_EQ(monitor->reachability, observer);
  EXPECT_EQ(source->listenerCount(), 1u);

  monitor->stopMonitor();
  EXPECT_EQ(monitor->reachability, observer);  // kept
  monitor->startMonitor();
  EXPECT_FALSE(observer->isNotifierRunning());
  EXPECT_EQ(source->listenerCount(), 0u);
  notifications = 0;
  takeOutput();
  become(ReachabilityConnection::unavailable);
  EXPECT_EQ(monitor->status, kNW_WIFI);  // the last value stays
  EXPECT_EQ(notifications, 0);
  EXPECT_EQ(takeOutput(), "");
}

TEST_F(NetworkTest, AnObserverThatCannotBeMadeLeavesTheMonitorSilentlyDisconnected) {
  source->failCreation("no netlink socket");
  auto monitor = Network::create();
  runUntilIdle();
  EXPECT_EQ(monitor->reachability, nullptr);
  EXPECT_EQ(monitor->status, kNW_DISCONNECT);
  EXPECT_EQ(takeOutput(), "");
  become(ReachabilityConnection::cellular);
  EXPECT_EQ(monitor->status, kNW_DISCONNECT);
  EXPECT_EQ(notifications, 0);

  // Called all the same, the handler treats the link as cellular.
  radio->setTechnology(std::string(ios::CTRadioAccessTechnologyLTE));
  const auto banner = TabbarViewController::sharedInstance()->viewNoInternet;
  banner->setHidden(false);
  monitor->reachabilityChanged(nullptr);
  EXPECT_TRUE(banner->isHidden());
  EXPECT_EQ(monitor->status, kNW_CELL_4G);
  EXPECT_EQ(takeOutput(), "Reachable via Cellular\n");
}

TEST_F(NetworkTest, ANotifierThatCannotStartIsReportedAndTheObserverKept) {
  source->failStart("busy");
  auto monitor = Network::create();
  runUntilIdle();
  ASSERT_NE(monitor->reachability, nullptr);
  EXPECT_EQ(takeOutput(), "Unable to start notifier\n");
  EXPECT_EQ(monitor->status, kNW_WIFI);
  become(ReachabilityConnection::unavailable);
  EXPECT_EQ(monitor->status, kNW_WIFI);
  EXPECT_EQ(notifications, 0);
  source->failStart(std::nullopt);
  monitor->startMonitor();  // the observer exists: never started again
  EXPECT_FALSE(monitor->reachability->isNotifierRunning());
}

TEST_F(NetworkTest, AMonitorIsReleasedWithItsOwner) {
  std::weak_ptr<Network> weak;
  {
    auto monitor = Network::create();
    weak = monitor;
    runUntilIdle();
  }
  EXPECT_TRUE(weak.expired());
  become(ReachabilityConnection::unavailable);
  EXPECT_EQ(source->listenerCount(), 0u);
}

// The monitor announces each change of the link once; the banner's handler, registered by its selector
// as an application wires it, follows the announcement and says the same line again.
TEST_F(NetworkTest, EachChangeIsAnnouncedOnceAndTheBannerRegisteredByItsSelectorFollowsIt) {
  auto monitor = Network::create();
  ASSERT_TRUE(monitor->respondsTo("reachabilityChangedWithNotification:"));
  ios::NotificationCenter::defaultCenter().addObserver(
      monitor, "reachabilityChangedWithNotification:", kNetworkConnectionChangedNotification);
  runUntilIdle();
  const auto banner = TabbarViewController::sharedInstance()->viewNoInternet;
  EXPECT_TRUE(banner->isHidden());
  radio->setTechnology(std::string(ios::CTRadioAccessTechnologyHSDPA));
  takeOutput();
  notifications = 0;
  const struct {
    ReachabilityConnection link;
    int status;
    bool bannerShown;
    int notifications;
    std::string line;
  } steps[] = {
      {ReachabilityConnection::unavailable, kNW_DISCONNECT, true, 1, "Reachable no internet\n"},
      {ReachabilityConnection::unavailable, kNW_DISCONNECT, true, 1, ""},  // no change, nothing new
      {ReachabilityConnection::wifi, kNW_WIFI, false, 2, "Reachable via WiFi\n"},
      {ReachabilityConnection::unavailable, kNW_DISCONNECT, true, 3, "Reachable no internet\n"},
      {ReachabilityConnection::cellular, kNW_CELL_3G, false, 4, "Reachable via Cellular\n"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.status);
    become(step.link);
    EXPECT_EQ(monitor->status, step.status);
    EXPECT_EQ(banner->isHidden(), !step.bannerShown);
    EXPECT_EQ(notifications, step.notifications) << "the handler posts nothing";
    EXPECT_EQ(takeOutput(), step.line + step.line);
  }
  ios::NotificationCenter::defaultCenter().removeObserver(monitor.get());
}

}  // namespace
}  // namespace kerbelin::test
