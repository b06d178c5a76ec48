#include <Foundation/RunLoop.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace ios {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RunLoopTest : public test::MainLoopTest {
 protected:
  std::function<void()> note(std::string text) {
    return [this, text] { log.push_back(text); };
  }
  std::vector<std::string> log;
};

TEST_F(RunLoopTest, PostedBlocksRunFifoOnALaterTurnNeverInsideTheCall) {
  loop().perform([this] {
    log.push_back("a");
    loop().perform(note("c"));  // posted during the turn: next turn
  });
  loop().perform(note("b"));
  EXPECT_THAT(log, IsEmpty());

  EXPECT_TRUE(runOnce());
  EXPECT_THAT(log, ElementsAre("a", "b"));
  EXPECT_TRUE(runOnce());
  EXPECT_THAT(log, ElementsAre("a", "b", "c"));
  EXPECT_FALSE(runOnce());
}

TEST_F(RunLoopTest, DelayedBlocksRunInDeadlineOrderWithTiesInSchedulingOrder) {
  std::vector<double> times;
  auto at = [&](std::string text) {
    return [&, text] {
      log.push_back(text);
      times.push_back(now());
    };
  };
  loop().performAfter(0.2, at("x"));
  loop().performAfter(0.1, at("y"));
  loop().performAfter(0.2, at("z"));
  loop().performAfter(0.1, at("w"));
  advance(1.0);
  EXPECT_THAT(log, ElementsAre("y", "w", "x", "z"));
  EXPECT_THAT(times, ElementsAre(0.1, 0.1, 0.2, 0.2));
  EXPECT_DOUBLE_EQ(now(), 1.0);
}

TEST_F(RunLoopTest, ThreeStepsOfATenthLandExactlyOnADeadline) {
  // Time is kept in whole nanoseconds, so no rounding error leaves the block pending.
  loop().performAfter(0.3, note("done"));
  advance(0.1);
  advance(0.1);
  EXPECT_THAT(log, IsEmpty());
  advance(0.1);
  EXPECT_THAT(log, ElementsAre("done"));
}

TEST_F(RunLoopTest, PostedBlocksRunBeforeDueItemsAndObserversCloseEachTurnInOrder) {
  auto display = loop().addTurnObserver(RunLoop::TurnOrder::display, note("display"));
  auto constraints = loop().addTurnObserver(RunLoop::TurnOrder::constraints, note("constraints"));
  auto layout = loop().addTurnObserver(RunLoop::TurnOrder::layout, note("layout"));
  loop().performAfter(0, note("due"));
  loop().perform(note("posted"));

  runOnce();
  EXPECT_THAT(log, ElementsAre("posted", "due", "constraints", "layout", "display"));

  log.clear();
  EXPECT_FALSE(runOnce());  // observers run on every turn, but alone they do not count as work
  EXPECT_THAT(log, ElementsAre("constraints", "layout", "display"));

  for (auto id : {display, constraints, layout}) loop().removeTurnObserver(id);
  log.clear();
  runOnce();
  EXPECT_THAT(log, IsEmpty());
}

TEST_F(RunLoopTest, AnObserverRemovedByAnEarlierObserverIsNotCalled) {
  RunLoop::TurnObserverId second = 0;
  auto first = loop().addTurnObserver(1, [&] {
    log.push_back("first");
    loop().removeTurnObserver(second);
  });
  second = loop().addTurnObserver(2, note("second"));
  runOnce();
  runOnce();
  EXPECT_THAT(log, ElementsAre("first", "first"));
  loop().removeTurnObserver(first);
}

TEST_F(RunLoopTest, WorkPostedByObserversIsRunByRunUntilIdle) {
  bool posted = false;
  auto id = loop().addTurnObserver(RunLoop::TurnOrder::layout, [&] {
    if (!posted) loop().perform(note("from layout"));
    posted = true;
  });
  runUntilIdle();
  EXPECT_THAT(log, ElementsAre("from layout"));
  loop().removeTurnObserver(id);
}

TEST_F(RunLoopTest, RunUntilIdleNeverAdvancesVirtualTimeNorSpinsForever) {
  loop().performAfter(1.0, note("later"));
  loop().performAfter(0, note("now"));
  runUntilIdle();
  EXPECT_THAT(log, ElementsAre("now"));
  EXPECT_EQ(now(), 0.0);
  EXPECT_EQ(loop().nextDeadline(), 1.0);
  EXPECT_FALSE(loop().hasPendingWork());
  EXPECT_EQ(loop().pendingCount(), 1u);

  // Work that keeps reposting itself would never be idle: it is reported instead.
  std::function<void()> again = [&] { loop().perform(again); };
  loop().perform(again);
  EXPECT_THROW(runUntilIdle(), std::runtime_error);
}

TEST_F(RunLoopTest, AdvanceRunsWorkScheduledByDueWorkWhenItFallsDueInsideTheStep) {
  std::vector<double> times;
  loop().performAfter(0.5, [&] {
    times.push_back(now());
    loop().performAfter(0.5, [&] { times.push_back(now()); });
    loop().performAfter(0.6, [&] { times.push_back(now()); });
  });
  advance(1.0);
  EXPECT_THAT(times, ElementsAre(0.5, 1.0));
  advance(0.1);
  EXPECT_THAT(times, ElementsAre(0.5, 1.0, 1.1));
}

TEST_F(RunLoopTest, CancelledBlocksNeverRun) {
  auto task = loop().performAfter(0.5, note("cancelled"));
  loop().performAfter(0.5, note("kept"));
  EXPECT_TRUE(loop().cancel(task));
  EXPECT_FALSE(loop().cancel(task));
  advance(1);
  EXPECT_THAT(log, ElementsAre("kept"));
}

TEST_F(RunLoopTest, StalledTimeRunsOverdueWorkInDeadlineOrderOnTheNextTurn) {
  loop().performAfter(2, note("second"));
  loop().performAfter(1, note("first"));
  loop().stall(5);
  EXPECT_THAT(log, IsEmpty());
  EXPECT_TRUE(loop().hasPendingWork());
  runOnce();
  EXPECT_THAT(log, ElementsAre("first", "second"));
  EXPECT_EQ(now(), 5.0);
}

TEST_F(RunLoopTest, AdvanceNeedsTheVirtualClock) {
  loop().useSystemClock();
  EXPECT_FALSE(loop().usesVirtualClock());
  EXPECT_THROW(advance(1), std::logic_error);
  EXPECT_THROW(loop().stall(1), std::logic_error);
  loop().useVirtualClock();
  EXPECT_NO_THROW(advance(1));
}

TEST_F(RunLoopTest, RunUntilRunsWorkPostedFromAnotherThreadWithoutMovingVirtualTime) {
  std::atomic<bool> delivered = false;
  bool onMain = false;
  loop().performAfter(5.0, note("timer"));
  loop().beginExternalWork();
  std::thread worker([&] {
    loop().perform([&] {
      onMain = RunLoop::isMainThread();
      delivered = true;
    });
    loop().endExternalWork();
  });
  bool done = loop().runUntil([&] { return delivered && loop().externalWorkCount() == 0; }, 30.0);
  worker.join();
  EXPECT_TRUE(done);
  EXPECT_TRUE(onMain);
  EXPECT_THAT(log, IsEmpty());
  EXPECT_EQ(now(), 0.0);
}

TEST_F(RunLoopTest, RunUntilGivesUpWhenNothingArrives) {
  EXPECT_FALSE(loop().runUntil([] { return false; }, 0.0));
  loop().perform(note("ready"));
  EXPECT_TRUE(loop().runUntil([&] { return !log.empty(); }, 0.0));
}

TEST_F(RunLoopTest, RunOnTheSystemClockSleepsUntilWorkAndReturnsOnStop) {
  loop().useSystemClock();
  std::thread poster;
  loop().performAfter(0.001, [&] {
    log.push_back("timer");
    // The loop goes to sleep after this turn; only the other thread's block can wake it.
    poster = std::thread([&] {
      RunLoop::main().perform([&] {
        log.push_back("posted");
        RunLoop::main().stop();
      });
    });
  });
  loop().run();
  poster.join();
  EXPECT_THAT(log, ElementsAre("timer", "posted"));
}

TEST_F(RunLoopTest, ResetForTestingDropsQueuedWorkAndRestartsTheClock) {
  auto owned = std::make_shared<int>(1);
  loop().perform([owned] {});
  loop().performAfter(1, [owned] {});
  advance(0.5);
  loop().resetForTesting();
  EXPECT_EQ(owned.use_count(), 1);
  EXPECT_EQ(loop().pendingCount(), 0u);
  EXPECT_EQ(now(), 0.0);
}

// Without a declaration the first thread to use the loop is the main thread, and a stop says none was
// declared. Only a fresh process has no declaration: the child starts the binary again.
TEST(RunLoopUndeclaredMainThread, TheFirstThreadToUseTheLoopPassesAndAnotherStopsToldNoneWasDeclared) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto callFromTwoThreads = [] {
    RunLoop::requireMainThread("the first thread's call");
    std::thread([] { RunLoop::requireMainThread("a worker's call"); }).join();
  };
  EXPECT_DEATH(callFromTwoThreads(),
               "Fatal error: a worker's call called on thread [0-9]+, off the main thread [0-9]+ \\(the first "
               "thread that used the run loop, as no thread called ios::RunLoop::main\\(\\)\\."
               "declareMainThread\\(\\)\\)");
}

}  // namespace
}  // namespace ios
