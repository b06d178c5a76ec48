#include <Foundation/Console.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// GCC 12 warns inside <regex> at -O1 with the sanitizers (a known false positive in std::function);
// clang has no such warning and would warn about the unknown name instead.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#include <set>
#include <sstream>
#include <thread>

namespace ios {
namespace {

using ::testing::ElementsAre;

TEST(Console, CapturesKeepTheExactBytesIncludingMissingLineEndsAndNest) {
  ConsoleCapture capture;
  print("Update QR: ", "");
  print("12", "");
  print("Type Detail: Paid");
  print("");
  EXPECT_EQ(capture.output(), "Update QR: 12Type Detail: Paid\n\n");
  capture.clear();
  {
    ConsoleCapture inner;
    print("b");
    EXPECT_EQ(inner.output(), "b\n");
  }
  print("c");
  EXPECT_EQ(capture.output(), "b\nc\n");  // a nested capture leaves the outer one whole
}

TEST(Console, NSLogLinesCarryATimestampPrefix) {
  ConsoleCapture capture;
  NSLog("begin rule");
  NSLog("already ended\n");
  EXPECT_THAT(capture.logMessages(), ElementsAre("begin rule", "already ended\n"));
  EXPECT_EQ(capture.output(), "");  // NSLog goes to the error stream, not to print's
  std::regex line(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \S+\[\d+:\d+\] begin rule\n)"
                  R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \S+\[\d+:\d+\] already ended\n)");
  EXPECT_TRUE(std::regex_match(capture.errorOutput(), line)) << capture.errorOutput();
}

TEST(Console, LinesFromManyThreadsStayWhole) {
  ConsoleCapture capture;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 100; ++i) print("thread " + std::to_string(t) + " line " + std::to_string(i));
    });
  }
  for (auto& thread : threads) thread.join();
  std::istringstream lines(capture.output());
  std::set<std::string> seen;
  for (std::string text; std::getline(lines, text);) seen.insert(text);
  EXPECT_EQ(seen.size(), 400u);
  EXPECT_TRUE(seen.contains("thread 3 line 99"));
}

}  // namespace
}  // namespace ios
