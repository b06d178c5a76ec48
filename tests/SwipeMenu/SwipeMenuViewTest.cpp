#include <SwipeMenu/SwipeMenuView.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <string>
#include <vector>

namespace ios {
namespace {

constexpr CGFloat kWidth = 375;
constexpr CGFloat kTop = 100;
constexpr CGFloat kHeight = 600;

// A page that notes when its view loads.
class Page : public UIViewController {
 public:
  Page(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  void viewDidLoad() override { log_.push_back("load " + name_); }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class Host : public SwipeMenuViewDataSource, public SwipeMenuViewDelegate {
 public:
  std::vector<std::string> log;
  std::vector<std::shared_ptr<UIViewController>> pages;

  void makePages(int count) {
    pages.clear();
    for (int i = 0; i < count; ++i) pages.push_back(std::make_shared<Page>(log, std::to_string(i)));
  }
  std::vector<std::string> changes() const {
    std::vector<std::string> found;
    for (const auto& entry : log)
      if (entry.rfind("will ", 0) == 0 || entry.rfind("did ", 0) == 0) found.push_back(entry);
    return found;
  }

  int numberOfPages(SwipeMenuView&) override { return static_cast<int>(pages.size()); }
  std::string titleForPageAt(SwipeMenuView&, int index) override {
    log.push_back("title " + std::to_string(index));
    return "view " + std::to_string(index);
  }
  std::shared_ptr<UIViewController> viewControllerForPageAt(SwipeMenuView&, int index) override {
    log.push_back("page " + std::to_string(index));
    return pages.at(index);
  }
  void viewWillSetupAt(SwipeMenuView&, int index) override {
    log.push_back("willSetup " + std::to_string(index));
  }
  void viewDidSetupAt(SwipeMenuView&, int index) override {
    log.push_back("didSetup " + std::to_string(index));
  }
  void willChangeIndexFrom(SwipeMenuView&, int from, int to) override {
    log.push_back("will " + std::to_string(from) + ">" + std::to_string(to));
  }
  void didChangeIndexFrom(SwipeMenuView&, int from, int to) override {
    log.push_back("did " + std::to_string(from) + ">" + std::to_string(to));
  }
};

class SwipeMenuTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    menu = SwipeMenuView::create(CGRect(0, kTop, kWidth, kHeight));
    window->addSubview(menu);
    host = std::make_shared<Host>();
    host->makePages(3);
    menu->dataSource = host;
    menu->delegate = host;
  }
  void TearDown() override {
    menu.reset();
    WindowTest::TearDown();
  }

  void reloadWithoutStrip() {
    SwipeMenuViewOptions options;
    options.tabView.height = 0;
    menu->reloadData(options);
    host->log.clear();
  }
  CGFloat offsetX() const { return menu->contentScrollView()->contentOffset().x; }

  std::shared_ptr<SwipeMenuView> menu;
  std::shared_ptr<Host> host;
};

TEST_F(SwipeMenuTest, ReloadLoadsEveryPageInOrderAndOpensOnTheFirst) {
  menu->reloadData();
  EXPECT_EQ(host->log,
            (std::vector<std::string>{"willSetup 0", "title 0", "title 1", "title 2", "page 0", "load 0",
                                      "page 1", "load 1", "page 2", "load 2", "didSetup 0"}));
  EXPECT_EQ(menu->currentIndex(), 0);
  EXPECT_EQ(offsetX(), 0);
  // Pages side by side under a 44-point strip.
  EXPECT_EQ(menu->contentScrollView()->frame(), CGRect(0, 44, kWidth, kHeight - 44));
  EXPECT_EQ(menu->contentScrollView()->contentSize(), CGSize(3 * kWidth, kHeight - 44));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(host->pages[i]->view()->superview(), menu->contentScrollView());
    EXPECT_EQ(host->pages[i]->view()->frame(), CGRect(i * kWidth, 0, kWidth, kHeight - 44));
  }
}

TEST_F(SwipeMenuTest, AStripOfHeightZeroIsHiddenAndTheContentTakesItAll) {
  reloadWithoutStrip();
  EXPECT_TRUE(menu->tabView()->isHidden());
  EXPECT_EQ(menu->contentScrollView()->frame(), CGRect(0, 0, kWidth, kHeight));
}

TEST_F(SwipeMenuTest, AnAnimatedJumpReportsEveryPageItPasses) {
  reloadWithoutStrip();
  menu->jump(2, true);
  EXPECT_TRUE(host->changes().empty());  // nothing until the content moves
  EXPECT_EQ(menu->currentIndex(), 0);
  advance(UIScrollView::scrollAnimationDuration + 0.1);
  EXPECT_EQ(host->changes(), (std::vector<std::string>{"will 0>1", "did 0>1", "will 1>2", "did 1>2"}));
  EXPECT_EQ(menu->currentIndex(), 2);
  EXPECT_EQ(offsetX(), 2 * kWidth);
}

TEST_F(SwipeMenuTest, JumpsToTheCurrentPageOrOutOfRangeDoNothing) {
  reloadWithoutStrip();
  menu->jump(0, true);
  menu->jump(0, false);
  menu->jump(3, false);
  menu->jump(-1, true);
  advance(1);
  EXPECT_TRUE(host->log.empty());
  EXPECT_EQ(menu->currentIndex(), 0);
  EXPECT_EQ(offsetX(), 0);
}

TEST_F(SwipeMenuTest, AHandSwipeAnnouncesOnLiftAndReportsOnceSettled) {
  reloadWithoutStrip();
  TouchGenerator touches(window);
  touches.drag(CGPoint{300, 400}, CGPoint{150, 400}, 0.1, 5);
  EXPECT_EQ(host->changes(), std::vector<std::string>{"will 0>1"});
  EXPECT_EQ(menu->currentIndex(), 0);
  advance(2);
  EXPECT_EQ(host->changes(), (std::vector<std::string>{"will 0>1", "did 0>1"}));
  EXPECT_EQ(menu->currentIndex(), 1);
  EXPECT_EQ(offsetX(), kWidth);

  host->log.clear();
  touches.drag(CGPoint{100, 400}, CGPoint{250, 400}, 0.1, 5);  // and back
  advance(2);
  EXPECT_EQ(host->changes(), (std::vector<std::string>{"will 1>0", "did 1>0"}));
}

TEST_F(SwipeMenuTest, ASwipeThatDoesNotPassTheThresholdComesBack) {
  reloadWithoutStrip();
  TouchGenerator touches(window);
  touches.down(CGPoint{300, 400});
  for (int step = 1; step <= 6; ++step) {
    advance(0.1);
    touches.move(CGPoint{300 - step * 10.0, 400});
  }
  EXPECT_GT(offsetX(), 30);  // the content follows the finger
  advance(0.3);              // rest, then lift: no flick
  touches.up();
  advance(2);
  EXPECT_EQ(offsetX(), 0);
  EXPECT_EQ(menu->currentIndex(), 0);
  EXPECT_TRUE(host->changes().empty());
}

TEST_F(SwipeMenuTest, ASwipeOverAListInAPageStillChangesThePage) {
  reloadWithoutStrip();
  auto list = UIScrollView::create(CGRect(0, 0, kWidth, kHeight));
  list->setContentSize(CGSize{kWidth, 3000});
  host->pages[0]->view()->addSubview(list);
  TouchGenerator touches(window);
  // Up the list with some sideways drift: the list scrolls, the pages stay.
  touches.drag(CGPoint{200, 600}, CGPoint{140, 300}, 0.1, 5, false);
  EXPECT_EQ(offsetX(), 0);
  EXPECT_GT(list->contentOffset().y, 200);
  touches.up();
  advance(3);
  EXPECT_TRUE(host->changes().empty());

  touches.drag(CGPoint{300, 400}, CGPoint{150, 400}, 0.1, 5);
  advance(2);
  EXPECT_EQ(menu->currentIndex(), 1);
}

TEST_F(SwipeMenuTest, ReloadedBeforeItHasASizeItPlacesThePagesOnceLaidOut) {
  menu->setFrame(CGRect::zero);
  menu->reloadData();
  menu->jump(2, true);  // nothing to scroll yet: the page changes at once
  EXPECT_EQ(host->changes(), (std::vector<std::string>{"will 0>2", "did 0>2"}));
  menu->setFrame(CGRect(0, kTop, kWidth, kHeight));
  runUntilIdle();
  EXPECT_EQ(offsetX(), 2 * kWidth);
  EXPECT_EQ(host->pages[2]->view()->frame().minX(), 2 * kWidth);
}

}  // namespace
}  // namespace ios
