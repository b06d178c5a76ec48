#include "SimulatorRun.h"

#include <filesystem>
#include <string>

namespace {

using kerbelin::test::runSimulator;
namespace fs = std::filesystem;

// The tour `make demo` shows: every screen, each screenshot's kept frame as a fresh picture draws it.
TEST(SimulatorRun, TheTourRunsToTheEnd) {
  const auto run = runSimulator("tour", "../../../tools/simulator/tour.txt");
  EXPECT_EQ(run.status, 0) << run.output;
}

TEST(SimulatorRun, LaunchesAsTheApplicationWithTheTabShell) {
  const auto run = runSimulator("launch_app", "launch_app.txt", "--as app");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(fs::exists(run.out / "launched.png")) << run.output;
  EXPECT_TRUE(fs::exists(run.out / "index.html"));
  EXPECT_NE(run.output.find("index.html"), std::string::npos) << run.output;
}

TEST(SimulatorRun, SwitchesBetweenEveryTab) {
  const auto run = runSimulator("tabs", "tabs.txt", "--as app");
  EXPECT_EQ(run.status, 0) << run.output;
}

// The store's first page, hosted in a navigation controller of the host's own, looks as recorded.
TEST(SimulatorRun, HostShowsTheStoresFirstPage) {
  const auto run = runSimulator("store_first_page", "store_first_page.txt", "--as host");
  ASSERT_EQ(run.status, 0) << run.output;
  auto image = kerbelin::test::shotOf(run, "store");
  ASSERT_TRUE(image && image->cgImage()) << run.output;
  EXPECT_EQ(image->cgImage()->width(), 750);
  EXPECT_EQ(image->cgImage()->height(), 1624);
  EXPECT_TRUE(ios::test::matchesReference(*image->cgImage(), "e2e_store_first_page", 16, 0.01));
}

// A category, a sort order, the second page, a pull to refresh and a card, each step as recorded.
TEST(SimulatorRun, HostWalksThroughTheStore) {
  const auto run = runSimulator("store_walk", "store_walk.txt", "--as host");
  ASSERT_EQ(run.status, 0) << run.output;
  kerbelin::test::expectShotsMatch(run, "e2e_store_walk_", {"sorted", "second-page", "refreshed"});
}

// The banner script passes only when the network is reported down.
TEST(SimulatorRun, OfflineShowsTheNoInternetBanner) {
  const auto offline = runSimulator("offline", "offline_banner.txt", "--as app --offline");
  EXPECT_EQ(offline.status, 0) << offline.output;
  const auto online = runSimulator("online", "offline_banner.txt", "--as app");
  EXPECT_EQ(online.status, 1) << online.output;
}

TEST(SimulatorRun, AFailingCommandStopsWithItsLineAndStatusOne) {
  const auto run = runSimulator("failing", "failing.txt", "--as host");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("line 4: expected \"Không có dòng chữ này\""), std::string::npos) << run.output;
  EXPECT_TRUE(fs::exists(run.out / "before.png"));
  EXPECT_FALSE(fs::exists(run.out / "after.png"));
}

TEST(SimulatorRun, AScriptThatDoesNotParseExitsWithTwo) {
  const auto run = runSimulator("bad_script", "bad_script.txt", "--as host");
  EXPECT_EQ(run.status, 2) << run.output;
  EXPECT_NE(run.output.find("line 3:"), std::string::npos) << run.output;
}

}  // namespace
