#pragma once

// Header-only: tests/support is compiled into kerbelin_test_main, which does not link the platform.
// Include this from a test binary that links ios_foundation.

#include <Foundation/DispatchQueue.h>
#include <Foundation/RunLoop.h>
#include <gtest/gtest.h>

namespace ios::test {

// A test on the main run loop with the virtual clock at time 0, declared on the test's own thread.
// Every posted or scheduled block left by the previous test is dropped first, and global-queue work
// runs on the main loop (DispatchQueue::setGlobalInline), so nothing happens unless the test turns
// the loop: runUntilIdle() for what is ready now, advance(seconds) to move time.
class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().resetForTesting();
    DispatchQueue::setGlobalInline(true);
  }

  void TearDown() override {
    // Release what the test left queued (and the objects those blocks hold) before the next test,
    // and give the global queue back its threads.
    RunLoop::main().resetForTesting();
    DispatchQueue::setGlobalInline(false);
  }

  static RunLoop& loop() { return RunLoop::main(); }
  static void runUntilIdle() { RunLoop::main().runUntilIdle(); }
  static bool runOnce() { return RunLoop::main().runOnce(); }
  static void advance(double seconds) { RunLoop::main().advance(seconds); }
  static double now() { return RunLoop::main().now(); }
};

}  // namespace ios::test
