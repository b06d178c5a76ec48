// The store's table: sections, rows and their look, taps, the next-page trigger and the scroll steps
// an embedding page receives. Everything goes through the real table, cells and touches.

#include "StoreTestSupport.h"

#include <Class/BuyCard/CustomCell/CardCoverTableViewCell.h>
#include <Class/BuyCard/CustomCell/CardInfoTableViewCell.h>
#include <Class/BuyCard/CustomCell/DefaultIconAndLabelTableViewCell.h>
#include <Class/BuyCard/CustomCell/OtherPromoServiceCardTableViewCell.h>
#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/MyCode/ShopServiceViewController.h>
#include <QuartzCore/CALayer.h>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace kerbelin::test {
namespace {

using ios::CGFloat;
using ios::Dictionary;
using ios::IndexPath;

class StoreTable : public StoreTest {};

// How the store finishes a card's row, read back from its views: the corner radius, the gap below and
// the shadow's corner radius.
using RowEnd = std::tuple<CGFloat, CGFloat, CGFloat>;

template <class Cell>
RowEnd endOf(const Cell& cell) {
  return {cell.viewMain.lock()->layer()->cornerRadius(), cell.cstBottomMain.lock()->constant(),
          cell.viewShadow.lock()->layer()->cornerRadius()};
}

// A card's rows are its cover, its info, up to four promotions and a row counting the rest; only its
// last row is rounded and spaced from the next card.
TEST_F(StoreTable, EachCardEndsOnItsLastRow) {
  showHostStore();
  loadFirstPage({{.name = "Thẻ 1"}, {.name = "Thẻ 2", .promotions = 4}, {.name = "Thẻ 3", .promotions = 5}});
  const int rowsOf[] = {1, 2, 6, 7};
  for (int section = 1; section <= 3; ++section) {
    const int rows = table()->numberOfRows(section);
    EXPECT_EQ(rows, rowsOf[section]) << section;
    for (int row = 1; row < rows; ++row) {
      const bool last = row == rows - 1;
      auto cell = cellAt({section, row});
      RowEnd end{};
      if (auto info = std::dynamic_pointer_cast<CardInfoTableViewCell>(cell)) end = endOf(*info);
      if (auto promotion = std::dynamic_pointer_cast<DefaultIconAndLabelTableViewCell>(cell)) {
        end = endOf(*promotion);
        EXPECT_EQ(promotion->lbText.lock()->text(), "Ưu đãi " + std::to_string(row - 1));
      }
      if (auto counting = std::dynamic_pointer_cast<OtherPromoServiceCardTableViewCell>(cell)) {
        end = endOf(*counting);
        EXPECT_EQ(counting->lbPromotion.lock()->text(), "+1 khuyến mại khác");
      }
      EXPECT_EQ(end, (last ? RowEnd{5, 3, 5} : RowEnd{0, 0, 0})) << section << "." << row;
    }
  }
}

TEST_F(StoreTable, TappingACardRowOpensItsDetailAndTheSortRowOpensNothing) {
  showHostStore();
  loadFirstPage(cards(2));
  auto sortRow = table()->cellForRow({0, 0});
  ASSERT_NE(sortRow, nullptr);
  const auto sortFrame = sortRow->convert(sortRow->bounds(), window.get());
  touches->tap({sortFrame.minX() + 4, sortFrame.midY()});
  advance(1);
  EXPECT_EQ(navigation->viewControllers().size(), 1u);

  auto info = cellAt({2, 1});
  ASSERT_NE(info, nullptr);
  touches->tap(centerOf(*info));
  advance(1);
  ASSERT_EQ(navigation->viewControllers().size(), 2u);
  auto detail = top<DetailCardViewController>();
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(detail->typeController, TypeController::BuyCard);
  EXPECT_EQ(detail->baseModel, screen->dataBuyCard[2].first);
}

// The cover's provider button opens the first provider's page. A reused row forgets the previous
// card: its provider and logo on the cover, its old price on the info row.
TEST_F(StoreTable, ProviderButtonOpensTheProvidersPageAndAReusedRowForgetsThePreviousCard) {
  showHostStore();
  const std::string logo = "http://127.0.0.1:18082/logo-12.png";
  loadFirstPage({{.name = "Thẻ 1", .providerId = 12, .logo = logo}});
  auto cover = std::dynamic_pointer_cast<CardCoverTableViewCell>(cellAt({1, 0}));
  auto info = std::dynamic_pointer_cast<CardInfoTableViewCell>(cellAt({1, 1}));
  ASSERT_TRUE(cover && info);
  EXPECT_EQ(cover->lbDiscountPrice.lock()->text(), "-10%");
  runUntilIdle();  // the cache misses, then the download starts
  ASSERT_TRUE(fake->respond([&](const ios::HTTPRequest& r) { return r.url == logo; },
                            ios::FakeTransport::reply(200, pngBytes(0xFF2060C0))));
  runUntilIdle();
  for (const std::string shown : {"12", ""}) {
    SCOPED_TRACE(shown);
    ASSERT_EQ(cellAt({1, 1}), info);  // the same row objects show the next list's card
    EXPECT_EQ(info->lbOldPrice.lock()->isHidden(), shown.empty());
    ASSERT_EQ(cellAt({1, 0}), cover);
    EXPECT_EQ(cover->providerId, shown);
    EXPECT_EQ(cover->imgAvatar.lock()->image() == nullptr, shown.empty());
    touches->tap(centerOf(*cover->imgAvatar.lock()));
    advance(1);
    auto page = top<ShopServiceViewController>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->providerId, shown);  // the empty id is handed on, never card 1's provider
    failRequest(lastRequestTo("/provider/req"));  // and its overlay goes
    navigation->popViewController(false);
    runUntilIdle();
    // The next list's card: a provider without id, no logo, sold at its listed price.
    screen->selectFilter(FilterType::Savest);
    answerCards({{.listedPriceNumber = CardFixture{}.priceNumber}});
  }
  EXPECT_EQ(info->lbOldPrice.lock()->attributedText(), nullptr);
}

// ---- Next-page trigger

class NextPageTrigger : public StoreTest {
 protected:
  // A slow drag that comes to rest with `remaining` points of content below the visible area.
  void dragToRestWith(CGFloat remaining) {
    touches->drag({187, 600}, {187, 500}, 0.3, 10, false);
    advance(0.2);  // hold still: the release has no speed
    auto list = table();
    const CGFloat offset = list->contentSize().height - list->bounds().height() - remaining;
    list->setContentOffset({0, offset});
    touches->up();
    runUntilIdle();
  }
};

TEST_F(NextPageTrigger, LoadsWhenLessThan200PointsRemain) {
  showHostStore();
  loadFirstPage(cards(5, 2));
  const auto sent = cardRequests().size();
  dragToRestWith(200);
  EXPECT_EQ(cardRequests().size(), sent);
  dragToRestWith(199);
  ASSERT_EQ(cardRequests().size(), sent + 1);
  EXPECT_EQ(sentParams(lastCardRequest())["pageIndex"], 2);
  dragToRestWith(10);  // a page is in flight: no further request
  EXPECT_EQ(cardRequests().size(), sent + 1);
}

// ---- Scrolling inside a provider's page

// A provider page's header of `limit` points that folds away as the list moves up and unfolds as it
// moves down. It answers each step by its own rule: the header moves when it is partly folded, or
// when it is at a limit and the step moves it away from that limit; then the list holds still.
class FoldingPage : public BuyCardViewControllerDelegate {
 public:
  explicit FoldingPage(CGFloat limit, CGFloat folded = 0) : limit(limit), folded(folded) {}
  void scrollTableView(CGFloat hieu) override {
    steps.push_back(hieu);
    const bool partly = folded > 0 && folded < limit;
    const bool leavesTop = folded == 0 && hieu > 0;
    const bool leavesBottom = folded == limit && hieu < 0;
    const bool moves = partly || leavesTop || leavesBottom;
    if (moves) folded = std::clamp(folded + hieu, CGFloat(0), limit);
    if (auto list = store.lock()) list->isUpdateContentOfset = moves;
  }
  CGFloat sumOfSteps() const { return std::accumulate(steps.begin(), steps.end(), CGFloat(0)); }

  CGFloat limit;
  CGFloat folded;
  std::vector<CGFloat> steps;
  std::weak_ptr<BuyCardViewController> store;
};

class EmbeddedScrolling : public StoreTest {
 protected:
  void show(CGFloat limit, CGFloat folded) {
    page = std::make_shared<FoldingPage>(limit, folded);
    showEmbeddedStore(page, std::string("42"));
    page->store = screen;
    loadFirstPage(cards(5, 3));
    page->steps.clear();
  }
  // A vertical drag along the list from `fromY` to `toY` that holds still before it lets go.
  void dragAndRelease(ios::CGFloat fromY, ios::CGFloat toY, double seconds, int steps) {
    touches->drag({187, fromY}, {187, toY}, seconds, steps, false);
    advance(0.2);
    touches->up();
    runUntilIdle();
  }
  std::shared_ptr<FoldingPage> page;
};

TEST_F(EmbeddedScrolling, WhileTheHeaderFoldsTheListHoldsStill) {
  show(500, 0);
  dragAndRelease(600, 480, 0.4, 12);
  EXPECT_EQ(table()->contentOffset().y, 0);
  EXPECT_GT(page->folded, 60);
  EXPECT_NEAR(page->folded, page->sumOfSteps(), 0.001);
}

TEST_F(EmbeddedScrolling, OnceTheHeaderIsFoldedTheListScrollsAndReportsItsDistanceFromTheDragStart) {
  show(30, 0);
  dragAndRelease(600, 420, 0.5, 18);
  EXPECT_EQ(page->folded, 30);
  const CGFloat offset = table()->contentOffset().y;
  EXPECT_GT(offset, 60);
  ASSERT_FALSE(page->steps.empty());
  EXPECT_NEAR(page->steps.back(), offset, 0.001);  // measured from the drag start's offset, 0
}

TEST_F(EmbeddedScrolling, PullingPastTheTopSnapsBackAndReportsANegativeStep) {
  show(30, 0);
  screen->isUpdateContentOfset = true;
  touches->drag({187, 400}, {187, 460}, 0.3, 6, false);
  advance(0.2);
  EXPECT_EQ(table()->contentOffset().y, 0);
  EXPECT_LT(*std::min_element(page->steps.begin(), page->steps.end()), 0);
  touches->up();
  runUntilIdle();
}

TEST_F(EmbeddedScrolling, ListScrollingBackTowardsItsTopIsNotReported) {
  show(30, 30);  // header already folded: the list scrolls by itself
  screen->isUpdateContentOfset = false;
  table()->setContentOffset({0, 300});
  page->steps.clear();
  dragAndRelease(300, 400, 0.3, 10);
  EXPECT_LT(table()->contentOffset().y, 300);
  for (CGFloat step : page->steps) EXPECT_GE(step, 0);
}

TEST_F(EmbeddedScrolling, TheHostStoreNeitherHoldsItsListNorReports) {
  page = std::make_shared<FoldingPage>(30, 0);
  showHostStore();
  screen->delegate = page;
  loadFirstPage(cards(5, 3));
  dragAndRelease(600, 480, 0.4, 12);
  EXPECT_GT(table()->contentOffset().y, 60);
  EXPECT_TRUE(page->steps.empty());
}

}  // namespace
}  // namespace kerbelin::test
