// The store's requests: what it asks the back-end for, when, and what it does with each outcome.

#include "StoreTestSupport.h"

#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Ultilities/Constants/Constants.h>

#include <functional>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

class StoreRequests : public StoreTest {};

TEST_F(StoreRequests, LoadAsksForCategoriesThenTheFirstPageOfTheLowestOrderNo) {
  showHostStore();
  ASSERT_EQ(categoryRequests().size(), 1u);
  EXPECT_EQ(sentParams(categoryRequests()[0]), (Dictionary{{"providerId", ""}, {"type", "PKG"}}));
  EXPECT_TRUE(cardRequests().empty());
  EXPECT_EQ(table()->numberOfSections(), 0);  // nothing shows before the first page

  answerCategories(
      0, Dictionary::array({category(30, 3, "Ba"), category(10, 1, "Một"), category(20, 2, "Hai")}));
  ASSERT_EQ(screen->listCategory.size(), 3u);
  EXPECT_EQ(screen->listCategory[0]->name, "Một");
  EXPECT_EQ(screen->listCategory[1]->name, "Hai");
  EXPECT_EQ(screen->listCategory[2]->name, "Ba");
  EXPECT_EQ(screen->viewCateHeader->listCate, screen->listCategory);
  EXPECT_EQ(screen->viewCateHeader->currentCate, screen->listCategory[0]);

  ASSERT_EQ(cardRequests().size(), 1u);
  EXPECT_EQ(sentParams(lastCardRequest()), (Dictionary{{"categoryId", 10},
                                                       {"keywordQuery", ""},
                                                       {"mobilePhone", phoneUser},
                                                       {"pageIndex", 1},
                                                       {"pageSize", 5},
                                                       {"sort", "LASTEST"}}));
}

TEST_F(StoreRequests, HostStoreCoversTheWindowWhileTheFirstPageLoadsAndSendsNoProviderId) {
  showHostStore();
  answerCategories(0, Dictionary::array({category(7, 1, "Làm đẹp")}));
  EXPECT_EQ(overlays(), 1);
  EXPECT_FALSE(sentParams(lastCardRequest()).contains("providerId"));
  answerCards(lastCardRequest(), cards(5));
  settle();  // the fade
  EXPECT_EQ(overlays(), 0);
  EXPECT_FALSE(screen->loading);
}

TEST_F(StoreRequests, ProviderPageShowsNoOverlayAndSendsItsProviderId) {
  showEmbeddedStore(nullptr, std::string("42"));
  EXPECT_EQ(sentParams(categoryRequests()[0]), (Dictionary{{"providerId", ""}, {"type", "PKG"}}));
  answerCategories(0, Dictionary::array({category(7, 1, "Làm đẹp")}));
  EXPECT_EQ(overlays(), 0);
  EXPECT_EQ(sentParams(lastCardRequest())["providerId"], "42");
  EXPECT_TRUE(screen->viewHeader.lock()->isHidden());
  EXPECT_EQ(screen->heightViewHeader.lock()->constant(), 0);
}

TEST_F(StoreRequests, PullToRefreshReturnsToTheFirstCategoryInTheDefaultOrder) {
  showHostStore();
  loadFirstPage(cards(5));
  screen->selectFilter(FilterType::PriceDown);
  answerCards(lastCardRequest(), cards(5));
  screen->selectCate(screen->listCategory[1]);
  answerCards(lastCardRequest(), cards(2));
  EXPECT_EQ(sentParams(lastCardRequest())["categoryId"], 8);
  EXPECT_EQ(sentParams(lastCardRequest())["sort"], "PDESC");
  settle();  // the overlay takes every touch while it is there

  // A real pull on the table, well past the trigger distance.
  touches->drag({187, 300}, {187, 500}, 0.5, 20);
  runUntilIdle();
  EXPECT_TRUE(screen->refresh->isRefreshing());
  ASSERT_EQ(categoryRequests().size(), 2u);
  EXPECT_EQ(screen->currentFilter, FilterType::Newest);
  answerCategories(categoryRequests()[1],
                   Dictionary::array({category(7, 1, "Làm đẹp"), category(8, 2, "Ăn uống")}));
  EXPECT_EQ(sentParams(lastCardRequest())["categoryId"], 7);
  EXPECT_EQ(sentParams(lastCardRequest())["sort"], "LASTEST");
  EXPECT_EQ(screen->viewCateHeader->currentCate->id, 7);
  answerCards(lastCardRequest(), cards(3));
  EXPECT_FALSE(screen->refresh->isRefreshing());
  EXPECT_EQ(screen->dataBuyCard.size(), 4u);
}

TEST_F(StoreRequests, SortPickWhileAPageLoadsStartsANewFirstPageAndDropsTheOlderReply) {
  showHostStore();
  answerCategories(0, Dictionary::array({category(7, 1, "Làm đẹp")}));
  const auto first = lastCardRequest();
  screen->selectFilter(FilterType::Savest);
  const auto second = lastCardRequest();
  ASSERT_NE(first, second);
  EXPECT_EQ(sentParams(second)["sort"], "SAVING");
  EXPECT_TRUE(screen->loading);

  answerCards(second, cards(2));
  EXPECT_EQ(screen->dataBuyCard.size(), 3u);
  answerCards(first, cards(5));  // the older reply arrives last
  EXPECT_EQ(screen->dataBuyCard.size(), 3u);
  settle();
  EXPECT_EQ(overlays(), 0);  // both overlays went with their own requests
}

TEST_F(StoreRequests, CategoryPickWhileAPageLoadsLoadsTheNewCategory) {
  showHostStore();
  answerCategories(0, Dictionary::array({category(7, 1, "Làm đẹp"), category(8, 2, "Ăn uống")}));
  const auto first = lastCardRequest();
  screen->selectCate(screen->listCategory[1]);
  const auto second = lastCardRequest();
  ASSERT_NE(first, second);
  EXPECT_EQ(sentParams(second)["categoryId"], 8);
  answerCards(first, cards(5));
  EXPECT_TRUE(screen->dataBuyCard.empty());  // the old category's cards never show
  EXPECT_TRUE(screen->loading);
  answerCards(second, cards(1));
  EXPECT_EQ(screen->dataBuyCard.size(), 2u);
  EXPECT_FALSE(screen->loading);
}

TEST_F(StoreRequests, PullToRefreshSupersedesAPageInFlight) {
  showHostStore();
  loadFirstPage(cards(5));
  screen->loadData(false);
  const auto nextPage = lastCardRequest();
  screen->refreshData();
  answerCategories(categoryRequests().back(), Dictionary::array({category(7, 1, "Làm đẹp")}));
  answerCards(nextPage, cards(5));  // page 2 of the old list must not be appended to the new one
  EXPECT_EQ(screen->dataBuyCard.size(), 6u);
  answerCards(lastCardRequest(), cards(2));
  EXPECT_EQ(screen->dataBuyCard.size(), 3u);
}

TEST_F(StoreRequests, NextPagesAppendAndAFailedPageIsAskedForAgain) {
  showHostStore();
  loadFirstPage(cards(5));
  screen->loadData(false);
  EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 2);
  EXPECT_EQ(overlays(), 0);  // next pages show no overlay
  answerCards(lastCardRequest(), cards(5));
  EXPECT_EQ(screen->dataBuyCard.size(), 11u);

  screen->loadData(false);
  EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 3);
  failRequest(lastCardRequest());
  EXPECT_FALSE(screen->loading);
  EXPECT_EQ(screen->pageNumber, 2);
  screen->loadData(false);
  EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 3);  // the lost page, not page 4
  answerCards(lastCardRequest(), cards(1));
  EXPECT_EQ(screen->dataBuyCard.size(), 12u);
}

TEST_F(StoreRequests, AfterAFailedFirstPageTheNextTriggerAsksForTheFirstPageAgain) {
  showHostStore();
  loadFirstPage(cards(5));
  screen->selectFilter(FilterType::Savest);
  failRequest(lastCardRequest());
  settle();
  EXPECT_EQ(overlays(), 0);
  EXPECT_EQ(screen->dataBuyCard.size(), 6u);  // the previous list stays
  screen->loadData(false);
  auto params = sentParams(lastCardRequest());
  EXPECT_EQ(params["pageIndex"], 1);
  EXPECT_EQ(params["sort"], "SAVING");
  answerCards(lastCardRequest(), cards(2));
  EXPECT_EQ(screen->dataBuyCard.size(), 3u);  // replaced, not appended
  screen->loadData(false);
  EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 2);
}

TEST_F(StoreRequests, AnUnusableReplyKeepsTheListAndCountsAsAFailure) {
  const std::vector<std::pair<const char*, std::function<void()>>> replies = {
      {"no body", [this] { answer(lastCardRequest(), std::nullopt); }},
      {"error code", [this] { answerCards(lastCardRequest(), cards(1), 7); }},
  };
  for (const auto& [name, reply] : replies) {
    SCOPED_TRACE(name);
    showHostStore();
    loadFirstPage(cards(2));
    screen->selectFilter(FilterType::Savest);
    reply();
    EXPECT_EQ(screen->dataBuyCard.size(), 3u);
    EXPECT_FALSE(screen->loading);
    screen->loadData(false);
    EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 1);  // the first page is asked for again
    answerCards(lastCardRequest(), cards(1));
    screen->loadData(false);
    reply();
    EXPECT_EQ(screen->dataBuyCard.size(), 2u);
    EXPECT_EQ(screen->pageNumber, 1);  // the failed next page is put back
  }
}

TEST_F(StoreRequests, APickThatSendsNothingLeavesTheRefreshedFirstPageCounting) {
  const std::vector<std::pair<const char*, std::function<void(BuyCardViewController&)>>> picks = {
      {"category without id", [](BuyCardViewController& s) { s.selectCate(s.listCategory[1]); }},
      {"sort while it is current",
       [](BuyCardViewController& s) {
         s.selectCate(s.listCategory[1]);
         s.selectFilter(FilterType::Savest);
       }},
  };
  for (const auto& [name, pick] : picks) {
    SCOPED_TRACE(name);
    showHostStore();
    const auto categories =
        Dictionary::array({category(7, 1, "Làm đẹp"), category(std::nullopt, 2, "Không mã")});
    answerCategories(categoryRequests().back(), categories);
    answerCards(lastCardRequest(), cards(5));
    screen->refresh->beginRefreshing();
    screen->refreshData();
    answerCategories(categoryRequests().back(), categories);
    const auto sent = fake->requests().size();
    pick(*screen);
    EXPECT_EQ(fake->requests().size(), sent);
    answerCards(lastCardRequest(), cards(2));
    EXPECT_EQ(screen->dataBuyCard.size(), 3u);
    EXPECT_FALSE(screen->refresh->isRefreshing());
    EXPECT_FALSE(screen->loading);
  }
}

TEST_F(StoreRequests, RefreshThatLoadsNoCardsStillStopsTheSpinner) {
  showHostStore();
  loadFirstPage(cards(2));
  const auto before = screen->currentCategory;

  screen->refresh->beginRefreshing();
  screen->refreshData();
  failRequest(categoryRequests().back());
  EXPECT_FALSE(screen->refresh->isRefreshing());
  EXPECT_EQ(screen->currentCategory, before);  // a failed refresh keeps the category
  screen->selectFilter(FilterType::Savest);    // so a later pick still loads
  EXPECT_EQ(sentParams(lastCardRequest())["categoryId"], 7);
  answerCards(lastCardRequest(), cards(1));

  screen->refresh->beginRefreshing();
  screen->refreshData();
  answer(categoryRequests().back(), std::nullopt);
  EXPECT_FALSE(screen->refresh->isRefreshing());
  EXPECT_EQ(screen->currentCategory, before);

  screen->refresh->beginRefreshing();
  screen->refreshData();
  const auto sent = cardRequests().size();
  answerCategories(categoryRequests().back(), Dictionary::array());
  EXPECT_FALSE(screen->refresh->isRefreshing());
  EXPECT_EQ(cardRequests().size(), sent);
  EXPECT_TRUE(screen->listCategory.empty());

  screen->refresh->beginRefreshing();
  screen->refreshData();
  answerCategories(categoryRequests().back(), Dictionary::array({category(std::nullopt, 1, "Không mã")}));
  EXPECT_FALSE(screen->refresh->isRefreshing());  // a first category without id loads nothing
  EXPECT_EQ(cardRequests().size(), sent);
}

TEST_F(StoreRequests, OnlyTheNewestCategoryReplyCounts) {
  showHostStore();
  screen->refreshData();
  ASSERT_EQ(categoryRequests().size(), 2u);
  answerCategories(categoryRequests()[1], Dictionary::array({category(8, 1, "Ăn uống")}));
  answerCategories(categoryRequests()[0], Dictionary::array({category(7, 1, "Làm đẹp")}));
  EXPECT_EQ(screen->currentCategory->id, 8);
  EXPECT_EQ(cardRequests().size(), 1u);
}

TEST_F(StoreRequests, AReplyAfterTheScreenIsGoneOnlyTakesAwayItsOverlay) {
  showHostStore();
  answerCategories(0, Dictionary::array({category(7, 1, "Làm đẹp")}));
  const auto request = lastCardRequest();
  EXPECT_EQ(overlays(), 1);
  std::weak_ptr<BuyCardViewController> weak = screen;
  window->setRootViewController(nullptr);
  navigation.reset();
  screen.reset();
  runUntilIdle();
  EXPECT_TRUE(weak.expired());  // nothing holds the screen: no cycle through its rows or delegate
  answerCards(request, cards(3));
  settle();
  EXPECT_EQ(overlays(), 0);
}

TEST_F(StoreRequests, ARequestDoesNotTakeAwayAnotherScreensOverlay) {
  showHostStore();
  answerCategories(0, Dictionary::array({category(7, 1, "Làm đẹp")}));
  answerCards(lastCardRequest(), cards(5));
  settle();
  auto other = WSLoadingView::show();  // another screen's request
  screen->loadData(false);
  answerCards(lastCardRequest(), cards(5));
  settle();
  EXPECT_TRUE(other.isShowing());
  WSLoadingView::hide(other);
}

}  // namespace
}  // namespace kerbelin::test
