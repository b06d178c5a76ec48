// The checkout walked end to end in the simulator, against the local back-end: store, card, order,
// terms, waiting screen, my cards. Every `expect` of the script must hold for the run to pass.

#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(CheckoutRun, BuysACardAndFindsItWaitingForPaymentInMyCards) {
  const auto run = kerbelin::test::runSimulator("checkout", "checkout.txt", "--as app");
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* shot : {"order", "terms", "waiting", "my-cards"}) {
    EXPECT_TRUE(fs::exists(run.out / (std::string(shot) + ".png"))) << shot;
  }
}

}  // namespace
