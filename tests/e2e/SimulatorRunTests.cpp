#include "SimulatorRun.h"

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <vector>

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

TEST(SimulatorRun, TheFirstCommandSeesTheSettledLaunch) {
  const auto run = runSimulator("settled_launch", "settled_launch.txt", "--as app");
  EXPECT_EQ(run.status, 0) << run.output;
}

// The example of docs/SIMULATOR.md, as written there, passes every time, also with runs side by side
// on a busy machine.
TEST(SimulatorRun, TheDocumentedExamplePassesEveryRun) {
  const fs::path scripts = KERBELIN_E2E_SCRIPTS;
  std::ifstream docs(scripts / "../../../docs/SIMULATOR.md");
  std::stringstream text;
  text << docs.rdbuf();
  const std::string all = text.str();
  const auto start = all.find("```\n", all.find("\nExample ("));
  ASSERT_NE(start, std::string::npos);
  const auto end = all.find("```", start + 4);
  ASSERT_NE(end, std::string::npos);
  const fs::path example = fs::path(KERBELIN_E2E_OUT) / "docs_example.txt";
  fs::create_directories(example.parent_path());
  std::ofstream(example) << all.substr(start + 4, end - start - 4);
  const auto script = fs::relative(example, scripts).string();

  constexpr int kRuns = 12, kSideBySide = 4;
  for (int first = 0; first < kRuns; first += kSideBySide) {
    std::vector<std::future<kerbelin::test::SimulatorRunResult>> runs;
    for (int i = first; i < first + kSideBySide; ++i)
      runs.push_back(std::async(std::launch::async, runSimulator, "docs_example_" + std::to_string(i), script, ""));
    for (auto& run : runs) {
      const auto result = run.get();
      EXPECT_EQ(result.status, 0) << result.output;
    }
  }
}

TEST(SimulatorRun, OpeningACardTheCustomerDoesNotHaveFailsWithTheReason) {
  const auto run = runSimulator("unknown_owned_card", "unknown_owned_card.txt", "--as app");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("line 3: the customer has no card \"KB0000000000\" (Không tìm thấy"), std::string::npos)
      << run.output;
  EXPECT_FALSE(fs::exists(run.out / "never.png"));
}

TEST(SimulatorRun, AScriptThatDoesNotParseExitsWithTwo) {
  const auto run = runSimulator("bad_script", "bad_script.txt", "--as host");
  EXPECT_EQ(run.status, 2) << run.output;
  EXPECT_NE(run.output.find("line 3:"), std::string::npos) << run.output;
}

}  // namespace
