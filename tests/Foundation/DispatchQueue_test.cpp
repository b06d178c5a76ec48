#include <Foundation/DispatchQueue.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <atomic>
#include <string>
#include <vector>

namespace ios {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using DispatchQueueTest = test::MainLoopTest;

TEST_F(DispatchQueueTest, MainAsyncIsFifoAndDeferredEvenOnTheMainThread) {
  std::vector<int> order;
  DispatchQueue::main().async([&] { order.push_back(1); });
  RunLoop::main().perform([&] { order.push_back(2); });
  DispatchQueue::main().async([&] { order.push_back(3); });
  EXPECT_THAT(order, IsEmpty());
  runUntilIdle();
  EXPECT_THAT(order, ElementsAre(1, 2, 3));
}

TEST_F(DispatchQueueTest, AsyncAfterOnEitherQueueFollowsTheMainClock) {
  std::vector<double> times;
  DispatchQueue::main().asyncAfter(1.0, [&] { times.push_back(now()); });
  DispatchQueue::main().asyncAfter(0.2, [&] { times.push_back(now()); });
  DispatchQueue::global().asyncAfter(0.5, [&] { times.push_back(now()); });
  advance(0.99);
  EXPECT_THAT(times, ElementsAre(0.2, 0.5));
  advance(0.01);
  EXPECT_THAT(times, ElementsAre(0.2, 0.5, 1.0));
}

TEST_F(DispatchQueueTest, InlineGlobalWorkRunsOnTheMainLoopInPostingOrder) {
  ASSERT_TRUE(DispatchQueue::isGlobalInline());
  std::vector<std::string> order;
  bool onMain = false;
  DispatchQueue::global(DispatchQoS::background).async([&] {
    onMain = RunLoop::isMainThread();
    order.push_back("search");
    DispatchQueue::main().async([&] { order.push_back("detect"); });
  });
  DispatchQueue::main().async([&] { order.push_back("queued before"); });
  EXPECT_THAT(order, IsEmpty());
  runUntilIdle();
  EXPECT_TRUE(onMain);
  EXPECT_THAT(order, ElementsAre("search", "queued before", "detect"));
}

TEST_F(DispatchQueueTest, GlobalWorkRunsOffTheMainThreadAndComesBackThroughTheMainQueue) {
  DispatchQueue::setGlobalInline(false);
  std::atomic<bool> workerWasMain = true;
  bool deliveredOnMain = false;
  bool delivered = false;
  DispatchQueue::global().async([&] {
    workerWasMain = RunLoop::isMainThread();
    DispatchQueue::main().async([&] {
      deliveredOnMain = RunLoop::isMainThread();
      delivered = true;
    });
  });
  ASSERT_TRUE(loop().runUntil([&] { return delivered; }, 30.0));
  EXPECT_FALSE(workerWasMain);
  EXPECT_TRUE(deliveredOnMain);
}

}  // namespace
}  // namespace ios
