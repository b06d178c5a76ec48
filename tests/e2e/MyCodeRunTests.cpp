// The my-code tab end to end: the QR code it shows is the back-end's token, and a new one replaces it
// once the token's validity has run out.

#include "SimulatorRun.h"

#include <fstream>
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

// The lines of a back-end log that served `path`.
int servedTo(const std::filesystem::path& log, const std::string& path) {
  std::ifstream in(log);
  int served = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.find(" " + path + " ") != std::string::npos) ++served;
  }
  return served;
}

// Codes that come already run out are asked for again on the row's tick, not as each reply lands: over
// ten seconds on screen, the first request and at most one a second.
TEST(SimulatorRun, TheMyCodeTabAsksForCodesThatComeRunOutAtMostOnceASecond) {
  const auto log = std::filesystem::path(KERBELIN_E2E_OUT) / "my_code_run_out" / "backend.log";
  const auto run = runSimulator("my_code_run_out", "my_code_run_out.txt",
                                "--as app --qr-seconds -5 --backend-log '" + log.string() + "'");
  EXPECT_EQ(run.status, 0) << run.output;
  const int served = servedTo(log, "/kerbelin-app/generate-qr/req");
  EXPECT_GE(served, 2);  // renewed at all
  EXPECT_LE(served, 11);
}

}  // namespace
}  // namespace kerbelin::test
