#include <ScriptRunner.h>
#include <ViewFinder.h>

#include <FloatingPanel/FloatingPanelController.h>
#include <Foundation/RunLoop.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIImage.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIRefreshControl.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UITabBarController.h>
#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

namespace kerbelin::sim {
namespace {

using ios::CGRect;

// A phone-sized window with a few plain views: two buttons, a label, a hidden label, a label scrolled
// out of a clipping scroll view.
class ScriptRunnerTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    window = ios::UIWindow::create(CGRect(0, 0, 375, 812));
    window->makeKeyAndVisible();
    buy = button("Mua thẻ", CGRect(20, 100, 150, 44), buyTaps);
    buy->accessibilityIdentifier = "buttonBuy";
    other = button("Khác", CGRect(200, 100, 150, 44), otherTaps);
    title = ios::UILabel::create(CGRect(20, 40, 300, 30));
    title->setText("Cửa hàng thẻ dịch vụ");
    window->addSubview(title);
    hidden = ios::UILabel::create(CGRect(20, 160, 200, 30));
    hidden->setText("Ẩn");
    hidden->setHidden(true);
    window->addSubview(hidden);
    scroll = ios::UIScrollView::create(CGRect(0, 300, 375, 400));
    scroll->setContentSize({375, 4000});
    scroll->setClipsToBounds(true);
    window->addSubview(scroll);
    far = ios::UILabel::create(CGRect(20, 1000, 200, 30));
    far->setText("Xa tít");
    scroll->addSubview(far);
    outDir = std::filesystem::temp_directory_path() /
             ("kerbelin-sim-test-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(outDir);
  }
  void TearDown() override {
    std::filesystem::remove_all(outDir);
    window.reset();
    MainLoopTest::TearDown();
  }

  std::shared_ptr<ios::UIButton> button(const std::string& text, const CGRect& frame, int& counter) {
    auto made = ios::UIButton::create(frame);
    made->setTitle(text, ios::UIControl::normal);
    made->addAction([&counter](ios::UIControl&) { ++counter; }, ios::UIControl::touchUpInside);
    window->addSubview(made);
    return made;
  }

  ScriptResult run(const std::string& script) {
    runner = std::make_unique<ScriptRunner>(window, ScriptRunner::Options{outDir, 10});
    return runner->runText(script);
  }

  std::shared_ptr<ios::UIWindow> window;
  std::shared_ptr<ios::UIButton> buy, other;
  std::shared_ptr<ios::UILabel> title, hidden, far;
  std::shared_ptr<ios::UIScrollView> scroll;
  int buyTaps = 0, otherTaps = 0;
  std::filesystem::path outDir;
  std::unique_ptr<ScriptRunner> runner;
};

TEST_F(ScriptRunnerTest, TapsByTextIdentifierAndPointThroughHitTesting) {
  auto result = run("tap \"Mua thẻ\"\ntap \"Khác\"\ntap #buttonBuy\ntap 270 120\ntap 5 5\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(buyTaps, 2);
  EXPECT_EQ(otherTaps, 2);

  // A view covering the button takes the touch, as it would take a finger.
  auto cover = ios::UIView::create(CGRect(0, 90, 375, 70));
  window->addSubview(cover);
  result = run("tap \"Mua thẻ\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(buyTaps, 2);
}

TEST_F(ScriptRunnerTest, TapByTextPicksTheFrontMostMatchAndNeedsTheWholeText) {
  int frontTaps = 0;
  auto front = button("Mua thẻ", CGRect(20, 200, 150, 44), frontTaps);
  auto result = run("tap \"Mua thẻ\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(frontTaps, 1);
  EXPECT_EQ(buyTaps, 0);

  result = run("tap \"Mua\"\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.line, 1);
  EXPECT_NE(result.reason.find("\"Mua\""), std::string::npos) << result.reason;
}

TEST_F(ScriptRunnerTest, HiddenTransparentAndClippedViewsAreNotSeen) {
  buy->setAlpha(0);
  auto result =
      run("expect \"Cửa hàng\"\nexpect-not \"Ẩn\"\nexpect-not \"Xa tít\"\nexpect-not \"Mua thẻ\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  result = run("tap \"Ẩn\"\n");
  EXPECT_EQ(result.exitCode, 1);
  result = run("tap #buttonBuy\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.reason.find("#buttonBuy"), std::string::npos);

  // Scrolled into view, the far label shows; a view inside a hidden parent never does.
  scroll->setContentOffset({0, 800});
  auto box = ios::UIView::create(CGRect(0, 0, 100, 100));
  auto inner = ios::UILabel::create(CGRect(0, 0, 100, 30));
  inner->setText("Trong hộp");
  box->addSubview(inner);
  box->setHidden(true);
  window->addSubview(box);
  result = run("expect \"Xa tít\"\nexpect-not \"Trong hộp\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
}

TEST_F(ScriptRunnerTest, ExpectFailuresGiveTheLineAndStopTheScript) {
  const auto result = run("expect \"Mua thẻ\"\nidle\nexpect \"Không có\"\nshot never\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.line, 3);
  EXPECT_NE(result.message().find("line 3: expected \"Không có\""), std::string::npos) << result.message();
  EXPECT_FALSE(std::filesystem::exists(outDir / "never.png"));

  const auto shown = run("expect-not \"Khác\"\n");
  EXPECT_EQ(shown.exitCode, 1);
  EXPECT_EQ(shown.line, 1);
}

TEST_F(ScriptRunnerTest, AScriptThatDoesNotParseRunsNothingAndExitsWithTwo) {
  const auto result = run("tap \"Mua thẻ\"\nfly away\n");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.line, 2);
  EXPECT_EQ(buyTaps, 0);
}

TEST_F(ScriptRunnerTest, ShotWritesTheWholeWindowAtScreenScale) {
  window->setBackgroundColor(ios::UIColor::create(1, 0, 0, 1));
  const auto result = run("shot first\nshot second\nshot first\n");
  ASSERT_EQ(result.exitCode, 0) << result.message();
  auto image = ios::UIImage::contentsOfFile((outDir / "first.png").string());
  ASSERT_TRUE(image && image->cgImage());
  EXPECT_EQ(image->cgImage()->width(), 750);
  EXPECT_EQ(image->cgImage()->height(), 1624);
  const std::uint32_t corner = image->cgImage()->pixel(2, 1600);  // the red background
  EXPECT_EQ((corner >> 16) & 0xFF, 0xFFu);
  EXPECT_LT((corner >> 8) & 0xFF, 0x10u);
  // Taken again, a name moves to the end of the list instead of appearing twice.
  EXPECT_EQ(runner->shots(), (std::vector<std::string>{"second", "first"}));
}

TEST_F(ScriptRunnerTest, WaitMovesTheVirtualClockAndIdleLetsAnimationsFinish) {
  int fired = 0;
  loop().performAfter(1.0, [&] { ++fired; });
  auto result = run("wait 0.5\n");
  EXPECT_EQ(fired, 0);
  result = run("wait 0.5\n");
  EXPECT_EQ(fired, 1);

  bool finished = false;
  ios::UIView::animate(
      0.4, [&] { title->setAlpha(0.2); }, [&](bool done) { finished = done; });
  const double before = now();
  result = run("idle\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_TRUE(finished);
  EXPECT_GE(now() - before, 0.4 - 1e-9);
  EXPECT_FALSE(title->layer()->hasAnimations());

  // A timer due later than now does not hold `idle` up.
  int later = 0;
  loop().performAfter(30, [&] { ++later; });
  const double start = now();
  result = run("idle\n");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(later, 0);
  EXPECT_DOUBLE_EQ(now(), start);
}

TEST_F(ScriptRunnerTest, IdleWaitsForOutsideWorkAndGivesUpAfterItsTimeout) {
  int delivered = 0;
  loop().beginExternalWork();
  std::thread transfer([&] {
    loop().perform([&] { ++delivered; });
    loop().endExternalWork();
  });
  auto result = run("idle\n");
  transfer.join();
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(delivered, 1);

  loop().beginExternalWork();
  ScriptRunner impatient(window, {outDir, 0});
  result = impatient.runText("idle\n");
  loop().endExternalWork();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.reason.find("request"), std::string::npos) << result.reason;
}

TEST_F(ScriptRunnerTest, DragScrollsAndAQuickFlickCoasts) {
  // The content follows the finger; lifted at a slow speed it barely coasts.
  auto result = run("drag 100 650 100 450 3\nidle\n");
  ASSERT_EQ(result.exitCode, 0) << result.message();
  const double slow = scroll->contentOffset().y;
  EXPECT_GT(slow, 190);
  EXPECT_LT(slow, 300);

  scroll->setContentOffset({0, 0});
  result = run("drag 100 650 100 450 0.05\nidle\n");
  ASSERT_EQ(result.exitCode, 0) << result.message();
  EXPECT_GT(scroll->contentOffset().y, slow + 100);  // it went on after the finger lifted
  EXPECT_FALSE(scroll->isDecelerating());
}

TEST_F(ScriptRunnerTest, IdleWaitsForAnimatedScrollsAsForDecelerations) {
  scroll->setContentOffset({0, 600}, true);
  auto result = run("idle\n");
  ASSERT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(scroll->contentOffset().y, 600);
  EXPECT_FALSE(scroll->isScrollAnimating());

  // A slow pull past the top refreshes; the answer comes at once and the control ends refreshing
  // while the list is still out of place, so the content animates home. `idle` covers that too, and
  // a tap after it reaches the content instead of only stopping the list.
  scroll->setContentOffset({0, 0});
  auto control = ios::UIRefreshControl::create();
  scroll->setRefreshControl(control);
  int refreshes = 0;
  control->addAction(
      [&](ios::UIControl&) {
        ++refreshes;
        loop().perform([control] { control->endRefreshing(); });
      },
      ios::UIControl::valueChanged);
  int inside = 0;
  auto row = button("Hàng đầu", CGRect(20, 20, 200, 44), inside);
  scroll->addSubview(row);
  result = run("drag 187 350 187 690 1\nidle\ntap \"Hàng đầu\"\n");
  ASSERT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(refreshes, 1);
  EXPECT_FALSE(control->isRefreshing());
  EXPECT_EQ(scroll->contentOffset().y, 0);
  EXPECT_FALSE(scroll->isScrollAnimating());
  EXPECT_EQ(inside, 1);
}

class ScreenOf : public ios::UIViewController {
 public:
  explicit ScreenOf(std::string text) : text_(std::move(text)) {}
  void viewDidLoad() override {
    auto label = ios::UILabel::create(CGRect(20, 200, 300, 30));
    label->setText(text_);
    view()->addSubview(label);
  }

 private:
  std::string text_;
};

TEST_F(ScriptRunnerTest, BackPopsTheFrontNavigationStack) {
  auto nav = ios::UINavigationController::create(std::make_shared<ScreenOf>("Màn gốc"));
  window->setRootViewController(nav);
  nav->pushViewController(std::make_shared<ScreenOf>("Chi tiết thẻ"), false);
  auto result = run("expect \"Chi tiết thẻ\"\nback\nidle\nexpect \"Màn gốc\"\nexpect-not \"Chi tiết thẻ\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(nav->viewControllers().size(), 1u);

  result = run("back\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.reason.find("go back"), std::string::npos);
}

// A bottom sheet slides in and out on timers, frame by frame: `idle` waits until it has arrived or
// left, so the next command needs no `wait`.
TEST_F(ScriptRunnerTest, IdleWaitsOutASheetSlidingInAndOut) {
  auto host = std::make_shared<ScreenOf>("Màn gốc");
  window->setRootViewController(host);
  auto sheet = ios::FloatingPanelController::create();
  sheet->set(std::make_shared<ScreenOf>("Trong bảng"));
  struct Step {
    const char* name;
    std::function<void()> slide;
    bool shown;
  };
  const std::vector<Step> steps = {
      {"in", [&] { sheet->addPanel(host, nullptr, true); }, true},
      {"out", [&] { sheet->removePanelFromParent(true); }, false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    const double start = now();
    step.slide();
    const auto result = run("idle\n");
    ASSERT_EQ(result.exitCode, 0) << result.message();
    EXPECT_FALSE(sheet->isAnimating());
    EXPECT_GE(now() - start, ios::FloatingPanelController::animationDuration - 1e-6);
    EXPECT_EQ(sheet->parent() != nullptr, step.shown);
    EXPECT_EQ(run("expect \"Trong bảng\"\n").exitCode, step.shown ? 0 : 1);
  }
}

TEST_F(ScriptRunnerTest, OpenAsksTheHostOverTheFrontScreen) {
  auto front = std::make_shared<ScreenOf>("Màn gốc");
  window->setRootViewController(ios::UINavigationController::create(front));
  EXPECT_NE(run("idle\nopen owned-card \"KB01\"\n").reason.find("opens no screen"), std::string::npos);
  std::vector<std::string> asked;
  runner = std::make_unique<ScriptRunner>(window, ScriptRunner::Options{outDir, 10});
  runner->openScreen = [&](const std::string& screen, const std::string& argument,
                           const std::shared_ptr<ios::UIViewController>& on, std::string& reason) {
    asked.push_back(screen + " " + argument + (on == front ? " on the front screen" : ""));
    reason = "refused";
    return screen == "owned-card";
  };
  EXPECT_EQ(runner->runText("open owned-card \"KB01\"\n").exitCode, 0);
  EXPECT_EQ(runner->runText("open other \"x\"\n").reason, "refused");
  EXPECT_EQ(asked,
            (std::vector<std::string>{"owned-card KB01 on the front screen", "other x on the front screen"}));
}

TEST_F(ScriptRunnerTest, TabSelectsByNumberFromOneAndTabTitlesCountAsText) {
  auto result = run("idle\ntab 1\n");
  EXPECT_EQ(result.exitCode, 1) << "no tab shell yet";
  EXPECT_EQ(result.line, 2);

  auto tabs = ios::UITabBarController::create();
  auto first = std::make_shared<ScreenOf>("Trang một");
  auto second = std::make_shared<ScreenOf>("Trang hai");
  auto third = std::make_shared<ScreenOf>("Trang ba");
  first->setTabBarItem(ios::UITabBarItem::create("Mua thẻ", nullptr, 0));
  second->setTabBarItem(ios::UITabBarItem::create("Thẻ của tôi", nullptr, 1));
  third->setTabBarItem(ios::UITabBarItem::create("Mã QR", nullptr, 2));
  tabs->setViewControllers({first, second, third});
  window->setRootViewController(tabs);
  result =
      run("tab 2\nidle\nexpect \"Trang hai\"\nexpect-not \"Trang một\"\ntap \"Mã QR\"\nidle\nexpect \"Trang "
          "ba\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(tabs->selectedIndex(), 2u);

  // With the bar hidden the tab is still reached.
  tabs->tabBar()->setHidden(true);
  result = run("tab 1\nidle\nexpect \"Trang một\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.message();
  EXPECT_EQ(tabs->selectedIndex(), 0u);

  result = run("tab 4\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.reason.find("there are 3"), std::string::npos) << result.reason;
}

}  // namespace
}  // namespace kerbelin::sim
