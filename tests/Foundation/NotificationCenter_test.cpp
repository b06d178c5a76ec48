#include <Foundation/NotificationCenter.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace ios {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ReachabilityWatcher : public NSObject {
 public:
  void reachabilityChanged(std::shared_ptr<Notification> notification) {
    received.push_back(notification ? notification->name : "(none)");
    if (notification) lastInfo = notification->userInfo;
  }
  void refreshData() { ++refreshes; }
  std::vector<std::string> received;
  Dictionary lastInfo;
  int refreshes = 0;
};

const auto registration =
    ClassRegistration<ReachabilityWatcher>()
        .method("reachabilityChangedWithNotification:", &ReachabilityWatcher::reachabilityChanged)
        .method("refreshData", &ReachabilityWatcher::refreshData);

class NotificationCenterTest : public ::testing::Test {
 protected:
  NotificationCenter center;
  std::vector<std::string> log;
};

TEST_F(NotificationCenterTest, PostDeliversSynchronouslyInRegistrationOrder) {
  for (std::string name : {"one", "two", "three"}) {
    center.addObserver("RefreshMyCardPage", nullptr,
                       [this, name](const Notification&) { log.push_back(name); });
  }
  center.addObserver("Other", nullptr, [this](const Notification&) { log.push_back("other"); });
  center.post("RefreshMyCardPage");
  EXPECT_THAT(log, ElementsAre("one", "two", "three"));
}

TEST_F(NotificationCenterTest, NameAndObjectFiltersAndAGoneObjectMatchesNothing) {
  auto sender = std::make_shared<NSObject>();
  auto stranger = std::make_shared<NSObject>();
  center.addObserver("", nullptr, [this](const Notification& n) { log.push_back("any:" + n.name); });
  center.addObserver("Changed", sender, [this](const Notification& n) { log.push_back("sender:" + n.name); });
  center.addObserver("Changed", stranger, [this](const Notification&) { log.push_back("gone"); });
  stranger.reset();
  center.post("Changed");
  center.post("Changed", sender);
  center.post("Other", sender);
  EXPECT_THAT(log, ElementsAre("any:Changed", "any:Changed", "sender:Changed", "any:Other"));
}

TEST_F(NotificationCenterTest, ObserversChangedDuringAPostFollowTheSnapshotMinusRemovals) {
  NotificationToken second;
  center.addObserver("N", nullptr, [&](const Notification&) {
    log.push_back("first");
    center.removeObserver(second);
    center.addObserver("N", nullptr, [&](const Notification&) { log.push_back("added"); });
  });
  second = center.addObserver("N", nullptr, [&](const Notification&) { log.push_back("second"); });
  center.addObserver("N", nullptr, [&](const Notification&) { log.push_back("third"); });

  center.post("N");
  EXPECT_THAT(log, ElementsAre("first", "third"));
  log.clear();
  center.post("N");
  EXPECT_THAT(log, ElementsAre("first", "third", "added"));  // the one added by this post waits
}

TEST_F(NotificationCenterTest, AnObserverMayRemoveItselfWhileBeingCalled) {
  NotificationToken self;
  self = center.addObserver("N", nullptr, [&](const Notification&) {
    log.push_back("once");
    center.removeObserver(self);
  });
  center.post("N");
  center.post("N");
  EXPECT_THAT(log, ElementsAre("once"));
  EXPECT_EQ(center.observerCount(), 0u);
}

TEST_F(NotificationCenterTest, SelectorObserversReceiveTheNotificationAsSender) {
  auto watcher = std::make_shared<ReachabilityWatcher>();
  center.addObserver(watcher, "reachabilityChangedWithNotification:", "NetworkConnectionChanged");
  center.addObserver(watcher, "refreshData", "RefreshMyCardPage");
  center.post("NetworkConnectionChanged", nullptr, Dictionary{{"status", "wifi"}});
  center.post("RefreshMyCardPage");
  EXPECT_THAT(watcher->received, ElementsAre("NetworkConnectionChanged"));
  EXPECT_EQ(watcher->lastInfo["status"], "wifi");
  EXPECT_EQ(watcher->refreshes, 1);
}

TEST_F(NotificationCenterTest, GoneSelectorObserversAreSkippedAndPruned) {
  auto watcher = std::make_shared<ReachabilityWatcher>();
  center.addObserver(watcher, "refreshData", "RefreshMyCardPage");
  EXPECT_EQ(center.observerCount(), 1u);
  watcher.reset();
  center.post("RefreshMyCardPage");  // must not touch the freed observer (ASan would tell)
  EXPECT_EQ(center.observerCount(), 0u);
}

TEST_F(NotificationCenterTest, RemoveObserverByObjectAndByName) {
  auto watcher = std::make_shared<ReachabilityWatcher>();
  center.addObserver(watcher, "refreshData", "A");
  center.addObserver(watcher, "refreshData", "B");
  center.removeObserver(watcher.get(), "A");
  center.post("A");
  center.post("B");
  EXPECT_EQ(watcher->refreshes, 1);
  center.removeObserver(watcher);
  center.post("B");
  EXPECT_EQ(watcher->refreshes, 1);
  EXPECT_EQ(center.observerCount(), 0u);
}

TEST_F(NotificationCenterTest, RegistrationFromManyThreads) {
  std::vector<std::thread> threads;
  std::atomic<int> calls = 0;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i) center.addObserver("N", nullptr, [&](const Notification&) { ++calls; });
    });
  }
  for (auto& thread : threads) thread.join();
  center.post("N");
  EXPECT_EQ(calls, 200);
}

}  // namespace
}  // namespace ios
