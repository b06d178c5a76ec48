// The my-code tab through its table, its strip and the fake transport: the user's QR code counted down
// and renewed on the run loop's clock, the paid cards one a swipe, the detail of the card shown.

#include <sdk/DetailCard/DetailTestSupport.h>

#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>
#include <Class/DetailCard/ViewController/DetailServiceViewController.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationTableViewCell/DetailCardInfomationTableViewCell.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/MyCode/Cell/MyCodeTitleTableViewCell.h>
#include <Class/MyCode/MyCodeViewController.h>
#include <Class/MyCode/Model/MyCodeQRCodeModel.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Constants/Storyboards.h>

#include <gtest/gtest.h>

namespace kerbelin::test {
namespace {

inline const char kListPath[] = "/kerbelin-app/v1/own-card/search/req";
inline const char kDetailPath[] = "/kerbelin-app/own-card/detail/req";

ios::Dictionary ownCard(int n, const std::string& status = "A", int services = 2) {
  ios::Dictionary list = ios::Dictionary::array();
  for (int i = 0; i < services; ++i) list.push_back({{"name", "Dịch vụ " + std::to_string(i + 1)}, {"code", "DV" + std::to_string(i)}});
  return {{"cardNo", "KB" + std::to_string(n)}, {"cardNoDisplay", "KB " + std::to_string(n)},
          {"name", "Thẻ " + std::to_string(n)}, {"status", status},
          {"rootService", {{"expirationDate", "31/12/2026"},
                           {"ownAccountDtos", ios::Dictionary::array({{{"allocatedUnit", "20 lượt"}, {"availableUnit", "12 lượt"}}})}}},
          {"ownServiceDtos", list}};
}

class MyCodeTest : public DetailTest {
 protected:
  void SetUp() override {
    DetailTest::SetUp();
    screen = std::dynamic_pointer_cast<MyCodeViewController>(
        shareInstanceMyCodeStoryboard()->instantiateViewController("MyCodeViewController"));
    showInNavigation(screen);
  }
  void answerQR(const std::string& token, int seconds) {
    answerLast(kQRPath, ios::Dictionary{{"token", token}, {"timeToken", seconds}});
  }
  void answerCards(int count, int first = 1) {
    ios::Dictionary list = ios::Dictionary::array();
    for (int i = 0; i < count; ++i) list.push_back(ownCard(first + i));
    answerLast(kListPath, ios::Dictionary{{"ownCardDtos", list}});
    layout();
  }
  void answerDetail(std::size_t request, const ios::Dictionary& card) {
    answer(request, ios::Dictionary{{"ownCardDto", card}});
    layout();
  }
  void layout() {
    table()->layoutIfNeeded();
    runUntilIdle();
  }
  std::shared_ptr<ios::UITableView> table() const { return screen->tableView.lock(); }
  int rows(int section) const { return table()->numberOfRows(section); }
  template <class Cell>
  std::shared_ptr<Cell> cell(int section, int row = 0) {
    return rowOf<Cell>(*table(), {section, row});
  }
  std::string countdown() { return textOf(cell<MyCodeMyQRTableViewCell>(0)->labelTime); }
  std::string codeShown() { return decodedQR(cell<MyCodeMyQRTableViewCell>(0)->imageQR.lock()->image()); }
  std::string detailAsked(std::size_t nth) { return sentParams(requestsTo(kDetailPath).at(nth))["cardNo"]; }

  std::shared_ptr<MyCodeViewController> screen;
};

TEST_F(MyCodeTest, LoadingShowsTheTokenTheStripAndTheDetailOfTheFirstCard) {
  EXPECT_EQ(sentParams(requestsTo(kQRPath).at(0)), (ios::Dictionary{{"mobilePhone", phoneUser}, {"ownServiceCode", ""}}));
  EXPECT_EQ(sentParams(requestsTo(kListPath).at(0)),
            (ios::Dictionary{{"isPaid", true}, {"keySearch", ""}, {"mobilePhone", phoneUser}, {"pageIndex", 0}, {"pageSize", 10}}));
  answerQR("KB-TOKEN-1", 30);
  auto qr = cell<MyCodeMyQRTableViewCell>(0);
  EXPECT_EQ(decodedQR(qr->imageQR.lock()->image()), "KB-TOKEN-1");
  EXPECT_EQ(textOf(qr->labelName), nameUser);
  EXPECT_EQ(countdown(), "Tự động cập nhật lại sau 30 giây");

  answerCards(3);
  ASSERT_EQ(requestsTo(kDetailPath).size(), 1u);  // the strip reports its card without a swipe
  EXPECT_EQ(sentParams(requestsTo(kDetailPath).at(0)), (ios::Dictionary{{"isPaid", true}, {"cardNo", "KB1"}, {"mobilePhone", phoneUser}}));
  answerDetail(requestsTo(kDetailPath).at(0), ownCard(1));
  EXPECT_EQ(rows(2), 1);  // one block per account of the root service
  EXPECT_EQ(rows(3), 3);  // the title row and two services
  EXPECT_EQ(textOf(cell<DetailCardInfomationTableViewCell>(2)->valueLabel2), "12 lượt");
  EXPECT_EQ(countdown(), "Tự động cập nhật lại sau 30 giây");  // other replies restart nothing
}

TEST_F(MyCodeTest, TheCountdownRenewsAtZeroOneRequestAtATimeAndOnlyOnScreen) {
  answerQR("KB-1", 2);
  advance(2);
  EXPECT_EQ(countdown(), "Tự động cập nhật lại sau 0 giây");
  EXPECT_EQ(requestsTo(kQRPath).size(), 1u);
  advance(1);  // the tick at zero asks
  ASSERT_EQ(requestsTo(kQRPath).size(), 2u);
  advance(3);  // still in flight: no second request
  EXPECT_EQ(requestsTo(kQRPath).size(), 2u);
  answerQR("", 60);  // a token that draws nothing is a failure
  advance(1);
  ASSERT_EQ(requestsTo(kQRPath).size(), 3u);
  failRequest(requestsTo(kQRPath).back());
  advance(1);
  ASSERT_EQ(requestsTo(kQRPath).size(), 4u);
  answerQR("KB-2", 5);
  EXPECT_EQ(countdown(), "Tự động cập nhật lại sau 5 giây");
  EXPECT_EQ(decodedQR(cell<MyCodeMyQRTableViewCell>(0)->imageQR.lock()->image()), "KB-2");

  window->setRootViewController(root);  // another tab: the row leaves the screen
  advance(30);
  EXPECT_EQ(requestsTo(kQRPath).size(), 4u);
  window->setRootViewController(navigation);
  runUntilIdle();
  advance(6);
  EXPECT_EQ(requestsTo(kQRPath).size(), 5u);
}

TEST_F(MyCodeTest, OnlyTheDetailOfTheCardShownLastCountsAndARefreshKeepsTheStripInsideItsList) {
  answerCards(12);
  auto strip = cell<MyCodeListCardTableViewCell>(1);
  EXPECT_EQ(textOf(strip->labelPage), "1/12");
  EXPECT_TRUE(strip->pageController.lock()->isHidden());
  const auto swipe = [&] {
    const auto at = centerOf(*strip->collectionView.lock());
    touches->drag({at.x + 120, at.y}, {at.x - 120, at.y}, 0.2, 8);
    advance(5);  // until the strip comes to rest on the next card
    runUntilIdle();
  };
  swipe();
  swipe();
  EXPECT_EQ(textOf(strip->labelPage), "3/12");
  ASSERT_EQ(requestsTo(kDetailPath).size(), 3u);
  EXPECT_EQ(detailAsked(2), "KB3");
  answerDetail(requestsTo(kDetailPath).at(2), ownCard(3, "A", 1));
  answerDetail(requestsTo(kDetailPath).at(0), ownCard(1, "A", 4));  // late: the strip has moved on
  EXPECT_EQ(rows(3), 2);

  screen->refreshHande();
  answerCards(2, 20);  // shorter than the page shown
  EXPECT_EQ(detailAsked(requestsTo(kDetailPath).size() - 1), "KB21");
  EXPECT_FALSE(strip->pageController.lock()->isHidden());
  EXPECT_EQ(strip->pageController.lock()->currentPage(), 1);
  EXPECT_EQ(strip->layout->currentPage(), 1);  // the next swipe starts from the last card, not past it

  screen->refreshHande();
  answerCards(0);
  EXPECT_EQ(rows(1), 0);
  EXPECT_EQ(rows(2), 0);  // no card left: no detail either
  EXPECT_EQ(rows(3), 0);
}

TEST_F(MyCodeTest, RowTapsOpenTheServiceByTheCardsState) {
  struct Case {
    const char* status;
    int section, row;
    bool container;  // false: the single service-detail screen
  };
  const Case cases[] = {{"A", 2, 0, true}, {"W", 2, 0, false}, {"A", 3, 1, true},
                        {"W", 3, 2, false}, {"E", 3, 1, true}};
  answerCards(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.status) + " " + std::to_string(c.section) + "/" + std::to_string(c.row));
    screen->loadDetailCard(nullptr);
    screen->getDetailMyCard("KB1", phoneUser);
    answerDetail(lastRequestTo(kDetailPath), ownCard(1, c.status));
    cell<ios::UITableViewCell>(c.section, c.row);
    screen->didSelectRowAt(*table(), {c.section, c.row});
    settle();
    EXPECT_EQ(top<DetailServiceContainerViewController>() != nullptr, c.container);
    EXPECT_EQ(top<DetailServiceViewController>() != nullptr, !c.container);
    navigation->popToRootViewController(false);
    runUntilIdle();
  }
  screen->didSelectRowAt(*table(), {3, 0});  // the services' title row opens nothing
  settle();
  EXPECT_EQ(top(), screen);
}

std::string line(int seconds) { return "Tự động cập nhật lại sau " + std::to_string(seconds) + " giây"; }

// Time away from the code counts against its token: on return the line reads what is left, and a
// code whose token ran out meanwhile is asked for again at once, once, never shown with time left.
TEST_F(MyCodeTest, ACodeBackInSightIsCountedToItsTokensDeadline) {
  struct Case {
    const char* token;
    bool byScrolling;  // else by another tab
    double away;
    int secondsLeft;  // what the line reads on return
    bool renewed;
  };
  const Case cases[] = {{"KB-TAB-SHORT", false, 4, 6, false}, {"KB-TAB-LONG", false, 20, 0, true},
                        {"KB-SCROLL-SHORT", true, 4, 6, false}, {"KB-SCROLL-LONG", true, 20, 0, true}};
  answerCards(1);
  answerDetail(lastRequestTo(kDetailPath), ownCard(1, "A", 8));  // enough rows to scroll the code away
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    screen->refreshHande();
    answerQR(c.token, 10);
    auto row = cell<MyCodeMyQRTableViewCell>(0);
    const auto asked = requestsTo(kQRPath).size();
    if (c.byScrolling) {
      rowOf(*table(), {3, 8});
    } else {
      window->setRootViewController(root);
    }
    runUntilIdle();
    ASSERT_EQ(row->window(), nullptr);
    advance(c.away);
    if (!c.byScrolling) window->setRootViewController(navigation);
    layout();
    EXPECT_EQ(countdown(), line(c.secondsLeft));
    EXPECT_EQ(codeShown(), c.token);  // until the next one arrives
    EXPECT_EQ(requestsTo(kQRPath).size(), asked + (c.renewed ? 1 : 0));
    advance(0.5);
    EXPECT_EQ(requestsTo(kQRPath).size(), asked + (c.renewed ? 1 : 0));
    if (!c.renewed) continue;
    answerQR(std::string(c.token) + "-NEXT", 10);
    EXPECT_EQ(codeShown(), std::string(c.token) + "-NEXT");
    EXPECT_EQ(countdown(), line(10));
  }
}

// Whatever lifetime the server gives its tokens, answering each request at once, the row renews on
// the tick: at most one request a second (the first one, then one a tick over 10 s), and never time
// left on a code that has run out, nor a count below 0 on one issued already expired. Each lifetime
// as the first token and as a renewal of a 1 s one.
TEST_F(MyCodeTest, TheRowAsksAtMostOnceASecondWhateverTheTokensLifetime) {
  const Lifetime lifetimes[] = {-5, 0, 1, INT64_MAX, INT64_MIN, std::nullopt};
  for (const auto& lifetime : lifetimes) {
    for (bool renewal : {false, true}) {
      SCOPED_TRACE((lifetime ? std::to_string(*lifetime) : "none") + (renewal ? ", renewal" : ", first"));
      answerTokensAtOnce(renewal ? 1 : lifetime, lifetime);
      const auto before = requestsTo(kQRPath).size();
      screen = std::dynamic_pointer_cast<MyCodeViewController>(
          shareInstanceMyCodeStoryboard()->instantiateViewController("MyCodeViewController"));
      showInNavigation(screen);
      EXPECT_GE(secondsOn(countdown()), 0) << countdown() << " on showing";
      for (int step = 0; step < 20; ++step) {
        advance(0.5);
        EXPECT_GE(secondsOn(countdown()), 0) << countdown() << " at " << now();
        if (secondsOn(countdown()) <= 0) continue;
        EXPECT_FALSE(ranOut(codeShown(), 0)) << countdown() << " at " << now();
      }
      EXPECT_LE(requestsTo(kQRPath).size() - before, 11u);
    }
  }
}

TEST_F(MyCodeTest, ADetailStillOnItsWayWhenTheListEmptiesFillsNothing) {
  answerCards(1);
  const auto late = lastRequestTo(kDetailPath);
  screen->refreshHande();
  answerCards(0);
  answerDetail(late, ownCard(1));
  EXPECT_EQ(rows(2), 0);
  EXPECT_EQ(rows(3), 0);
  EXPECT_FALSE(findLabel(*table(), "Dịch vụ của thẻ"));
}

// Whether the title of `row` lies whole inside its panel, at its own height.
::testing::AssertionResult titleReadsInFull(const ios::UIView& row) {
  auto title = findLabel(row, "Dịch vụ của thẻ");
  if (!title) return ::testing::AssertionFailure() << "no title";
  const auto frame = title->frame();
  const auto panel = title->superview()->bounds();
  if (frame.minY() < panel.minY() || frame.maxY() > panel.maxY() || frame.height() < title->intrinsicContentSize().height)
    return ::testing::AssertionFailure() << "title at " << frame.minY() << "+" << frame.height() << " in a panel of "
                                         << panel.height();
  return ::testing::AssertionSuccess();
}

// The services' title sizes its own row on the tab and reads as well in the card detail's header.
TEST_F(MyCodeTest, TheServicesTitleReadsInFullOnTheTabAndAsTheDetailsHeader) {
  answerCards(1);
  auto card = ownCard(1, "A", 2);
  for (auto& service : card["ownServiceDtos"]) {
    service["namDefService"] = "Tập Gym " + service["name"].get<std::string>();
    service["expirationDate"] = "30/06/2026";
    service["status"] = "A";
    service["ownAccountDtos"] = ios::Dictionary::array({{{"allocatedUnit", "8 lượt"}, {"availableUnit", "5 lượt"}}});
  }
  answerDetail(lastRequestTo(kDetailPath), card);
  auto row = cell<MyCodeTitleTableViewCell>(3, 0);
  ASSERT_TRUE(row);
  EXPECT_TRUE(titleReadsInFull(*row));
  auto header = fromNib<MyCodeTitleTableViewCell>();
  header->setFrame({0, 0, 375, DetailCardViewController::sectionHeaderHeight});
  header->layoutIfNeeded();
  EXPECT_TRUE(titleReadsInFull(*header));
  rowOf(*table(), {2, 0});
  EXPECT_TRUE(looksAsRecorded("my-code-services"));
}

}  // namespace
}  // namespace kerbelin::test
