// A service's detail and usage history against the local back-end, reached from my cards.

#include "SimulatorRun.h"

#include <gtest/gtest.h>

#include <regex>

namespace kerbelin::test {
namespace {

TEST(ServiceHistoryRun, OpensAServiceSwitchesPeriodsPicksARangeAndOpensAnEntry) {
  const auto run = runSimulator("service_history", "service_history.txt", "--as app");
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* step : {"detail", "history", "periods", "date-picker", "range", "entry"}) {
    auto image = shotOf(run, step);
    ASSERT_TRUE(image && image->cgImage()) << step;
    EXPECT_EQ(image->cgImage()->width(), 750) << step;
  }
  // The range went out as two Gregorian days in ASCII digits, the start not after the end.
  std::smatch sent;
  ASSERT_TRUE(std::regex_search(run.output, sent,
                                std::regex(R"re("searchEndTime":"(\d\d)/(\d\d)/(\d{4})","searchStartTime":"(\d\d)/(\d\d)/(\d{4})","searchType":"RANGE_TIME")re")))
      << run.output;
  EXPECT_LE(sent.str(6) + sent.str(5) + sent.str(4), sent.str(3) + sent.str(2) + sent.str(1));
  EXPECT_NE(run.output.find(R"("searchType":"1MONTH")"), std::string::npos);
}

}  // namespace
}  // namespace kerbelin::test
