#include <Foundation/NotificationCenter.h>
#include <Foundation/RunLoop.h>
#include <Reachability/FakeReachabilitySource.h>
#include <Reachability/Reachability.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <string>
#include <thread>
#include <vector>

namespace ios {
namespace {

using Connection = ReachabilityConnection;

class ReachabilityTest : public test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    token_ = NotificationCenter::defaultCenter().addObserver(
        Reachability::reachabilityChangedNotification, nullptr, [this](const Notification& note) {
          auto monitor = std::dynamic_pointer_cast<Reachability>(note.object);
          log.push_back("note:" + (monitor ? description(monitor->connection()) : std::string("?")));
        });
  }
  void TearDown() override {
    NotificationCenter::defaultCenter().removeObserver(token_);
    ReachabilitySource::setDefaultSource(nullptr);
    MainLoopTest::TearDown();
  }

  // A monitor whose closures write to the log, as the network monitor installs them.
  std::shared_ptr<Reachability> monitorOn(const std::shared_ptr<ReachabilitySource>& source) {
    auto monitor = Reachability::create(source);
    EXPECT_TRUE(monitor);
    monitor->whenReachable = [this](const std::shared_ptr<Reachability>& r) {
      log.push_back(std::string(RunLoop::isMainThread() ? "" : "OFF-MAIN ") +
                    "reachable:" + description(r->connection()));
    };
    monitor->whenUnreachable = [this](const std::shared_ptr<Reachability>&) {
      log.push_back(std::string(RunLoop::isMainThread() ? "" : "OFF-MAIN ") + "unreachable");
    };
    return monitor;
  }

  std::vector<std::string> log;
  std::shared_ptr<FakeReachabilitySource> source = FakeReachabilitySource::create(Connection::wifi);

 private:
  NotificationToken token_;
};

TEST_F(ReachabilityTest, StartingDeliversTheCurrentStateOnALaterMainTurn) {
  auto monitor = monitorOn(source);
  EXPECT_EQ(monitor->connection(), Connection::wifi);
  ASSERT_TRUE(monitor->startNotifier());
  EXPECT_TRUE(monitor->isNotifierRunning());
  EXPECT_TRUE(log.empty());
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"reachable:WiFi", "note:WiFi"}));
  EXPECT_TRUE(monitor->startNotifier());  // already running: nothing new
  runUntilIdle();
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(ReachabilityTest, ChangesArriveOnTheMainQueueInOrderAndRepeatsAreDropped) {
  auto monitor = monitorOn(source);
  ASSERT_TRUE(monitor->startNotifier());
  runUntilIdle();
  log.clear();

  // Changes seen on another thread, as the kernel source sees them.
  std::thread watcher([this] {
    source->setConnection(Connection::unavailable);
    source->setConnection(Connection::unavailable);
    source->setConnection(Connection::cellular);
    source->setConnection(Connection::wifi);
  });
  watcher.join();
  EXPECT_TRUE(log.empty());
  runUntilIdle();
  // Each callback reads the state it was called for, although the source is on Wi-Fi already.
  EXPECT_EQ(log, (std::vector<std::string>{"unreachable", "note:No Connection", "reachable:Cellular",
                                           "note:Cellular", "reachable:WiFi", "note:WiFi"}));
}

TEST_F(ReachabilityTest, CellularReadsAsUnreachableWhenNotAllowed) {
  auto monitor = monitorOn(source);
  monitor->allowsCellularConnection = false;
  ASSERT_TRUE(monitor->startNotifier());
  source->setConnection(Connection::unavailable);
  runUntilIdle();
  log.clear();
  source->setConnection(Connection::cellular);
  runUntilIdle();
  EXPECT_TRUE(log.empty());  // cellular not allowed reads as still unreachable
  EXPECT_EQ(monitor->connection(), Connection::unavailable);
}

TEST_F(ReachabilityTest, NothingArrivesAfterStopOrOnceTheMonitorIsGone) {
  auto monitor = monitorOn(source);
  ASSERT_TRUE(monitor->startNotifier());
  runUntilIdle();
  log.clear();
  source->setConnection(Connection::unavailable);  // queued for the main thread
  monitor->stopNotifier();
  EXPECT_FALSE(monitor->isNotifierRunning());
  EXPECT_EQ(source->listenerCount(), 0u);
  runUntilIdle();
  source->setConnection(Connection::wifi);
  runUntilIdle();
  EXPECT_TRUE(log.empty());

  // Started again, it reports the state afresh; gone, it stops listening before its first delivery.
  ASSERT_TRUE(monitor->startNotifier());
  runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"reachable:WiFi", "note:WiFi"}));
  log.clear();
  monitor->stopNotifier();
  ASSERT_TRUE(monitor->startNotifier());
  EXPECT_EQ(source->listenerCount(), 1u);
  monitor.reset();
  EXPECT_EQ(source->listenerCount(), 0u);
  runUntilIdle();
  EXPECT_TRUE(log.empty());
}

TEST_F(ReachabilityTest, CreationAndStartCanFailWithAReason) {
  source->failCreation("no route socket");
  std::string reason;
  EXPECT_FALSE(Reachability::create(source, &reason));
  EXPECT_EQ(reason, "no route socket");

  source->failCreation(std::nullopt);
  source->failStart("permission denied");
  auto monitor = monitorOn(source);
  reason.clear();
  EXPECT_FALSE(monitor->startNotifier(&reason));
  EXPECT_EQ(reason, "permission denied");
  EXPECT_FALSE(monitor->isNotifierRunning());
  runUntilIdle();
  EXPECT_TRUE(log.empty());
}

TEST_F(ReachabilityTest, TheDefaultSourceCanBeReplacedToForceOffline) {
  auto offline = FakeReachabilitySource::create(Connection::unavailable);
  ReachabilitySource::setDefaultSource(offline);
  auto monitor = Reachability::create();
  ASSERT_TRUE(monitor);
  EXPECT_EQ(monitor->source(), offline);
  EXPECT_EQ(monitor->connection(), Connection::unavailable);
  ReachabilitySource::setDefaultSource(nullptr);
  EXPECT_NE(ReachabilitySource::defaultSource(), offline);
}

}  // namespace
}  // namespace ios
