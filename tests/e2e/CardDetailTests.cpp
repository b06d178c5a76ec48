// The card detail end to end: the simulator host against its own back-end, a card for sale from the
// store with its QR and share sheets, then an owned card of each status.

#include "SimulatorRun.h"

#include <regex>

namespace kerbelin::test {
namespace {

TEST(CardDetailRun, ShowsACardForSaleAndOwnedCardsOfEveryStatus) {
  const auto run = runSimulator("card_detail", "card_detail.txt", "--as host");
  ASSERT_EQ(run.status, 0) << run.output;
  // The sheet of a card for sale draws the card's code; an owned card's root service asks the
  // back-end for a token, which is what its sheet draws.
  EXPECT_EQ(qrIn(shotOf(run, "for-sale-qr")), "ML-EGG-10");
  EXPECT_TRUE(std::regex_match(qrIn(shotOf(run, "paid-qr")), std::regex("KBQR[0-9A-F]{32}")));
  for (const char* state : {"UnPaid", "Paid", "Expire", "WaitPay"}) {
    EXPECT_NE(run.output.find(std::string("Type Detail: ") + state), std::string::npos) << state;
  }
  // Pictures without dates in them (the owned cards' dates follow the back-end's clock).
  expectShotsMatch(run, "e2e_card_detail_", {"for-sale", "for-sale-terms", "for-sale-qr"});
}

}  // namespace
}  // namespace kerbelin::test
