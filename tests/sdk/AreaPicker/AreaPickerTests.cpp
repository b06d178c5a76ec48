// The picker sheet as its callers use it: presented over a screen, it slides up with the current
// entry checked, and a tap on a row reaches the caller only once the sheet has slid down.

#include <Class/MyCode/Cell/AddressItemTableViewCell.h>
#include <Class/MyCode/ChoiceAddressViewController.h>
#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>
#include <Class/MyCode/Model/AreaModel.h>
#include <Ultilities/Constants/Storyboards.h>
#include <support/ScreenTest.h>

#include <gtest/gtest.h>

namespace kerbelin::test {
namespace {

using ios::FloatingPanelPosition;

struct Pick {
  std::shared_ptr<AreaModel> obj;
  int index;
};

class Caller : public ios::UIViewController, public ContainerFloatingChoiceAddressViewControllerDelegate {
 public:
  void ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int index) override {
    // The sheet is still presented when the pick arrives: it closes right after.
    stillPresented.push_back(presentedViewController() != nullptr);
    picks.push_back({std::move(obj), index});
  }
  std::vector<Pick> picks;
  std::vector<bool> stillPresented;
};

const std::vector<std::string> kPeriods = {"5 giao dịch gần nhất", "10 giao dịch gần nhất", "Trong tuần này",
                                           "Trong tháng này", "Chọn ngày"};

class AreaPicker : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    caller = std::make_shared<Caller>();
    window->setRootViewController(caller);
    runUntilIdle();
  }

  // Opens the sheet as the callers do and lets it slide up.
  void open(std::optional<std::vector<std::string>> titles, int checked, bool withDelegate = true) {
    host = std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(
        shareInstanceMyCodeStoryboard()->instantiateViewController("ContainerFloatingChoiceAddressViewController"));
    ASSERT_NE(host, nullptr);
    host->arrayArea = areas;
    host->arrayText = std::move(titles);
    host->indexChoiced = checked;
    if (withDelegate) host->delegate = caller;
    host->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
    caller->present(host, false, [] {});
    settle();
  }

  std::shared_ptr<ChoiceAddressViewController> list() const {
    return std::dynamic_pointer_cast<ChoiceAddressViewController>(host->fpc->contentViewController());
  }
  std::shared_ptr<ios::UITableView> table() const { return list()->tableView.lock(); }
  std::shared_ptr<AddressItemTableViewCell> row(int index) const {
    table()->layoutIfNeeded();
    return std::dynamic_pointer_cast<AddressItemTableViewCell>(table()->cellForRow({0, index}));
  }
  std::vector<int> checkedRows() const {
    std::vector<int> found;
    for (int i = 0; i < table()->numberOfRows(0); ++i) {
      auto cell = row(i);
      if (cell && !cell->imageIconCheck.lock()->isHidden()) found.push_back(i);
    }
    return found;
  }
  // Taps row `index` without running what the tap posts.
  void tapRow(int index) { touches->tap(centerOf(*row(index))); }
  bool isOpen() const { return caller->presentedViewController() == host; }

  std::shared_ptr<Caller> caller;
  std::shared_ptr<ContainerFloatingChoiceAddressViewController> host;
  std::vector<std::shared_ptr<AreaModel>> areas;
};

TEST_F(AreaPicker, SlidesUpWithTheCurrentTitleCheckedAndReportsAPickAfterSlidingDown) {
  open(kPeriods, 4);
  EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::full);
  ASSERT_EQ(table()->numberOfRows(0), 5);
  EXPECT_EQ(row(4)->labelName.lock()->text(), "Chọn ngày");
  EXPECT_EQ(checkedRows(), std::vector<int>{4});

  tapRow(2);
  runUntilIdle();
  EXPECT_TRUE(caller->picks.empty()) << "reported before the sheet slid down";
  EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::tip);
  settle();
  ASSERT_EQ(caller->picks.size(), 1u);
  EXPECT_EQ(caller->picks[0].obj, nullptr);
  EXPECT_EQ(caller->picks[0].index, 2);
  EXPECT_EQ(caller->stillPresented, std::vector<bool>{true});
  EXPECT_FALSE(isOpen());
}

TEST_F(AreaPicker, ChecksOnlyARowThatExistsAndBringsALaterOneToTheTop) {
  std::vector<std::string> many;
  for (int i = 0; i < 20; ++i) many.push_back("Phường " + std::to_string(i + 1));
  const struct {
    int checked;
    std::vector<int> marked;
    bool scrolled;
  } cases[] = {{-1, {}, false}, {0, {0}, false}, {5, {5}, true}, {20, {}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.checked);
    open(many, c.checked);
    if (c.scrolled) {
      const auto first = table()->indexPathsForVisibleRows().front();
      EXPECT_EQ(first.row, c.checked);
    } else {
      EXPECT_EQ(table()->contentOffset().y, 0);
    }
    const auto visible = checkedRows();
    EXPECT_EQ(visible, c.marked);
    host->handleBackdrop();
    settle();
  }
}

// A pick of an area reaches its caller as the branch filters' tests show; a list of titles wins over
// areas, even an empty one.
TEST_F(AreaPicker, TitlesWinOverAreasEvenWhenEmpty) {
  areas = {AreaModel::create(), AreaModel::create()};
  open(std::vector<std::string>{}, 0);
  EXPECT_EQ(table()->numberOfRows(0), 0);
}

TEST_F(AreaPicker, ClosesWithoutAReportByTheBackdropOrASwipeDown) {
  open(kPeriods, 0);
  touches->tap({187, 200});  // above the sheet
  runUntilIdle();
  EXPECT_TRUE(isOpen()) << "closes only once slid down";
  settle();
  EXPECT_FALSE(isOpen());

  open(kPeriods, 0);
  const auto top = host->fpc->surfaceView()->frame().minY();
  touches->drag({187, top + 20}, {187, top + 300}, 0.1);
  settle();
  EXPECT_FALSE(isOpen());
  EXPECT_TRUE(caller->picks.empty());
}

TEST_F(AreaPicker, WithoutADelegateARowTapLeavesTheSheetOpen) {
  open(kPeriods, 1, false);
  tapRow(3);
  settle();
  EXPECT_TRUE(isOpen());
  EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::full);
}

}  // namespace
}  // namespace kerbelin::test
