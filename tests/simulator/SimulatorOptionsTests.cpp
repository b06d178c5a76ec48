#include <SimulatorOptions.h>
#include <TourIndex.h>

#include <gtest/gtest.h>

namespace kerbelin::sim {
namespace {

TEST(SimulatorOptions, ReadsEveryOption) {
  std::string error;
  auto options =
      SimulatorOptions::parse({"--backend", "http://127.0.0.1:8080/", "--headless", "--script", "a.txt",
                               "--out", "shots", "--as", "host", "--width", "320", "--height", "568",
                               "--scale", "3", "--offline", "--bench", "--quit-after", "2.5", "--qr-seconds", "-5",
                               "--backend-log", "served.txt"},
                              error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(*options->backend, "http://127.0.0.1:8080");
  EXPECT_TRUE(options->headless);
  EXPECT_EQ(options->script->string(), "a.txt");
  EXPECT_EQ(options->out->string(), "shots");
  EXPECT_EQ(options->mode, SimulatorOptions::Mode::host);
  EXPECT_DOUBLE_EQ(options->width, 320);
  EXPECT_DOUBLE_EQ(options->height, 568);
  EXPECT_DOUBLE_EQ(options->scale, 3);
  EXPECT_TRUE(options->offline);
  EXPECT_TRUE(options->bench);
  EXPECT_DOUBLE_EQ(*options->quitAfter, 2.5);
  EXPECT_EQ(*options->qrSeconds, -5);
  EXPECT_EQ(options->backendLog->string(), "served.txt");
}

TEST(SimulatorOptions, RefusesBadCommandLines) {
  const std::vector<std::vector<std::string>> bad = {
      {"--frobnicate"},
      {"--script"},
      {"--as", "tablet"},
      {"--width", "0"},
      {"--scale", "two"},
      {"--height", "-5"},
      {"--qr-seconds", "1.5"},
      {"--qr-seconds", "86401"},
      {"--backend-log"},
      {"--backend", "http://example.com"},
      {"--backend", "https://127.0.0.1:1"},
      {"--backend", "http://127.0.0.1.evil.com"},
      {"--backend", "http://10.0.0.1:80"},
  };
  for (const auto& arguments : bad) {
    std::string error;
    EXPECT_FALSE(SimulatorOptions::parse(arguments, error)) << arguments[0];
    EXPECT_FALSE(error.empty()) << arguments[0];
  }
}

TEST(TourIndex, ListsThePicturesInOrderAndEscapesNames) {
  const std::string page = TourIndex::html({"02-second", "01-first", "a<b"}, "Tour & more");
  const auto second = page.find("src=\"02-second.png\"");
  const auto first = page.find("src=\"01-first.png\"");
  ASSERT_NE(second, std::string::npos);
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(second, first);
  EXPECT_NE(page.find("a&lt;b.png"), std::string::npos);
  EXPECT_EQ(page.find("a<b"), std::string::npos);
  EXPECT_NE(page.find("Tour &amp; more"), std::string::npos);
}

}  // namespace
}  // namespace kerbelin::sim
