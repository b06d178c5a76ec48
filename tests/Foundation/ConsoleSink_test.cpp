#include <Foundation/Console.h>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
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

// Runs `work` on a thread of its own and waits a bounded time for it, so that a console that
// deadlocks fails the test instead of hanging it. After a time-out the blocked thread is left behind
// and the caller must not touch the console again.
bool finishesWithoutDeadlock(std::function<void()> work) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  std::thread([work = std::move(work), done] {
    work();
    done->set_value();
  }).detach();
  return finished.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

enum class FromSink { print, log, replace, standard, silence };

TEST(ConsoleSink, ASinkMayWriteToTheConsoleAndReplaceItself) {
  struct Case {
    const char* name;
    FromSink action;
    std::vector<std::string> first, second;
    std::string out, errHas;  // errHas: what standard error ends with
  } const cases[] = {
      {"print goes to standard output", FromSink::print, {"pay 1\n", "pay 2\n"}, {}, "saw pay 1\n\nsaw pay 2\n\n", ""},
      {"NSLog goes to standard error", FromSink::log, {"pay 1\n", "pay 2\n"}, {}, "", "] saw pay 2\n"},
      {"another sink takes the next line", FromSink::replace, {"pay 1\n"}, {"pay 2\n"}, "", ""},
      {"the standard console takes it", FromSink::standard, {"pay 1\n"}, {}, "pay 2\n", ""},
      {"silence", FromSink::silence, {"pay 1\n"}, {}, "", ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> first, second;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool finished = finishesWithoutDeadlock([&] {
      setConsoleSink([&](std::string_view line) {
        const std::string text(line);
        if (c.action == FromSink::print) print("saw " + text);
        if (c.action == FromSink::log) NSLog("saw " + text);
        if (c.action == FromSink::replace) setConsoleSink([&](std::string_view l) { second.emplace_back(l); });
        if (c.action == FromSink::standard) useStandardConsole();
        if (c.action == FromSink::silence) setConsoleSink(nullptr);
        first.push_back(text);  // after a replacement: the running sink must still be alive
      });
      print("pay 1");
      print("pay 2");
      useStandardConsole();
    });
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(finished) << c.name << ": the console deadlocked";
    EXPECT_EQ(first, c.first) << c.name;
    EXPECT_EQ(second, c.second) << c.name;
    EXPECT_EQ(out, c.out) << c.name;
    EXPECT_TRUE(c.errHas.empty() ? err.empty() : err.ends_with(c.errHas)) << c.name << ": " << err;
  }
}

}  // namespace
}  // namespace ios
