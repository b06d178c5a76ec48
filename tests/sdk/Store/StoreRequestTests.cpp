// The store's requests: what it asks the back-end for, when, and what it does with each outcome.

#include "StoreTestSupport.h"

#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Ultilities/Constants/Constants.h>

#include <functional>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

class StoreRequests : public StoreTest {
 protected:
  std::vector<std::string> categoryNames() const {
    std::vector<std::string> names;
    for (const auto& category : screen->listCategory) names.push_back(category->name);
    return names;
  }
};

TEST_F(StoreRequests, LoadAsksForCategoriesThenTheFirstPageOfTheLowestOrderNo) {
  showHostStore();
  ASSERT_EQ(categoryRequests().size(), 1u);
  EXPECT_TRUE(cardRequests().empty());
  EXPECT_EQ(table()->numberOfSections(), 0);  // nothing shows before the first page

  answerCategories(Dictionary::array({category(30, 3, "Ba"), category(10, 1, "Một"), category(20, 2, "Hai")}));
  EXPECT_EQ(categoryNames(), (std::vector<std::string>{"Một", "Hai", "Ba"}));
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

// The host's store covers the window while its first page loads; a provider page's store does not,
// hides its own header and asks for its provider's cards only.
TEST_F(StoreRequests, OnlyTheHostStoreCoversTheWindowAndOnlyAProvidersStoreNamesItsProvider) {
  for (const bool embedded : {false, true}) {
    SCOPED_TRACE(embedded ? "provider page" : "host");
    embedded ? showEmbeddedStore(nullptr, std::string("42")) : showHostStore();
    EXPECT_EQ(sentParams(categoryRequests().back()), (Dictionary{{"providerId", ""}, {"type", "PKG"}}));
    answerCategories();
    EXPECT_EQ(overlays(), embedded ? 0 : 1);
    const auto params = sentParams(lastCardRequest());
    EXPECT_EQ(params.contains("providerId"), embedded);
    EXPECT_EQ(screen->viewHeader.lock()->isHidden(), embedded);
    if (embedded) {
      EXPECT_EQ(params["providerId"], "42");
      EXPECT_EQ(screen->heightViewHeader.lock()->constant(), 0);
    }
    answerCards(cards(5));
    settle();  // the fade
    EXPECT_EQ(overlays(), 0);
    EXPECT_FALSE(screen->loading);
  }
}

TEST_F(StoreRequests, PullToRefreshReturnsToTheFirstCategoryInTheDefaultOrder) {
  showHostStore();
  loadFirstPage(cards(5));
  screen->selectFilter(FilterType::PriceDown);
  answerCards(cards(5));
  screen->selectCate(screen->listCategory[1]);
  answerCards(cards(2));
  EXPECT_EQ(sentParams(lastCardRequest())["categoryId"], 8);
  EXPECT_EQ(sentParams(lastCardRequest())["sort"], "PDESC");
  settle();  // the overlay takes every touch while it is there

  // A real pull on the table, well past the trigger distance.
  touches->drag({187, 300}, {187, 500}, 0.5, 20);
  runUntilIdle();
  EXPECT_TRUE(screen->refresh->isRefreshing());
  ASSERT_EQ(categoryRequests().size(), 2u);
  EXPECT_EQ(screen->currentFilter, FilterType::Newest);
  answerCategories(beautyAndFood());
  EXPECT_EQ(sentParams(lastCardRequest())["categoryId"], 7);
  EXPECT_EQ(sentParams(lastCardRequest())["sort"], "LASTEST");
  EXPECT_EQ(screen->viewCateHeader->currentCate->id, 7);
  answerCards(cards(3));
  EXPECT_FALSE(screen->refresh->isRefreshing());
  EXPECT_EQ(screen->dataBuyCard.size(), 4u);
}

// A sort pick, a category pick or a refresh while a page loads starts a new first page; the older
// reply, early or late, never shows.
TEST_F(StoreRequests, APickOrRefreshWhileAPageLoadsDropsTheOlderReply) {
  struct Case {
    const char* name;
    bool firstPageShown;  // then the older request is the next page
    std::function<void(BuyCardViewController&)> supersede;
    const char* key;
    Dictionary sent;
    bool olderLast;
  };
  const Case cases[] = {
      {"sort", false, [](auto& s) { s.selectFilter(FilterType::Savest); }, "sort", "SAVING", true},
      {"category", false, [](auto& s) { s.selectCate(s.listCategory[1]); }, "categoryId", 8, false},
      {"refresh", true,
       [this](auto& s) {
         s.refreshData();
         answerCategories();
       },
       "pageIndex", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    showHostStore();
    answerCategories(beautyAndFood());
    const std::size_t before = c.firstPageShown ? 6 : 0;
    if (c.firstPageShown) {
      answerCards(cards(5));
      screen->loadData(false);
    }
    const auto older = lastCardRequest();
    c.supersede(*screen);
    const auto newer = lastCardRequest();
    ASSERT_NE(older, newer);
    EXPECT_EQ(sentParams(newer)[c.key], c.sent);
    if (c.olderLast) answerCards(newer, cards(2));
    answerCards(older, cards(5));
    EXPECT_EQ(screen->dataBuyCard.size(), c.olderLast ? 3u : before);
    EXPECT_EQ(screen->loading, !c.olderLast);
    if (!c.olderLast) answerCards(newer, cards(2));
    EXPECT_EQ(screen->dataBuyCard.size(), 3u);
    EXPECT_FALSE(screen->loading);
    settle();
    EXPECT_EQ(overlays(), 0);  // each overlay went with its own request
  }
}

// Whatever goes wrong with a page, the shown list stays; a lost first page is asked for again before
// any next page, and a lost next page is asked for again rather than skipped.
TEST_F(StoreRequests, ALostPageIsAskedForAgain) {
  const std::vector<std::pair<const char*, std::function<void()>>> losses = {
      {"refused connection", [this] { failRequest(lastCardRequest()); }},
      {"no body", [this] { answer(lastCardRequest(), std::nullopt); }},
      {"error code", [this] { answerCards(cards(1), 7); }},
  };
  for (const auto& [name, lose] : losses) {
    SCOPED_TRACE(name);
    showHostStore();
    loadFirstPage(cards(2));
    screen->selectFilter(FilterType::Savest);
    lose();
    settle();
    EXPECT_EQ(overlays(), 0);
    EXPECT_FALSE(screen->loading);
    EXPECT_EQ(screen->dataBuyCard.size(), 3u);
    screen->loadData(false);
    EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 1);
    EXPECT_EQ(sentParams(lastCardRequest())["sort"], "SAVING");
    answerCards(cards(5));
    EXPECT_EQ(screen->dataBuyCard.size(), 6u);  // replaced, not appended
    settle();
    screen->loadData(false);
    EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 2);
    EXPECT_EQ(overlays(), 0);  // next pages show no overlay
    lose();
    EXPECT_EQ(screen->dataBuyCard.size(), 6u);
    EXPECT_FALSE(screen->loading);
    EXPECT_EQ(screen->pageNumber, 1);
    screen->loadData(false);
    EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 2);  // the lost page, not page 3
    answerCards(cards(1));
    EXPECT_EQ(screen->dataBuyCard.size(), 7u);
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
  const auto categories = Dictionary::array({category(7, 1, "Làm đẹp"), category(std::nullopt, 2, "Không mã")});
  for (const auto& [name, pick] : picks) {
    SCOPED_TRACE(name);
    showHostStore();
    answerCategories(categories);
    answerCards(cards(5));
    screen->refresh->beginRefreshing();
    screen->refreshData();
    answerCategories(categories);
    const auto sent = fake->requests().size();
    pick(*screen);
    EXPECT_EQ(fake->requests().size(), sent);
    answerCards(cards(2));
    EXPECT_EQ(screen->dataBuyCard.size(), 3u);
    EXPECT_FALSE(screen->refresh->isRefreshing());
    EXPECT_FALSE(screen->loading);
  }
}

// A refresh whose categories load no cards still stops the spinner; a failed one keeps the category,
// so a later pick still loads.
TEST_F(StoreRequests, RefreshThatLoadsNoCardsStillStopsTheSpinner) {
  struct Case {
    const char* name;
    std::function<void()> outcome;
    bool failed;
  };
  const Case cases[] = {
      {"refused connection", [this] { failRequest(categoryRequests().back()); }, true},
      {"no body", [this] { answer(categoryRequests().back(), std::nullopt); }, true},
      {"no categories",
       [this] {
         answerCategories(Dictionary::array());
         EXPECT_TRUE(screen->listCategory.empty());
       },
       false},
      {"first category without id",
       [this] { answerCategories(Dictionary::array({category(std::nullopt, 1, "Không mã")})); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    showHostStore();
    loadFirstPage(cards(2));
    const auto before = screen->currentCategory;
    const auto sent = cardRequests().size();
    screen->refresh->beginRefreshing();
    screen->refreshData();
    c.outcome();
    EXPECT_FALSE(screen->refresh->isRefreshing());
    EXPECT_EQ(cardRequests().size(), sent);
    if (!c.failed) continue;
    EXPECT_EQ(screen->currentCategory, before);
    screen->selectFilter(FilterType::Savest);
    EXPECT_EQ(sentParams(lastCardRequest())["categoryId"], 7);
  }
}

TEST_F(StoreRequests, OnlyTheNewestCategoryReplyCounts) {
  showHostStore();
  screen->refreshData();
  ASSERT_EQ(categoryRequests().size(), 2u);
  answerCategories(categoryRequests()[1], Dictionary::array({category(8, 1, "Ăn uống")}));
  answerCategories(categoryRequests()[0], beauty());
  EXPECT_EQ(screen->currentCategory->id, 8);
  EXPECT_EQ(cardRequests().size(), 1u);
}

TEST_F(StoreRequests, AReplyAfterTheScreenIsGoneOnlyTakesAwayItsOverlay) {
  showHostStore();
  answerCategories();
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
  loadFirstPage(cards(5));
  auto other = WSLoadingView::show();  // another screen's request
  screen->loadData(false);
  answerCards(cards(5));
  settle();
  EXPECT_TRUE(other.isShowing());
  WSLoadingView::hide(other);
}

}  // namespace
}  // namespace kerbelin::test
