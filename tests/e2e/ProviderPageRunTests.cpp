// A provider's page end to end: opened from a card's provider logo in the store, its header folding
// as the cards tab scrolls, its branches narrowed by province and district, directions asked for.

#include "SimulatorRun.h"

namespace kerbelin::test {
namespace {

TEST(SimulatorRun, ProviderPageFromTheStoreFoldsItsHeaderFiltersBranchesAndAsksForDirections) {
  const auto run = runSimulator("provider_page", "provider_page.txt", "--as host");
  ASSERT_EQ(run.status, 0) << run.output;
  // The first branch of District 1; no maps application on the desktop, so the web page.
  EXPECT_NE(run.output.find("open https://maps.google.com/maps?saddr=&daddr=10.7769,106.7032&directionsmode=driving"),
            std::string::npos)
      << run.output;
  expectShotsMatch(run, "e2e_provider_", {"introduction", "cards-folded", "branches-district"});
}

}  // namespace
}  // namespace kerbelin::test
