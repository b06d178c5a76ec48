// My cards against the local back-end, as the application shows it.

#include "SimulatorRun.h"

namespace kerbelin::test {
namespace {

// Cards of every status, the second page on a drag, a card's detail and back.
TEST(MyCardsRun, ListsEveryStatusPagesOnDragAndOpensACard) {
  const auto run = runSimulator("my_cards", "my_cards.txt", "--as app");
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* step : {"first-page", "second-page", "detail"}) {
    auto image = shotOf(run, step);
    ASSERT_TRUE(image && image->cgImage()) << step;
    EXPECT_EQ(image->cgImage()->width(), 750) << step;
  }
}

// From my cards through a card's detail: the payment guide of an order waiting for payment, with the
// back-end's guide for its provider, then a paid card's gift text; each as recorded.
TEST(MyCardsRun, OpensThePaymentGuideAndTheGiftTextOfACard) {
  const auto run = runSimulator("my_cards_guides", "my_cards_guides.txt", "--as app");
  ASSERT_EQ(run.status, 0) << run.output;
  expectShotsMatch(run, "e2e_my_cards_", {"payment-guide", "gift"});
}

}  // namespace
}  // namespace kerbelin::test
