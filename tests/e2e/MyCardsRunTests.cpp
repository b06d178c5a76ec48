// My cards against the local back-end, as the application shows it.

#include "SimulatorRun.h"

#include <UIKit/UIImage.h>

#include <gtest/gtest.h>
#include <support/ReferenceImage.h>

namespace kerbelin::test {
namespace {

// Cards of every status, the second page on a drag, a card's detail and back.
TEST(MyCardsRun, ListsEveryStatusPagesOnDragAndOpensACard) {
  const auto run = runSimulator("my_cards", "my_cards.txt", "--as app");
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* step : {"first-page", "second-page", "detail"}) {
    auto image = ios::UIImage::contentsOfFile((run.out / (std::string(step) + ".png")).string());
    ASSERT_TRUE(image && image->cgImage()) << step;
    EXPECT_EQ(image->cgImage()->width(), 750) << step;
  }
}

// The payment guide of an order waiting for payment, from my cards through the card's detail, with
// the back-end's guide for that order's provider, and back.
TEST(MyCardsRun, OpensThePaymentGuideOfACardWaitingForPayment) {
  const auto run = runSimulator("my_cards_guides", "my_cards_guides.txt", "--as app");
  ASSERT_EQ(run.status, 0) << run.output;
  auto image = ios::UIImage::contentsOfFile((run.out / "payment-guide.png").string());
  ASSERT_TRUE(image && image->cgImage()) << run.output;
  EXPECT_TRUE(ios::test::matchesReference(*image->cgImage(), "e2e_my_cards_payment_guide", 16, 0.01));
}

}  // namespace
}  // namespace kerbelin::test
