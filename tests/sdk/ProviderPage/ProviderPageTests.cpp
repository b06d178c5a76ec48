// A provider's page: the provider request, its header, its three tabs, the header that folds as any
// tab's list scrolls or the page is dragged, and the introduction's links.

#include "ProviderPageSupport.h"

#include <Class/MyCode/Cell/MyCodeIntroductTableViewCell.h>
#include <Class/MyCode/Model/ProvideInforModel.h>
#include <Foundation/Console.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Screen.h>

#include <gtest/gtest.h>

#include <sstream>

namespace kerbelin::test {
namespace {

TEST_F(ProviderPageTest, TheProviderReplyBuildsTheHeaderAndThreeTabsForThatProvider) {
  open("12");
  EXPECT_EQ(sentParams(requestsTo(kProviderPath).at(0)), (ios::Dictionary{{"providerCode", ""}, {"providerId", "12"}}));
  EXPECT_TRUE(page->viewTop.lock()->isHidden());
  answerProvider({"Mộc Lan", "Chi nhánh phụ"});

  EXPECT_FALSE(page->viewTop.lock()->isHidden());
  EXPECT_EQ(page->labelTitleHeader.lock()->text(), "Mộc Lan");
  EXPECT_EQ(page->viewIntroduct->tableView.lock()->numberOfRows(0), 2);
  EXPECT_EQ(page->swipMenu.lock()->numberOfPages(), 3);
  EXPECT_EQ(overlays(), 0);
  // The branches tab and the embedded store load this provider's data themselves.
  EXPECT_EQ(branchParams(0), (ios::Dictionary{{"areaCode", ""}, {"areaType", ""}, {"pageIndex", 0}, {"providerId", "12"},
                                             {"rowCount", 5}, {"containProvider", false}}));
  answerCategories(categoryRequests().back(), ios::Dictionary::array({category(7, 1, "Làm đẹp")}));
  EXPECT_EQ(sentParams(lastCardRequest())["providerId"], "12");
  EXPECT_TRUE(page->viewBuyCard->viewHeader.lock()->isHidden());
}

TEST_F(ProviderPageTest, WithoutAProviderOrAUsableReplyThePageStaysEmptyAndBackStillWorks) {
  enum class Outcome { none, resultCodeOne, failure };
  const std::pair<std::optional<std::string>, Outcome> cases[] = {
      {std::nullopt, Outcome::none}, {"12", Outcome::resultCodeOne}, {"12", Outcome::failure}};
  for (const auto& [providerId, outcome] : cases) {
    SCOPED_TRACE(static_cast<int>(outcome));
    open(providerId);
    if (outcome == Outcome::resultCodeOne) answerProvider({"Mộc Lan"}, 1);
    if (outcome == Outcome::failure) failRequest(requestsTo(kProviderPath).back());
    settle();
    EXPECT_TRUE(page->viewTop.lock()->isHidden());
    EXPECT_EQ(page->swipMenu.lock()->numberOfPages(), 0);
    EXPECT_EQ(overlays(), 0);
    page->didPressedBack();
    settle();
    EXPECT_EQ(navigation->topViewController(), screen);
  }
  EXPECT_EQ(requestsTo(kProviderPath).size(), 2u);
}

TEST_F(ProviderPageTest, ScrollReportsFoldTheHeaderWithinItsLimitsAndHoldTheListsWhileItMoves) {
  open();
  answerProvider({"Mộc Lan"});
  const ios::CGFloat limit = page->collapseLimit();
  EXPECT_DOUBLE_EQ(limit, -(SCREEN_WIDTH() / 65 * 30 + 36 - Common::getTopPadding()));
  struct Step {
    ios::CGFloat from, hieu, to;
    bool holds;
  };
  const Step steps[] = {
      {0, 30, -30, true},               // shown: scrolling towards the end folds it
      {0, -30, 0, false},               // shown: scrolling back lets the list move
      {limit + 9, 30, limit, true},     // folds no further than the limit
      {limit, 5, limit, false},         // folded: the list scrolls
      {limit, -5, limit + 5, true},     // folded: scrolling back unfolds it
      {-50, -80, 0, true},              // unfolds no further than fully shown
  };
  for (const auto& step : steps) {
    page->topViewTop.lock()->setConstant(step.from);
    page->scrollTableView(step.hieu);
    EXPECT_DOUBLE_EQ(topOffset(), step.to) << step.from << " by " << step.hieu;
    if (step.holds) {
      EXPECT_DOUBLE_EQ(page->viewHeader.lock()->alpha(), step.to / limit);
    }
    for (bool flag : {page->viewIntroduct->isUpdateContentOfset, page->viewBranch->isUpdateContentOfset,
                      page->viewBuyCard->isUpdateContentOfset})
      EXPECT_EQ(flag, step.holds) << step.from << " by " << step.hieu;
  }
}

TEST_F(ProviderPageTest, DraggingAListFoldsTheHeaderFirstThenTheListScrolls) {
  open();
  answerProvider({"Mộc Lan", "Hai", "Ba", "Bốn"});
  auto list = page->viewIntroduct->tableView.lock();
  const ios::CGPoint middle = centerOf(*list);
  touches->drag(middle, {middle.x, middle.y - 120}, 0.5, 12, false);
  EXPECT_LT(topOffset(), 0);
  EXPECT_DOUBLE_EQ(list->contentOffset().y, 0);  // held while the header moved
  touches->up();
  settle();
  touches->drag(middle, {middle.x, middle.y - 400}, 0.5, 12);
  settle();
  EXPECT_DOUBLE_EQ(topOffset(), page->collapseLimit());
  EXPECT_GT(list->contentOffset().y, 0);  // folded: now the list scrolls
}

TEST_F(ProviderPageTest, DraggingThePageItselfMovesTheHeaderWithinItsLimits) {
  open();
  answerProvider({"Mộc Lan"});
  struct Drag {
    ios::CGFloat from, by, to;
  };
  for (const Drag& drag : {Drag{-100, 50, -50}, Drag{0, -200, page->collapseLimit()}, Drag{-20, 60, 0}}) {
    page->topViewTop.lock()->setConstant(drag.from);
    page->view()->layoutIfNeeded();
    // Low on the top view, right of the logo: below the compact header, outside every list.
    const ios::CGRect top = page->viewTop.lock()->convert(page->viewTop.lock()->bounds(), window.get());
    const ios::CGPoint start = {top.maxX() - 40, top.maxY() - 20};
    touches->drag(start, {start.x, start.y + drag.by}, 0.4, 8);
    settle();
    EXPECT_NEAR(topOffset(), drag.to, 1) << drag.from << " by " << drag.by;
  }
}

// The console lines of the fold, one number each: printed as read back with `std::stod`.
std::vector<double> printedNumbers(const ios::ConsoleCapture& console) {
  std::vector<double> numbers;
  std::istringstream lines(console.output());
  for (std::string line; std::getline(lines, line);) numbers.push_back(std::stod(line));
  return numbers;
}

TEST_F(ProviderPageTest, TheConsoleTracesTheHeadersFadeAndWhereEachPageDragStarts) {
  open();
  answerProvider({"Mộc Lan", "Hai", "Ba", "Bốn"});
  const ios::CGFloat limit = page->collapseLimit();
  struct Report {
    ios::CGFloat from, hieu;
    std::vector<double> printed;  // the fade, unclamped; nothing when the header stays
  };
  const Report reports[] = {
      {0, 30, {-30 / limit}},
      {0, -30, {}},
      {limit + 9, 30, {(limit - 21) / limit}},  // past folded: above 1
      {limit, 5, {}},
      {limit, -5, {(limit + 5) / limit}},
  };
  for (const auto& report : reports) {
    page->topViewTop.lock()->setConstant(report.from);
    ios::ConsoleCapture console;
    page->scrollTableView(report.hieu);
    EXPECT_EQ(printedNumbers(console), report.printed) << report.from << " by " << report.hieu;
  }

  // The page dragged outside the lists: only where the drag started.
  page->topViewTop.lock()->setConstant(-100);
  page->view()->layoutIfNeeded();
  const ios::CGRect top = page->viewTop.lock()->convert(page->viewTop.lock()->bounds(), window.get());
  ios::ConsoleCapture pageDrag;
  touches->drag({top.maxX() - 40, top.maxY() - 20}, {top.maxX() - 40, top.maxY() + 20}, 0.4, 8);
  settle();
  EXPECT_EQ(pageDrag.output(), "-100.0\n");

  // A list dragged by the finger: each step that moves the header prints its fade.
  page->topViewTop.lock()->setConstant(0);
  page->view()->layoutIfNeeded();
  auto list = page->viewIntroduct->tableView.lock();
  const ios::CGPoint middle = centerOf(*list);
  ios::ConsoleCapture listDrag;
  touches->drag(middle, {middle.x, middle.y - 60}, 0.5, 12, false);
  touches->up();  // held still first: no fling goes on moving the header
  settle();
  const auto fades = printedNumbers(listDrag);
  ASSERT_FALSE(fades.empty());
  EXPECT_DOUBLE_EQ(fades.back(), page->viewHeader.lock()->alpha());
}

TEST_F(ProviderPageTest, TabTapsMoveTheMarkerAndOnlyTheOuterTabsGuardTheirJump) {
  open();
  answerProvider({"Mộc Lan"});
  auto menu = page->swipMenu.lock();
  const ios::CGFloat width = page->viewAction.lock()->frame().size.width;
  auto marker = [&] { return page->leftViewActive.lock()->constant(); };

  tap(*page->labelPrepaidCard.lock());
  EXPECT_DOUBLE_EQ(marker(), width * 2 / 3);
  page->choiceViewBottom(1);  // a page the jump passes
  EXPECT_DOUBLE_EQ(marker(), width * 2 / 3);
  advance(1.1);
  page->choiceViewBottom(0);  // a swipe after the guard
  EXPECT_DOUBLE_EQ(marker(), 0);
  EXPECT_EQ(page->labelIntroduce.lock()->textColor(), ios::UIColor::white());

  touches->tap(centerOf(*page->labelBranch.lock()));
  settle();
  EXPECT_EQ(menu->currentIndex(), 1);
  page->choiceViewBottom(0);  // no guard after the middle tab
  EXPECT_DOUBLE_EQ(marker(), 0);
}

TEST_F(ProviderPageTest, ContactLinksOpenOnlyWhatTheirTextsMake) {
  struct Case {
    std::string email, website, facebook;
    std::vector<std::string> opened;  // mail, website, social, in tap order
  };
  const Case cases[] = {
      {"lienhe@moclan.vn", "https://moclan.vn", "facebook.com/moclan",
       {"mailto:lienhe@moclan.vn", "https://moclan.vn", "http://facebook.com/moclan"}},
      {"a\"b c@x.vn", "", "https://fb.com/x", {"mailto:a%22b%20c@x.vn", "https://fb.com/x"}},
      {"", "moclan.vn", "HTTPS://FB.COM/X", {"mailto:", "moclan.vn", "http://HTTPS://FB.COM/X"}},
  };
  for (const auto& c : cases) {
    auto cell = MyCodeIntroductTableViewCell::create();
    auto record = ProvideInforModel::create();
    record->email = c.email;
    record->website = c.website;
    record->facebook = c.facebook;
    cell->GetDataInfor(record);
    opener->opened.clear();
    cell->pressedEmail();
    cell->pressedWebsite();
    cell->pressedFacebook();
    std::vector<std::string> opened;
    for (const auto& url : opener->opened) opened.push_back(url.absoluteString());
    EXPECT_EQ(opened, c.opened) << c.email;
  }
}

}  // namespace
}  // namespace kerbelin::test
