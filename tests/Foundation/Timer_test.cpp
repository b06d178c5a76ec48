#include <Foundation/Timer.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <vector>

namespace ios {
namespace {

using ::testing::ElementsAre;

// A screen-like object with a countdown method, as the QR pop-up has.
class Countdown : public NSObject {
 public:
  void fireTimer(std::shared_ptr<Timer> timer) {
    ++ticks;
    lastTimer = timer;
  }
  int ticks = 0;
  std::weak_ptr<Timer> lastTimer;
};

const auto countdownRegistration = ClassRegistration<Countdown>().method("fireTimer", &Countdown::fireTimer);

using TimerTest = test::MainLoopTest;

TEST_F(TimerTest, OneShotTimerFiresOnceAtItsIntervalThenIsInvalid) {
  int fires = 0;
  auto timer = Timer::scheduledTimer(1.0, false, [&](Timer&) { ++fires; });
  EXPECT_TRUE(timer->isValid());
  advance(0.99);
  EXPECT_EQ(fires, 0);
  advance(0.01);
  EXPECT_EQ(fires, 1);
  EXPECT_FALSE(timer->isValid());
  advance(5);
  EXPECT_EQ(fires, 1);
}

TEST_F(TimerTest, RepeatingTimerFiresOnItsGridForExactlyTheElapsedPeriods) {
  std::vector<double> fires;
  auto timer = Timer::scheduledTimer(1.0, true, [&](Timer&) { fires.push_back(now()); });
  advance(10);
  EXPECT_THAT(fires, ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 10));
  advance(0.5);
  EXPECT_EQ(fires.size(), 10u);
  EXPECT_DOUBLE_EQ(timer->fireDate(), 11.0);
  timer->invalidate();
}

TEST_F(TimerTest, ALateRepeatingTimerFiresOnceAndSkipsTheMissedGridPoints) {
  std::vector<double> fires;
  auto timer = Timer::scheduledTimer(1.0, true, [&](Timer&) { fires.push_back(now()); });
  loop().stall(3.5);  // the main thread was busy from 0 to 3.5
  runUntilIdle();
  EXPECT_THAT(fires, ElementsAre(3.5));
  EXPECT_DOUBLE_EQ(timer->fireDate(), 4.0);  // back on the original grid
  advance(1.5);
  EXPECT_THAT(fires, ElementsAre(3.5, 4.0, 5.0));
  timer->invalidate();
}

TEST_F(TimerTest, ManualFireLeavesTheScheduleOfARepeatingTimer) {
  std::vector<double> fires;
  auto timer = Timer::scheduledTimer(1.0, true, [&](Timer&) { fires.push_back(now()); });
  advance(0.5);
  timer->fire();
  advance(0.5);
  EXPECT_THAT(fires, ElementsAre(0.5, 1.0));
  EXPECT_TRUE(timer->isValid());
  timer->invalidate();

  int oneShot = 0;
  auto single = Timer::scheduledTimer(1.0, false, [&](Timer&) { ++oneShot; });
  single->fire();
  advance(2);
  EXPECT_EQ(oneShot, 1);
  EXPECT_FALSE(single->isValid());
}

TEST_F(TimerTest, TheRunLoopKeepsAScheduledTimerAliveUntilInvalidatedWhichReleasesItsBlock) {
  int fires = 0;
  std::weak_ptr<Timer> weak = Timer::scheduledTimer(1.0, true, [&](Timer& timer) {
    if (++fires == 3) timer.invalidate();  // inside its own block
  });
  EXPECT_FALSE(weak.expired());
  advance(10);
  EXPECT_EQ(fires, 3);
  EXPECT_TRUE(weak.expired());

  // Invalidating releases the block and what it captured.
  auto captured = std::make_shared<int>(0);
  auto timer = Timer::scheduledTimer(1.0, true, [captured](Timer&) { ++*captured; });
  advance(1);
  EXPECT_EQ(*captured, 1);
  timer->invalidate();
  EXPECT_EQ(captured.use_count(), 1);
  advance(5);
  EXPECT_EQ(*captured, 1);
}

TEST_F(TimerTest, TargetTimerCallsTheSelectorWithTheTimerAndHoldsItsTargetWeakly) {
  auto target = std::make_shared<Countdown>();
  std::weak_ptr<Countdown> weakTarget = target;
  auto timer = Timer::scheduledTimer(1.0, target, "fireTimer", std::any(std::string("info")), true);
  std::weak_ptr<Timer> weakTimer = timer;
  advance(2);
  EXPECT_EQ(target->ticks, 2);
  EXPECT_EQ(target->lastTimer.lock(), timer);
  EXPECT_EQ(std::any_cast<std::string>(timer->userInfo), "info");

  target.reset();
  EXPECT_TRUE(weakTarget.expired());  // the timer did not keep it
  advance(1);
  EXPECT_FALSE(timer->isValid());
  timer.reset();
  EXPECT_TRUE(weakTimer.expired());  // and the run loop let go of the timer
  EXPECT_EQ(loop().pendingCount(), 0u);
}

TEST_F(TimerTest, NonPositiveIntervals) {
  int fires = 0;
  auto oneShot = Timer::scheduledTimer(0, false, [&](Timer&) { ++fires; });
  runUntilIdle();
  EXPECT_EQ(fires, 1);

  fires = 0;
  auto repeating = Timer::scheduledTimer(-1, true, [&](Timer&) { ++fires; });
  advance(0.001);  // the shortest repeat is a tenth of a millisecond
  EXPECT_EQ(fires, 10);
  repeating->invalidate();
}

}  // namespace
}  // namespace ios
