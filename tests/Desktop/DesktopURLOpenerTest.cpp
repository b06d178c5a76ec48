#include <Desktop/DesktopURLOpener.h>
#include <Desktop/RecordingURLOpener.h>
#include <UIKit/UIApplication.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <optional>
#include <string>
#include <vector>

namespace ios {
namespace {

URL urlOf(const std::string& text) {
  return *URL::fromString(text);
}

// Records the commands instead of running them.
class ScriptedRunner : public CommandRunner {
 public:
  bool launch(const std::vector<std::string>& arguments) override {
    launched.push_back(arguments);
    return launchSucceeds;
  }
  std::optional<std::string> capture(const std::vector<std::string>& arguments) override {
    captured.push_back(arguments);
    return answer;
  }

  std::vector<std::vector<std::string>> launched;
  std::vector<std::vector<std::string>> captured;
  bool launchSucceeds = true;
  std::optional<std::string> answer = "firefox.desktop\n";
};

using Args = std::vector<std::string>;

TEST(DesktopURLOpener, OpensWithXdgOpenAsOneArgumentWhateverTheURLHolds) {
  auto runner = std::make_shared<ScriptedRunner>();
  auto opener = DesktopURLOpener::create(runner);
  const std::string tricky = "https://maps.test/dir?saddr=&daddr=10.77,106.70&q=$(touch%20x);rm";
  EXPECT_TRUE(opener->open(urlOf(tricky)));
  EXPECT_TRUE(opener->open(urlOf("mailto:hotro@kerbelin.vn")));
  EXPECT_TRUE(opener->open(urlOf("TEL:19001234")));
  EXPECT_EQ(runner->launched, (std::vector<Args>{{"xdg-open", tricky},
                                                 {"xdg-open", "mailto:hotro@kerbelin.vn"},
                                                 {"xdg-open", "TEL:19001234"}}));

  runner->launchSucceeds = false;
  EXPECT_FALSE(opener->open(urlOf("http://x.test")));
}

TEST(DesktopURLOpener, RefusesOtherSchemesWithoutRunningAnything) {
  auto runner = std::make_shared<ScriptedRunner>();
  auto opener = DesktopURLOpener::create(runner);
  for (const char* text : {"file:///etc/passwd", "javascript:alert(1)", "www.kerbelin.vn", "-x:y",
                           "app-settings:", "ssh://host", "data:text/html,hi"}) {
    SCOPED_TRACE(text);
    auto url = URL::fromString(text);
    if (!url) continue;  // not even a URL
    EXPECT_FALSE(opener->canOpen(*url));
    EXPECT_FALSE(opener->open(*url));
    EXPECT_TRUE(DesktopURLOpener::openArguments(*url).empty());
  }
  EXPECT_TRUE(runner->launched.empty());
  EXPECT_TRUE(runner->captured.empty());
}

TEST(DesktopURLOpener, CanOpenAsksXdgMimeOncePerScheme) {
  auto runner = std::make_shared<ScriptedRunner>();
  auto opener = DesktopURLOpener::create(runner);
  EXPECT_TRUE(opener->canOpen(urlOf("comgooglemaps://")));
  EXPECT_TRUE(opener->canOpen(urlOf("COMGOOGLEMAPS://?daddr=1,2")));
  EXPECT_EQ(runner->captured,
            (std::vector<Args>{{"xdg-mime", "query", "default", "x-scheme-handler/comgooglemaps"}}));

  runner->answer = "\n";  // no default application
  EXPECT_FALSE(opener->canOpen(urlOf("geo:10.7,106.7")));
  runner->answer = std::nullopt;  // xdg-mime missing or failing
  EXPECT_FALSE(opener->canOpen(urlOf("sms:123")));
  EXPECT_EQ(runner->captured.size(), 3u);
}

TEST(PosixCommandRunner, PassesArgumentsVerbatimWithoutAShell) {
  PosixCommandRunner runner;
  EXPECT_EQ(runner.capture({"echo", "a  b", "$(echo no)", "; false"}), "a  b $(echo no) ; false\n");
  EXPECT_EQ(runner.capture({"false"}), std::nullopt);
  EXPECT_EQ(runner.capture({"kerbelin-no-such-program"}), std::nullopt);
  EXPECT_FALSE(runner.launch({"kerbelin-no-such-program"}));
  EXPECT_FALSE(runner.launch({}));
}

class RecordingOpener : public test::MainLoopTest {
 protected:
  void TearDown() override {
    UIApplication::shared()->setURLOpener(nullptr);
    MainLoopTest::TearDown();
  }
};

TEST_F(RecordingOpener, RecordsWhatTheApplicationAsksAndAnswersAsConfigured) {
  auto recorder = RecordingURLOpener::create();
  recorder->unhandledSchemes = {"comgooglemaps"};
  UIApplication::shared()->setURLOpener(recorder);

  EXPECT_FALSE(UIApplication::shared()->canOpenURL(urlOf("comgooglemaps://")));
  EXPECT_TRUE(UIApplication::shared()->canOpenURL(urlOf("https://maps.test")));
  std::optional<bool> opened;
  UIApplication::shared()->open(urlOf("https://maps.test/?daddr=1,2"), [&](bool ok) { opened = ok; });
  runUntilIdle();
  EXPECT_EQ(opened, true);
  recorder->openSucceeds = false;
  UIApplication::shared()->open(urlOf("mailto:a@b.vn"), [&](bool ok) { opened = ok; });
  runUntilIdle();
  EXPECT_EQ(opened, false);

  EXPECT_EQ(recorder->queried, (std::vector<URL>{urlOf("comgooglemaps://"), urlOf("https://maps.test")}));
  EXPECT_EQ(recorder->opened,
            (std::vector<URL>{urlOf("https://maps.test/?daddr=1,2"), urlOf("mailto:a@b.vn")}));
}

}  // namespace
}  // namespace ios
