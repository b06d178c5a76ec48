#include <Foundation/Console.h>

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace ios {
namespace {

enum class SinkKind { host, silent, standardAgain };
enum class Write { print, log };

struct Seen {
  std::vector<std::string> sinkCalls;
  std::string out;
  std::string err;
};

// Writes `text` with the console sink set as `kind`, and returns what reached the host's sink (when
// it had one at some point), standard output and standard error.
Seen writeThrough(SinkKind kind, Write write, const std::string& text) {
  Seen seen;
  setConsoleSink([&](std::string_view line) { seen.sinkCalls.emplace_back(line); });
  if (kind == SinkKind::silent) setConsoleSink(nullptr);
  if (kind == SinkKind::standardAgain) useStandardConsole();
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  write == Write::print ? print(text) : NSLog(text);
  seen.out = testing::internal::GetCapturedStdout();
  seen.err = testing::internal::GetCapturedStderr();
  useStandardConsole();
  return seen;
}

bool endsWith(const std::string& text, const std::string& end) {
  return end.empty() ? text.empty() : text.ends_with(end);
}

TEST(ConsoleSink, RedirectsSilencesAndGivesTheStandardStreamsBack) {
  struct Case {
    const char* name;
    SinkKind kind;
    Write write;
    std::string sink, out, err;  // what each ends with; empty: nothing arrived
  } const cases[] = {
      {"print to the host", SinkKind::host, Write::print, "Type Detail: Paid\n", "", ""},
      {"NSLog to the host", SinkKind::host, Write::log, "] Nib load error\n", "", ""},
      {"print silenced", SinkKind::silent, Write::print, "", "", ""},
      {"NSLog silenced", SinkKind::silent, Write::log, "", "", ""},
      {"print standard again", SinkKind::standardAgain, Write::print, "", "Type Detail: Paid\n", ""},
      {"NSLog standard again", SinkKind::standardAgain, Write::log, "", "", "] Nib load error\n"},
  };
  for (const auto& c : cases) {
    Seen seen = writeThrough(c.kind, c.write, c.write == Write::print ? "Type Detail: Paid" : "Nib load error");
    ASSERT_LE(seen.sinkCalls.size(), 1u) << c.name;  // one call per line
    EXPECT_TRUE(endsWith(seen.sinkCalls.empty() ? "" : seen.sinkCalls[0], c.sink)) << c.name;
    EXPECT_TRUE(endsWith(seen.out, c.out)) << c.name << ": " << seen.out;
    EXPECT_TRUE(endsWith(seen.err, c.err)) << c.name << ": " << seen.err;
  }
}

TEST(ConsoleSink, CapturesComeFirstAndAnEchoingOneReachesTheSink) {
  std::vector<std::string> lines;
  setConsoleSink([&](std::string_view line) { lines.emplace_back(line); });
  {
    ConsoleCapture quiet;
    print("params: 0901234567");
    EXPECT_EQ(quiet.output(), "params: 0901234567\n");
  }
  EXPECT_TRUE(lines.empty());
  {
    ConsoleCapture echoing(true);
    print("Update QR: ", "");
  }
  useStandardConsole();
  EXPECT_EQ(lines, std::vector<std::string>{"Update QR: "});
}

TEST(ConsoleSink, ReplacingTheSinkWhileThreadsPrintLosesAndSplitsNoLine) {
  std::vector<std::string> first, second;
  setConsoleSink([&](std::string_view line) { first.emplace_back(line); });
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 100; ++i) print("thread " + std::to_string(t) + " line " + std::to_string(i));
    });
  }
  for (int swap = 0; swap < 50; ++swap) {
    setConsoleSink([&, swap](std::string_view line) { (swap % 2 ? first : second).emplace_back(line); });
  }
  for (auto& thread : threads) thread.join();
  useStandardConsole();
  std::set<std::string> seen(first.begin(), first.end());
  seen.insert(second.begin(), second.end());
  EXPECT_EQ(first.size() + second.size(), 400u);
  EXPECT_EQ(seen.size(), 400u);
  EXPECT_TRUE(seen.contains("thread 2 line 99\n"));
}

}  // namespace
}  // namespace ios
