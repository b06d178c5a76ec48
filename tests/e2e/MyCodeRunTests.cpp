// The my-code tab end to end: the QR code it shows is the back-end's token, and a new one replaces it
// once the token's validity has run out.

#include "SimulatorRun.h"

#include <regex>

namespace kerbelin::test {
namespace {

TEST(SimulatorRun, TheMyCodeTabShowsTheBackEndsTokenAndRenewsIt) {
  const auto run = runSimulator("my_code", "my_code.txt", "--as app --qr-seconds 2");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string first = qrIn(shotOf(run, "first-token"));
  const std::string renewed = qrIn(shotOf(run, "renewed-token"));
  const std::regex token("KBQR[0-9A-F]{32}");
  EXPECT_TRUE(std::regex_match(first, token)) << first;
  EXPECT_TRUE(std::regex_match(renewed, token)) << renewed;
  EXPECT_NE(first, renewed);
  // The token differs on every run; the strip and the card's rows below it are compared.
  auto image = shotOf(run, "second-card");
  ASSERT_TRUE(image && image->cgImage());
  const auto& pixels = *image->cgImage();
  auto below = ios::CGImage::create(pixels.width(), pixels.height() - 800);
  for (int y = 0; y < below->height(); ++y)
    for (int x = 0; x < below->width(); ++x) below->mutablePixels()[y * below->width() + x] = pixels.pixel(x, y + 800);
  EXPECT_TRUE(ios::test::matchesReference(*below, "e2e_my_code_second_card", 16, 0.01));
}

TEST(SimulatorRun, TheMyCodeTabLeftPastItsCodesValidityShowsANewCodeOnReturn) {
  const auto run = runSimulator("my_code_away", "my_code_away.txt", "--as app --qr-seconds 3");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string first = qrIn(shotOf(run, "first-token"));
  const std::string back = qrIn(shotOf(run, "back-token"));
  const std::regex token("KBQR[0-9A-F]{32}");
  EXPECT_TRUE(std::regex_match(first, token)) << first;
  EXPECT_TRUE(std::regex_match(back, token)) << back;
  EXPECT_NE(first, back);
}

}  // namespace
}  // namespace kerbelin::test
