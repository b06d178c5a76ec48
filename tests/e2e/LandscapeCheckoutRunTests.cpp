// The checkout on a phone held sideways, end to end in the simulator against the local back-end: the
// terms sheet opened from the order screen is dragged closed, then the order is paid.

#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(LandscapeCheckoutRun, TheTermsSheetDragsClosedAndTheOrderIsPaid) {
  const auto run = kerbelin::test::runSimulator("checkout-landscape", "checkout_landscape.txt",
                                                "--as app --width 812 --height 375");
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* shot : {"terms", "waiting"}) {
    EXPECT_TRUE(fs::exists(run.out / (std::string(shot) + ".png"))) << shot;
  }
}

}  // namespace
