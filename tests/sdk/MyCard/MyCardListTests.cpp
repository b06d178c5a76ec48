// My cards as the user pages, pulls and taps through it: what is asked for, which reply counts, and
// what stays on screen when a request goes wrong.

#include "MyCardTestSupport.h"

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/MyCard/CustomCell/MyCardOtherServiceTableViewCell.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <Foundation/NotificationCenter.h>
#include <Ultilities/Constants/Constants.h>

#include <functional>

namespace kerbelin::test {
namespace {

using ios::Dictionary;
using K = TypeInfoCard;

class MyCardList : public MyCardsTest {};

TEST_F(MyCardList, AsksForTenCardsAPageAndBuildsEachCardsRows) {
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
  EXPECT_EQ(sentParams(last()), (Dictionary{{"isPaid", false}, {"keySearch", ""}, {"mobilePhone", phoneUser},
                                            {"pageIndex", 1}, {"pageSize", 10}}));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    std::vector<K> kinds;
    for (const auto& row : myCards->dataMyCard.at(i).second) kinds.push_back(row->typeService);
    EXPECT_EQ(kinds, cases[i].rows) << i;
    EXPECT_EQ(listView()->numberOfRows(static_cast<int>(i)), static_cast<int>(kinds.size()));
  }
  for (const auto& [section, text] : {std::pair{1, "+1 dịch vụ khác"}, std::pair{3, "+8 dịch vụ khác"}}) {
    EXPECT_EQ(rowAt<MyCardOtherServiceTableViewCell>({section, 6})->lbOtherService.lock()->text(), text);
  }
}

TEST_F(MyCardList, ADragComingToRestNearTheEndLoadsTheNextPage) {
  showWith(named("Trang1", 10));
  flickUp();
  ASSERT_EQ(pageAsked(last()), 2);
  flickUp();  // page 2 is in flight
  EXPECT_EQ(sent(), 2u);
  answerCards(last(), named("Trang2", 10));
  EXPECT_EQ(shownNames().at(10), "Trang2 1");
  auto& scroll = static_cast<ios::UIScrollView&>(*listView());
  const ios::CGFloat end = scroll.contentSize().height - scroll.bounds().size.height;
  for (const auto& [target, asks] : {std::pair{end - 200, false}, {end - 199.5, true}, {end + 50, true}}) {
    const auto before = sent();
    ios::CGPoint offset{0, target};
    myCards->scrollViewWillEndDragging(scroll, {0, 0}, offset);
    EXPECT_EQ(sent(), before + (asks ? 1 : 0)) << target - end;
    if (asks) answerCards(last(), {});  // an empty later page leaves the list as it is
  }
  EXPECT_EQ(myCards->dataMyCard.size(), 20u);
  EXPECT_TRUE(myCards->viewNoMyCard.lock()->isHidden());
}

TEST_F(MyCardList, PullAndThePaymentNotificationReloadTheFirstPage) {
  const std::vector<std::function<void()>> triggers = {
      [this] { pullDown(); },
      [] { ios::NotificationCenter::defaultCenter().post(NotificationName::RefreshMyCardPage); }};
  for (const auto& trigger : triggers) {
    showWith(named("Cũ", 10));
    trigger();
    ASSERT_EQ(pageAsked(last()), 1);
    EXPECT_EQ(myCards->dataMyCard.size(), 10u);  // until the reply
    answerCards(last(), named("Mới", 2));
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Mới 1", "Mới 2"}));
    EXPECT_EQ(listView()->numberOfSections(), 2);
    EXPECT_FALSE(myCards->refresh->isRefreshing());
  }
}

TEST_F(MyCardList, OnlyTheNewestRefreshCounts) {
  showWith(named("Trang1", 10));
  flickUp();
  const auto nextPage = last();
  myCards->refreshData();
  const auto older = last();
  ios::NotificationCenter::defaultCenter().post(NotificationName::RefreshMyCardPage);
  answerCards(last(), named("Mới", 2));
  answerCards(older, named("Cũ", 5));
  answerCards(nextPage, named("Trang2", 10));
  EXPECT_EQ(shownNames(), (std::vector<std::string>{"Mới 1", "Mới 2"}));
  flickUp();
  EXPECT_EQ(pageAsked(last()), 2);
}

TEST_F(MyCardList, AFailedNextPageIsAskedForAgain) {
  showWith(named("Trang1", 10));
  flickUp();
  failRequest(last());
  EXPECT_FALSE(myCards->loading);
  flickUp();
  EXPECT_EQ(pageAsked(last()), 2);
}

TEST_F(MyCardList, ARefreshThatGoesWrongKeepsTheShownCards) {
  const std::vector<std::function<void(std::size_t)>> outcomes = {
      [this](std::size_t i) { failRequest(i); },
      [this](std::size_t i) { answer(i, std::nullopt); },
      [this](std::size_t i) { answer(i, Dictionary{{"ownCardDtos", Dictionary::array()}}, 17); },
      [this](std::size_t i) {
        ASSERT_TRUE(fake->respond(i, ios::FakeTransport::reply(502, "<html>Bad Gateway</html>")));
        runUntilIdle();
      }};
  for (std::size_t k = 0; k < outcomes.size(); ++k) {
    showWith(named("Thẻ", 3));
    pullDown();
    ASSERT_TRUE(myCards->refresh->isRefreshing());
    outcomes[k](last());
    EXPECT_EQ(listView()->numberOfSections(), 3) << k;
    EXPECT_FALSE(listView()->isHidden() || myCards->refresh->isRefreshing() || myCards->loading) << k;
    EXPECT_TRUE(myCards->viewNoMyCard.lock()->isHidden()) << k;
  }
}

TEST_F(MyCardList, ALaterAppearanceReloadsOnlyAnEmptyList) {
  for (int cards : {0, 2}) {
    showWith(named("Thẻ", cards));
    const auto before = sent();
    navigation->pushViewController(ios::UIViewController::create(), false);
    navigation->popViewController(false);
    runUntilIdle();
    EXPECT_EQ(sent(), before + (cards == 0 ? 1 : 0)) << cards;
  }
}

TEST_F(MyCardList, TappingAnyRowOfACardOpensItsDetail) {
  showWith({{.name = "Một"}, {.name = "Hai", .status = "W", .services = 5}});
  for (int row : {0, 1, 2, 6}) {
    tap(rowAt<ios::UITableViewCell>({1, row}));
    auto detail = std::dynamic_pointer_cast<DetailCardViewController>(navigation->topViewController());
    ASSERT_NE(detail, nullptr) << row;
    EXPECT_EQ(detail->typeController, TypeController::MyCard);
    EXPECT_EQ(detail->baseModel, myCards->dataMyCard[1].first);
    navigation->popViewController(false);
    runUntilIdle();
  }
}

// In the application's tab shell: a first page without cards offers the store tab.
TEST_F(MyCardList, AnEmptyFirstPageOffersTheStoreTab) {
  auto shell = TabbarViewController::sharedInstance();
  window->setRootViewController(shell);
  shell->setSelectedIndex(1);
  runUntilIdle();
  for (std::size_t index : requestsTo(kOwnCardsPath)) {
    if (sentParams(index)["isPaid"] == false) answer(index, Dictionary{{"ownCardDtos", Dictionary::array()}});
  }
  auto tab = std::dynamic_pointer_cast<ios::UINavigationController>(shell->selectedViewController());
  auto screen = std::dynamic_pointer_cast<MyCardViewController>(tab->viewControllers().front());
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(screen->tableView.lock()->isHidden());
  window->layoutIfNeeded();
  tap(screen->btnBuyCard.lock());
  EXPECT_EQ(shell->selectedIndex(), 0u);
}

}  // namespace
}  // namespace kerbelin::test
