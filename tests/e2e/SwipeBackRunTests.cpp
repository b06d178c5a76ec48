#include <gtest/gtest.h>

#include "SimulatorRun.h"

namespace kerbelin::test {
namespace {

// The simulator host switches the swipe-back transition on, as a host may.
TEST(SimulatorRun, APushedScreenIsSwipedBackInTheWindow) {
  const auto run = runSimulator("swipe_back", "swipe_back.txt", "--as host");
  EXPECT_EQ(run.status, 0) << run.output;
}

}  // namespace
}  // namespace kerbelin::test
