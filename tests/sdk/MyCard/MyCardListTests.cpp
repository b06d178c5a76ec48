// My cards as the user pages, pulls and taps through it: what is asked for, which reply counts, and
// what stays on screen when a request goes wrong.

#include "MyCardTestSupport.h"

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/MyCard/CustomCell/MyCardOtherServiceTableViewCell.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <Foundation/NotificationCenter.h>
#include <Ultilities/Constants/Constants.h>

namespace kerbelin::test {
namespace {

using ios::Dictionary;
using K = TypeInfoCard;

class MyCardList : public MyCardsTest {
 protected:
  // Two pages shown: "Trang1 1..10", "Trang2 1..10".
  void showTwoPages() {
    showWith(named("Trang1", 10));
    flickUp();
    answerCards(lastListRequest(), named("Trang2", 10));
  }
  static std::vector<K> kinds(const MyCardViewController::Rows& rows) {
    std::vector<K> out;
    for (const auto& row : rows) out.push_back(row->typeService);
    return out;
  }
};

TEST_F(MyCardList, AsksForTheFirstTenCardsOfTheCustomer) {
  showMyCards();
  ASSERT_EQ(listRequests().size(), 1u);
  EXPECT_EQ(sentParams(lastListRequest()), (Dictionary{{"isPaid", false},
                                                        {"keySearch", ""},
                                                        {"mobilePhone", phoneUser},
                                                        {"pageIndex", 1},
                                                        {"pageSize", 10}}));
  answerCards(lastListRequest(), named("Thẻ", 10));
  EXPECT_EQ(list()->numberOfSections(), 10);
  EXPECT_FALSE(list()->isHidden());
  EXPECT_TRUE(myCards->viewNoMyCard.lock()->isHidden());
}

TEST_F(MyCardList, ACardsRowsFollowItsStatusAndItsServices) {
  struct Case {
    const char* status;
    bool root;
    int services;
    std::vector<K> rows;
  };
  const std::vector<Case> cases = {
      {"A", true, 4, {K::Cover, K::Info, K::Service, K::Service, K::Service, K::Service}},
      {"O", true, 5, {K::Cover, K::Info, K::Service, K::Service, K::Service, K::Service, K::OtherPromotion}},
      {"A", false, 1, {K::Cover, K::Service}},
      {"W", false, 12, {K::Cover, K::Info, K::Service, K::Service, K::Service, K::Service, K::OtherPromotion}},
      {"E", true, 2, {K::Cover, K::Service, K::Service}},
      {"C", true, 0, {K::Cover}},
      {"w", true, 0, {K::Cover}},
  };
  std::vector<OwnCardFixture> cards;
  for (const auto& c : cases) cards.push_back({.status = c.status, .services = c.services, .rootService = c.root});
  showWith(cards);
  ASSERT_EQ(myCards->dataMyCard.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(kinds(myCards->dataMyCard[i].second), cases[i].rows) << cases[i].status << " " << i;
    EXPECT_EQ(list()->numberOfRows(static_cast<int>(i)), static_cast<int>(cases[i].rows.size()));
  }
  for (const auto& [section, text] : {std::pair{1, "+1 dịch vụ khác"}, std::pair{3, "+8 dịch vụ khác"}}) {
    auto other = rowAt<MyCardOtherServiceTableViewCell>({section, 6});
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->lbOtherService.lock()->text(), text);
  }
}

TEST_F(MyCardList, ADragEndingNearTheEndLoadsTheNextPage) {
  showWith(named("Trang1", 10));
  flickUp();
  ASSERT_EQ(listRequests().size(), 2u);
  EXPECT_EQ(pageAsked(lastListRequest()), 2);
  flickUp();  // while page 2 is in flight
  EXPECT_EQ(listRequests().size(), 2u);
  answerCards(lastListRequest(), named("Trang2", 10));
  EXPECT_EQ(myCards->dataMyCard.size(), 20u);
  EXPECT_EQ(shownNames()[10], "Trang2 1");
}

TEST_F(MyCardList, OnlyARestingPlaceCloserThan200PointsToTheEndAsks) {
  showWith(named("Thẻ", 10));
  auto& scroll = static_cast<ios::UIScrollView&>(*list());
  const ios::CGFloat end = scroll.contentSize().height - scroll.bounds().size.height;
  for (const auto& [target, asks] : {std::pair{end - 200, false}, std::pair{end - 199.5, true},
                                     std::pair{end + 50, true}}) {
    const auto before = listRequests().size();
    ios::CGPoint offset{0, target};
    myCards->scrollViewWillEndDragging(scroll, {0, 0}, offset);
    EXPECT_EQ(listRequests().size(), before + (asks ? 1 : 0)) << target - end;
    if (asks) answerCards(lastListRequest(), {});
  }
}

TEST_F(MyCardList, PullAndThePaymentNotificationReloadFromTheFirstPage) {
  const std::vector<std::pair<const char*, std::function<void()>>> triggers = {
      {"pull",
       [this] {
         list()->setContentOffset({0, 0});
         touches->drag({187, 200}, {187, 450}, 0.5, 20);
       }},
      {"notification",
       [] { ios::NotificationCenter::defaultCenter().post(NotificationName::RefreshMyCardPage); }},
  };
  for (const auto& [name, trigger] : triggers) {
    showTwoPages();
    trigger();
    runUntilIdle();
    ASSERT_EQ(pageAsked(lastListRequest()), 1) << name;
    EXPECT_EQ(myCards->dataMyCard.size(), 20u) << name;  // the old rows stay until the reply
    answerCards(lastListRequest(), named("Mới", 3));
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Mới 1", "Mới 2", "Mới 3"})) << name;
    EXPECT_EQ(list()->numberOfSections(), 3) << name;
    EXPECT_FALSE(myCards->refresh->isRefreshing()) << name;
  }
}

TEST_F(MyCardList, OnlyTheNewestRefreshCounts) {
  showWith(named("Trang1", 10));
  flickUp();
  const auto nextPage = lastListRequest();
  myCards->refreshData();
  const auto older = lastListRequest();
  ios::NotificationCenter::defaultCenter().post(NotificationName::RefreshMyCardPage);
  const auto newer = lastListRequest();
  ASSERT_EQ(listRequests().size(), 4u);

  answerCards(newer, named("Mới", 2));
  answerCards(older, named("Cũ", 5));
  answerCards(nextPage, named("Trang2", 10));
  EXPECT_EQ(shownNames(), (std::vector<std::string>{"Mới 1", "Mới 2"}));
  EXPECT_FALSE(myCards->loading);
  flickUp();
  EXPECT_EQ(pageAsked(lastListRequest()), 2);
}

TEST_F(MyCardList, AFailedPageIsAskedForAgain) {
  showWith(named("Trang1", 10));
  flickUp();
  failRequest(lastListRequest());
  EXPECT_FALSE(myCards->loading);
  EXPECT_EQ(myCards->pageNumber, 1);
  flickUp();
  EXPECT_EQ(pageAsked(lastListRequest()), 2);
  answerCards(lastListRequest(), named("Trang2", 1));
  EXPECT_EQ(myCards->dataMyCard.size(), 11u);
}

TEST_F(MyCardList, ARefreshThatGoesWrongKeepsTheShownCards) {
  const std::vector<std::pair<const char*, std::function<void(std::size_t)>>> outcomes = {
      {"transport failure", [this](std::size_t i) { failRequest(i); }},
      {"no body", [this](std::size_t i) { answer(i, std::nullopt); }},
      {"server error",
       [this](std::size_t i) {
         Dictionary reply = Dictionary::parse(replyText(Dictionary{{"ownCardDtos", Dictionary::array()}}));
         reply["resultCode"] = 17;
         ASSERT_TRUE(fake->respond(i, ios::FakeTransport::reply(200, reply.dump())));
         runUntilIdle();
       }},
      {"not JSON",
       [this](std::size_t i) {
         ASSERT_TRUE(fake->respond(i, ios::FakeTransport::reply(502, "<html>Bad Gateway</html>")));
         runUntilIdle();
       }},
  };
  for (const auto& [name, outcome] : outcomes) {
    showWith(named("Thẻ", 3));
    list()->setContentOffset({0, 0});
    touches->drag({187, 200}, {187, 450}, 0.5, 20);
    runUntilIdle();
    ASSERT_TRUE(myCards->refresh->isRefreshing()) << name;
    outcome(lastListRequest());
    EXPECT_EQ(shownNames().size(), 3u) << name;
    EXPECT_EQ(list()->numberOfSections(), 3) << name;
    EXPECT_FALSE(list()->isHidden()) << name;
    EXPECT_TRUE(myCards->viewNoMyCard.lock()->isHidden()) << name;
    EXPECT_FALSE(myCards->refresh->isRefreshing()) << name;
    EXPECT_FALSE(myCards->loading) << name;
  }
}

TEST_F(MyCardList, AnEmptyLaterPageLeavesTheListShown) {
  showWith(named("Thẻ", 10));
  flickUp();
  answerCards(lastListRequest(), {});
  EXPECT_EQ(myCards->dataMyCard.size(), 10u);
  EXPECT_FALSE(list()->isHidden());
  EXPECT_TRUE(myCards->viewNoMyCard.lock()->isHidden());
}

TEST_F(MyCardList, ALaterAppearanceReloadsOnlyAnEmptyList) {
  for (int cards : {0, 2}) {
    showWith(named("Thẻ", cards));
    const auto before = listRequests().size();
    navigation->pushViewController(ios::UIViewController::create(), false);
    navigation->popViewController(false);
    runUntilIdle();
    EXPECT_EQ(listRequests().size(), before + (cards == 0 ? 1 : 0)) << cards;
  }
}

TEST_F(MyCardList, TappingAnyRowOfACardOpensItsDetail) {
  showWith({{.name = "Một"}, {.name = "Hai", .status = "W", .services = 5}});
  for (int row : {0, 1, 2, 6}) {
    auto cell = list()->cellForRow({1, row});
    if (!cell) cell = rowAt<ios::UITableViewCell>({1, row});
    ASSERT_NE(cell, nullptr) << row;
    touches->tap(centerOf(*cell));
    runUntilIdle();
    auto detail = std::dynamic_pointer_cast<DetailCardViewController>(navigation->topViewController());
    ASSERT_NE(detail, nullptr) << row;
    EXPECT_EQ(detail->typeController, TypeController::MyCard);
    EXPECT_EQ(detail->baseModel, myCards->dataMyCard[1].first);
    navigation->popViewController(false);
    runUntilIdle();
  }
}

// The tab shell as the application shows it: a first page without cards offers the store.
TEST_F(MyCardList, AnEmptyFirstPageOffersTheStoreTab) {
  auto shell = TabbarViewController::sharedInstance();
  window->setRootViewController(shell);
  runUntilIdle();
  shell->setSelectedIndex(1);
  runUntilIdle();
  for (std::size_t index : listRequests()) {
    if (sentParams(index)["isPaid"] == false) answer(index, Dictionary{{"ownCardDtos", Dictionary::array()}});
  }
  auto navigationOfTab = std::dynamic_pointer_cast<ios::UINavigationController>(shell->selectedViewController());
  ASSERT_NE(navigationOfTab, nullptr);
  auto screen = std::dynamic_pointer_cast<MyCardViewController>(navigationOfTab->viewControllers().front());
  ASSERT_NE(screen, nullptr);
  EXPECT_FALSE(screen->viewNoMyCard.lock()->isHidden());
  EXPECT_TRUE(screen->tableView.lock()->isHidden());
  window->layoutIfNeeded();
  touches->tap(centerOf(*screen->btnBuyCard.lock()));
  runUntilIdle();
  EXPECT_EQ(shell->selectedIndex(), 0u);
}

}  // namespace
}  // namespace kerbelin::test
