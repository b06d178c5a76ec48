// The store's rows and bar as the user meets them: the sort chips, the category bar, the price and
// promotion texts, the discount badge, and the rounded shadow cell for grouped lists.

#include "StoreTestSupport.h"

#include <Class/BuyCard/CustomCell/BuyCardFilterTableViewCell.h>
#include <Class/BuyCard/CustomCell/CardCoverTableViewCell.h>
#include <Class/BuyCard/CustomCell/CategoryCollectionViewCell.h>
#include <Class/BuyCard/CustomCell/RoundedShadowTableViewCell.h>
#include <Class/BuyCard/CustomCell/ViewCategoryBuyCard.h>
#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <QuartzCore/CALayer.h>
#include <QuartzCore/CAShapeLayer.h>
#include <Ultilities/Constants/Color.h>
#include <Ultilities/Extensions/UIViewStyleExtension.h>


namespace kerbelin::test {
namespace {

using ios::CGFloat;
using ios::CGRect;
using ios::Dictionary;
using ios::IndexPath;

// ---- Sort row, tapped in the store

class SortRow : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    showHostStore();
    loadFirstPage(cards(1));
    row = std::dynamic_pointer_cast<BuyCardFilterTableViewCell>(cellAt({0, 0}));
    ASSERT_NE(row, nullptr);
  }

  // Taps a chip and answers the request it started, if any; returns the sort code sent or "".
  std::string tapChip(const std::weak_ptr<ios::UIButton>& button) {
    const auto before = cardRequests().size();
    tap(*button.lock());
    if (cardRequests().size() == before) return "";
    const std::string code = sentParams(lastCardRequest())["sort"];
    answerCards(cards(1));
    settle();
    row = std::dynamic_pointer_cast<BuyCardFilterTableViewCell>(cellAt({0, 0}));
    return code;
  }

  struct ChipLook {
    bool filled;
    bool whiteCaption;
    bool targetOn;
  };
  static ChipLook look(const ios::UIView& backing, const ios::UILabel& caption, const ios::UIButton& target) {
    const bool filled =
        backing.backgroundColor() && backing.backgroundColor()->cgColor() == Color::Main_Flamigo()->cgColor();
    return {filled, caption.textColor()->cgColor() == ios::UIColor::white()->cgColor(),
            target.isUserInteractionEnabled()};
  }
  ChipLook newest() const {
    return look(*row->viewNewest.lock(), *row->lbNewest.lock(), *row->btnNewest.lock());
  }
  ChipLook savest() const {
    return look(*row->viewSavest.lock(), *row->lbSavest.lock(), *row->btnSavest.lock());
  }
  ChipLook price() const { return look(*row->viewPrice.lock(), *row->lbPrice.lock(), *row->btnPrice.lock()); }
  std::shared_ptr<ios::UIImage> priceIcon() const { return row->iconPrice.lock()->image(); }
  static std::shared_ptr<ios::UIImage> icon(const std::string& name) { return ios::UIImage::named(name); }

  std::shared_ptr<BuyCardFilterTableViewCell> row;
};

// The row starts on newest (its look is in the store's pictures), whose chip does nothing then.
TEST_F(SortRow, PriceFlipsBetweenFallingAndRising) {
  EXPECT_EQ(tapChip(row->btnNewest), "");
  EXPECT_EQ(tapChip(row->btnPrice), "PDESC");
  EXPECT_EQ(priceIcon(), icon("Icon_sapxep_giagiam"));
  EXPECT_TRUE(price().filled && price().targetOn);
  EXPECT_FALSE(newest().filled);
  EXPECT_EQ(tapChip(row->btnPrice), "PASC");
  EXPECT_EQ(priceIcon(), icon("Icon_sapxep_giatang"));
  EXPECT_EQ(tapChip(row->btnPrice), "PDESC");
  EXPECT_EQ(priceIcon(), icon("Icon_sapxep_giagiam"));
}

TEST_F(SortRow, SavingAfterRisingPriceClearsThePriceChip) {
  tapChip(row->btnPrice);
  tapChip(row->btnPrice);
  ASSERT_EQ(screen->currentFilter, FilterType::PriceUp);
  EXPECT_EQ(tapChip(row->btnSavest), "SAVING");
  EXPECT_EQ(priceIcon(), icon("Icon_sapxep"));
  EXPECT_FALSE(price().filled);
  EXPECT_TRUE(savest().filled && !savest().targetOn);
  EXPECT_EQ(tapChip(row->btnSavest), "");  // its target is off now
}

// The row shows the order the screen holds at every moment: newest at once on a refresh, the pick
// back when the refresh loads nothing (the next page continues the list's order), newest again when
// a refresh loads.
TEST_F(SortRow, ARefreshShowsNewestAtOnceAndOneThatLoadsNothingPutsThePickBack) {
  tapChip(row->btnPrice);
  screen->refreshData();
  EXPECT_EQ(row->currentFilter, FilterType::Newest);
  EXPECT_TRUE(newest().filled);
  failRequest(categoryRequests().back());
  EXPECT_EQ(screen->currentFilter, FilterType::PriceDown);
  EXPECT_EQ(row->currentFilter, FilterType::PriceDown);
  EXPECT_TRUE(price().filled);
  screen->loadData(false);
  EXPECT_EQ(sentParams(lastCardRequest())["sort"], "PDESC");

  screen->refreshData();
  answerCategories();
  answerCards(cards(1));
  row = std::dynamic_pointer_cast<BuyCardFilterTableViewCell>(cellAt({0, 0}));
  EXPECT_EQ(row->currentFilter, FilterType::Newest);
  EXPECT_TRUE(newest().filled);
  EXPECT_FALSE(price().filled);
}

// ---- Category bar, tapped in the store

class CategoryBar : public StoreTest {
 protected:
  std::shared_ptr<CategoryCollectionViewCell> item(int index) {
    auto collection = screen->viewCateHeader->collectionView.lock();
    collection->layoutIfNeeded();
    return std::dynamic_pointer_cast<CategoryCollectionViewCell>(collection->cellForItem({0, index}));
  }
  static bool marked(const CategoryCollectionViewCell& cell) {
    const auto bg = cell.viewBg.lock()->backgroundColor();
    return bg && bg->cgColor() == ios::UIColor::white()->cgColor() && !cell.imgArrow.lock()->isHidden();
  }
};

TEST_F(CategoryBar, MarksTheCurrentCategoryAndMovesTheMarkOnATap) {
  showHostStore();
  answerCategories(Dictionary::array({category(7, 1, "Làm đẹp"), category(8, 2, "Ăn uống"),
                                      category(9, 3, "Du lịch và nghỉ dưỡng dài ngày")}));
  answerCards(cards(2));
  settle();
  table()->layoutIfNeeded();
  ASSERT_NE(item(0), nullptr);
  EXPECT_EQ(item(0)->lbName.lock()->text(), "Làm đẹp");
  EXPECT_TRUE(marked(*item(0)));
  EXPECT_FALSE(marked(*item(1)));
  EXPECT_EQ(item(2)->frame().size, (ios::CGSize{78, 85}));  // whatever the name's length

  const auto sent = cardRequests().size();
  tap(*item(0));  // the marked one
  EXPECT_EQ(cardRequests().size(), sent);

  tap(*item(1));
  ASSERT_EQ(cardRequests().size(), sent + 1);
  EXPECT_EQ(sentParams(lastCardRequest())["categoryId"], 8);
  EXPECT_FALSE(marked(*item(0)));
  EXPECT_TRUE(marked(*item(1)));
}

TEST_F(CategoryBar, WithoutDelegateATapStillMovesTheMark) {
  auto bar = instanceFromNib<ViewCategoryBuyCard>();
  ASSERT_NE(bar, nullptr);
  bar->setFrame(CGRect(0, 100, 375, 85));
  window->addSubview(bar);
  auto collection = bar->collectionView.lock();
  collection->layoutIfNeeded();
  EXPECT_EQ(collection->numberOfItems(0), 0);

  bar->listCate = {BuyCardCategory::create(), BuyCardCategory::create()};
  bar->listCate[0]->id = 1;
  bar->listCate[1]->id = 2;
  bar->currentCate = bar->listCate[0];
  collection->reloadData();
  collection->layoutIfNeeded();
  auto cell = std::dynamic_pointer_cast<CategoryCollectionViewCell>(collection->cellForItem({0, 1}));
  ASSERT_NE(cell, nullptr);
  tap(*cell);
  EXPECT_EQ(bar->currentCate, bar->listCate[1]);
}

// ---- Card rows, filled by the store

class CardRows : public StoreTest {};

TEST_F(CardRows, CoverBadgeWithoutTheServersTextShowsNoDiscount) {
  showHostStore();
  answerCategories();
  Dictionary card = cardJSON(CardFixture{});
  card.erase("discountValue");
  answer(lastCardRequest(), Dictionary{{"defCardDtos", Dictionary::array({card})}});
  auto cover = std::dynamic_pointer_cast<CardCoverTableViewCell>(cellAt({1, 0}));
  ASSERT_NE(cover, nullptr);
  EXPECT_EQ(cover->lbDiscountPrice.lock()->text(), "0 đ");
}

// ---- Rounded shadow cells in a grouped list

// A list of sections of `rows[i]` rows of rounded cells, each told where it stands.
class RoundedLists : public ios::UITableViewDataSource, public ios::UITableViewDelegate {
 public:
  int numberOfSections(ios::UITableView&) override { return static_cast<int>(rows.size()); }
  int numberOfRowsInSection(ios::UITableView&, int section) override { return rows[section]; }
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& table,
                                                     const IndexPath& indexPath) override {
    auto cell =
        std::static_pointer_cast<RoundedShadowTableViewCell>(table.dequeueReusableCell("Rounded", indexPath));
    cell->resetFor(indexPath, table);
    return cell;
  }
  std::vector<int> rows;
};

class RoundedRows : public ios::test::MainLoopTest {
 protected:
  void show(std::vector<int> sections) {
    lists->rows = std::move(sections);
    table = ios::UITableView::create(CGRect(0, 0, 375, 800));
    table->rowHeight = 50;
    table->registerClass([] { return RoundedShadowTableViewCell::create(); }, "Rounded");
    table->setDataSource(lists);
    table->setDelegate(lists);
    table->layoutIfNeeded();
  }
  std::shared_ptr<RoundedShadowTableViewCell> cell(IndexPath indexPath) {
    auto found = std::static_pointer_cast<RoundedShadowTableViewCell>(table->cellForRow(indexPath));
    found->layoutIfNeeded();
    return found;
  }
  static std::optional<CGRect> shadowBox(const RoundedShadowTableViewCell& cell) {
    auto path = cell.contentView()->layer()->shadowPath();
    return path ? std::optional(path->boundingBox()) : std::nullopt;
  }
  static std::optional<CGRect> maskBox(const RoundedShadowTableViewCell& cell) {
    auto mask = std::dynamic_pointer_cast<ios::CAShapeLayer>(cell.contentView()->layer()->mask());
    return mask && mask->path() ? std::optional(mask->path()->boundingBox()) : std::nullopt;
  }

  std::shared_ptr<RoundedLists> lists = std::make_shared<RoundedLists>();
  std::shared_ptr<ios::UITableView> table;
};

TEST_F(RoundedRows, EachRowIsInsetShadowedAndMaskedByWhereItStands) {
  struct Case {
    int rows, row;
    bool first, last;
    CGRect content;
    std::optional<CGRect> shadow, mask;  // none for a row alone in its section
  };
  const Case cases[] = {
      {1, 0, true, true, CGRect(0, 5, 375, 40), std::nullopt, std::nullopt},
      {3, 0, true, false, CGRect(0, 5, 375, 45), CGRect(0, 2, 375, 65), CGRect(-20, -10, 415, 55)},
      {3, 1, false, false, CGRect(0, 0, 375, 50), CGRect(0, -10, 375, 70), CGRect(-20, 0, 415, 50)},
      {3, 2, false, true, CGRect(0, 0, 375, 45), CGRect(0, -10, 375, 55), CGRect(-20, 0, 415, 55)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + " of " + std::to_string(c.rows));
    show({c.rows});
    auto shown = cell({0, c.row});
    EXPECT_EQ(shown->isFirstRow, c.first);
    EXPECT_EQ(shown->isLastRow, c.last);
    EXPECT_EQ(shown->contentView()->frame(), c.content);
    EXPECT_EQ(shadowBox(*shown), c.shadow);
    EXPECT_EQ(maskBox(*shown), c.mask);
  }
}

}  // namespace
}  // namespace kerbelin::test
