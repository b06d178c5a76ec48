#include <UIKit/TouchGenerator.h>
#include <UIKit/UICollectionView.h>
#include <UIKit/UICollectionViewFlowLayout.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <functional>
#include <string>
#include <vector>

namespace ios {
namespace {

class LabelCell : public UICollectionViewCell {
 public:
  using UICollectionViewCell::UICollectionViewCell;
  int item = -1;
};

class Items : public UICollectionViewDataSource, public UICollectionViewDelegateFlowLayout {
 public:
  std::vector<int> counts{5};
  std::function<CGSize(const IndexPath&)> size;  // empty: the layout's item size
  std::vector<IndexPath> built;
  std::vector<int> itemBeforeFill;
  std::vector<IndexPath> selected;

  int numberOfSections(UICollectionView&) override { return static_cast<int>(counts.size()); }
  int numberOfItemsInSection(UICollectionView&, int section) override { return counts[section]; }
  std::shared_ptr<UICollectionViewCell> cellForItemAt(UICollectionView& view,
                                                      const IndexPath& indexPath) override {
    built.push_back(indexPath);
    auto cell = std::static_pointer_cast<LabelCell>(view.dequeueReusableCell("Label", indexPath));
    itemBeforeFill.push_back(cell->item);
    cell->item = indexPath.item();
    return cell;
  }
  CGSize sizeForItemAt(UICollectionView& view, UICollectionViewLayout& layout,
                       const IndexPath& indexPath) override {
    return size ? size(indexPath)
                : UICollectionViewDelegateFlowLayout::sizeForItemAt(view, layout, indexPath);
  }
  void didSelectItemAt(UICollectionView&, const IndexPath& indexPath) override {
    selected.push_back(indexPath);
  }
};

class CollectionTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    items = std::make_shared<Items>();
  }
  void TearDown() override {
    view.reset();
    WindowTest::TearDown();
  }
  void makeView(const CGRect& frame, std::shared_ptr<UICollectionViewFlowLayout> flow) {
    layout = std::move(flow);
    view = UICollectionView::create(frame, layout);
    view->registerClass<LabelCell>("Label");
    window->addSubview(view);
    view->setDataSource(items);
    view->setDelegate(items);
    view->layoutIfNeeded();
  }
  CGRect frameOf(int item, int section = 0) { return view->layoutAttributesForItem({section, item})->frame; }

  std::shared_ptr<Items> items;
  std::shared_ptr<UICollectionViewFlowLayout> layout;
  std::shared_ptr<UICollectionView> view;
};

TEST_F(CollectionTest, VerticalFlowFillsRowsSpreadingFullOnesAndKeepingTheLastAtMinimumSpacing) {
  auto flow = UICollectionViewFlowLayout::create();
  flow->itemSize = {100, 50};
  flow->sectionInset = {10, 10, 10, 10};
  items->counts = {5};
  makeView(CGRect(0, 100, 320, 400), flow);
  // 300 points across: two items a row, the full rows spread to both edges.
  EXPECT_EQ(frameOf(0), CGRect(10, 10, 100, 50));
  EXPECT_EQ(frameOf(1), CGRect(210, 10, 100, 50));
  EXPECT_EQ(frameOf(2), CGRect(10, 70, 100, 50));
  EXPECT_EQ(frameOf(4), CGRect(10, 130, 100, 50));
  EXPECT_EQ(view->contentSize(), (CGSize{320, 10 + 3 * 50 + 2 * 10 + 10}));
  EXPECT_EQ(view->visibleCells().size(), 5u);
  EXPECT_EQ(view->cellForItem({0, 3})->frame(), frameOf(3));
}

TEST_F(CollectionTest, LastRowWithSeveralItemsKeepsMinimumSpacingAndItemsCentreAcrossTheirLine) {
  auto flow = UICollectionViewFlowLayout::create();
  items->counts = {3};
  items->size = [](const IndexPath& indexPath) { return CGSize{60, indexPath.item() == 1 ? 80.0 : 40.0}; };
  makeView(CGRect(0, 100, 320, 400), flow);
  EXPECT_EQ(frameOf(0), CGRect(0, 20, 60, 40));
  EXPECT_EQ(frameOf(1), CGRect(70, 0, 60, 80));
  EXPECT_EQ(frameOf(2), CGRect(140, 20, 60, 40));
}

TEST_F(CollectionTest, HorizontalFlowPlacesColumnsAtLineSpacingWithDelegateSizes) {
  auto flow = UICollectionViewFlowLayout::create();
  flow->scrollDirection = UICollectionViewScrollDirection::horizontal;
  items->counts = {12};
  items->size = [](const IndexPath&) { return CGSize{78, 85}; };
  makeView(CGRect(0, 100, 320, 85), flow);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(frameOf(i), CGRect(i * 88, 0, 78, 85));
  EXPECT_EQ(view->contentSize(), (CGSize{12 * 78 + 11 * 10, 85}));
  // Only the items meeting the bounds are built: 0..3 (the fourth starts at 264 < 320).
  EXPECT_EQ(view->indexPathsForVisibleItems().size(), 4u);
  EXPECT_EQ(items->built.size(), 4u);
}

TEST_F(CollectionTest, ScrollingReusesCellsWithTheirOldContent) {
  auto flow = UICollectionViewFlowLayout::create();
  flow->scrollDirection = UICollectionViewScrollDirection::horizontal;
  flow->itemSize = {300, 100};
  items->counts = {20};
  makeView(CGRect(0, 100, 320, 100), flow);
  for (int page = 1; page < 20; ++page) {
    view->setContentOffset({page * 310.0, 0});
    view->layoutIfNeeded();
  }
  EXPECT_LE(view->cellsCreated(), 3u);
  EXPECT_EQ(items->itemBeforeFill.front(), -1);
  EXPECT_GE(items->itemBeforeFill.back(), 0);  // a reused cell still showed its earlier item
  EXPECT_EQ(std::static_pointer_cast<LabelCell>(view->cellForItem({0, 19}))->item, 19);
}

TEST_F(CollectionTest, TapSelectsAnItemAndReloadAsksTheCountsAgain) {
  auto flow = UICollectionViewFlowLayout::create();
  flow->itemSize = {100, 100};
  items->counts = {3};
  makeView(CGRect(0, 100, 320, 400), flow);
  TouchGenerator(window).tap({150, 150});
  EXPECT_EQ(items->selected, (std::vector<IndexPath>{{0, 1}}));
  EXPECT_TRUE(view->cellForItem({0, 1})->isSelected());
  TouchGenerator(window).tap({150, 350});  // no item there
  EXPECT_EQ(items->selected.size(), 1u);

  items->counts = {7};
  view->reloadData();
  EXPECT_TRUE(view->visibleCells().empty());
  EXPECT_EQ(view->numberOfItems(0), 7);
  view->layoutIfNeeded();
  EXPECT_EQ(view->visibleCells().size(), 7u);
  EXPECT_EQ(view->cellsCreated(), 7u);
  EXPECT_TRUE(view->indexPathsForSelectedItems().empty());
}

TEST_F(CollectionTest, TypedDequeueOfAnotherClassStopsWithBothNames) {
  makeView(CGRect(0, 100, 320, 400), UICollectionViewFlowLayout::create());
  view->registerClass<UICollectionViewCell>("Plain");
  EXPECT_NE(view->dequeueReusableCell<UICollectionViewCell>("Label", {0, 0}), nullptr);
  EXPECT_DEATH(view->dequeueReusableCell<LabelCell>("Plain", {0, 0}),
               "a UICollectionViewCell is not a LabelCell");
}

TEST_F(CollectionTest, UnregisteredIdentifierStopsWithAMessage) {
  makeView(CGRect(0, 100, 320, 400), UICollectionViewFlowLayout::create());
  EXPECT_DEATH(view->dequeueReusableCell("Missing", {0, 0}),
               "unable to dequeue a cell with identifier \"Missing\"");
}

}  // namespace
}  // namespace ios
