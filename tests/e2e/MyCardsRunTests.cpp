// My cards against the local back-end, as the application shows it.

#include "SimulatorRun.h"

#include <UIKit/UIImage.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kerbelin::test
