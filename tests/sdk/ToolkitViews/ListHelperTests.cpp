#include <Ultilities/Extensions/NSTextAttachmentExtension.h>
#include <Ultilities/Extensions/UICollectionViewExtension.h>
#include <Ultilities/Extensions/UITableViewExtension.h>

#include <Foundation/Bundle.h>
#include <Foundation/Console.h>
#include <UIKit/UICollectionViewFlowLayout.h>
#include <UIKit/UIImage.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include <memory>
#include <optional>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;
using ios::IndexPath;

// Rows of 100 points, as many per section as `rows` says; records the scroll callbacks.
class Rows : public ios::UITableViewDataSource, public ios::UITableViewDelegate {
 public:
  std::vector<int> rows;
  int scrollAnimationsEnded = 0;

  int numberOfSections(ios::UITableView&) override { return static_cast<int>(rows.size()); }
  int numberOfRowsInSection(ios::UITableView&, int section) override { return rows[section]; }
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& table,
                                                     const IndexPath& indexPath) override {
    return table.dequeueReusableCell("row", indexPath);
  }
  ios::CGFloat heightForRowAt(ios::UITableView&, const IndexPath&) override { return 100; }
  ios::CGFloat heightForHeaderInSection(ios::UITableView&, int) override { return 0; }
  ios::CGFloat heightForFooterInSection(ios::UITableView&, int) override { return 0; }
  void scrollViewDidEndScrollingAnimation(ios::UIScrollView&) override { ++scrollAnimationsEnded; }
};

class TableHelpers : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    rows = std::make_shared<Rows>();
    table = ios::UITableView::create(CGRect(0, 0, 320, 150));
    table->setContentInsetAdjustmentBehavior(ios::UIScrollViewContentInsetAdjustmentBehavior::never);
    table->registerClass<ios::UITableViewCell>("row");
    table->setDataSource(rows);
    table->setDelegate(rows);
  }

  void load(std::vector<int> counts) {
    rows->rows = std::move(counts);
    table->reloadData();
    table->layoutIfNeeded();
  }

  // Runs the queued block, then the scrolling animation to its end (its last frame may fall a
  // little after the nominal duration).
  void settle() {
    runUntilIdle();
    advance(ios::UIScrollView::scrollAnimationDuration + 0.1);
    runUntilIdle();
  }

  // The offset that shows the row at the bottom of the table.
  ios::CGFloat bottomOffsetFor(IndexPath indexPath) { return table->rectForRow(indexPath).maxY() - 150; }

  std::shared_ptr<Rows> rows;
  std::shared_ptr<ios::UITableView> table;
};

TEST_F(TableHelpers, IndexPathIsValidChecksTheSectionAndItsRowCount) {
  load({3, 0});
  EXPECT_TRUE(indexPathIsValid(*table, IndexPath::forRow(2, 0)));
  EXPECT_FALSE(indexPathIsValid(*table, IndexPath::forRow(3, 0)));
  EXPECT_FALSE(indexPathIsValid(*table, IndexPath::forRow(0, 1)));
  EXPECT_FALSE(indexPathIsValid(*table, IndexPath::forRow(0, 2)));
}

TEST_F(TableHelpers, ScrollToBottomRowWaitsForTheMainQueueAndSeesALaterReload) {
  load({2});
  scrollToBottomRow(*table);
  rows->rows = {3, 5, 0};  // reloaded after the call, before the queued block runs
  table->reloadData();
  EXPECT_EQ(table->contentOffset().y, 0);
  settle();
  EXPECT_EQ(table->contentOffset().y, bottomOffsetFor(IndexPath::forRow(4, 1)));
  EXPECT_EQ(rows->scrollAnimationsEnded, 1) << "the scroll is animated";
}

TEST_F(TableHelpers, ScrollToBottomRowSettlesOnTheLastRowThatExistsAndWithoutRowsDoesNothing) {
  const struct {
    std::vector<int> rows;
    std::optional<IndexPath> last;
  } cases[] = {
      // The backward search ends on the last row of section 0, not on its first row.
      {{3, 0, 0}, IndexPath::forRow(2, 0)},
      {{4, 0, 2, 0, 0}, IndexPath::forRow(1, 2)},
      {{}, std::nullopt},
      {{0}, std::nullopt},
      {{0, 0, 0}, std::nullopt},
  };
  for (const auto& c : cases) {
    load(c.rows);
    scrollToBottomRow(*table);
    settle();
    EXPECT_EQ(table->contentOffset().y, c.last ? bottomOffsetFor(*c.last) : 0)
        << c.rows.size() << " sections";
  }
}

TEST_F(TableHelpers, ScrollToTopScrollsAnimatedToTheFirstRowWhenThereIsOne) {
  load({0, 10});
  table->setContentOffset(CGPoint{0, 300});
  scrollToTop(*table);
  settle();
  EXPECT_EQ(table->contentOffset().y, 300);
  EXPECT_EQ(rows->scrollAnimationsEnded, 0);

  load({10});
  table->setContentOffset(CGPoint{0, 400});
  scrollToTop(*table);
  EXPECT_EQ(table->contentOffset().y, 400);
  runUntilIdle();
  advance(0.15);
  EXPECT_GT(table->contentOffset().y, 0);
  EXPECT_LT(table->contentOffset().y, 400);
  settle();
  EXPECT_EQ(table->contentOffset().y, 0);
  EXPECT_EQ(rows->scrollAnimationsEnded, 1);
}

TEST_F(TableHelpers, ScrollHelpersLeaveATableThatIsGoneAlone) {
  load({10});
  scrollToTop(*table);
  scrollToBottomRow(*table);
  std::weak_ptr<ios::UITableView> weak = table;
  table.reset();
  EXPECT_TRUE(weak.expired()) << "the queued blocks hold the table weakly";
  settle();
  EXPECT_EQ(rows->scrollAnimationsEnded, 0);
}

TEST_F(TableHelpers, ReloadDataCallsTheCompletionOnceOnALaterTurnWithTheNewData) {
  load({2});
  int calls = 0;
  int rowsSeen = -1;
  rows->rows = {7};
  reloadData(*table, [&] {
    ++calls;
    rowsSeen = table->numberOfRows(0);
  });
  EXPECT_EQ(calls, 0);
  runUntilIdle();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(rowsSeen, 7);
  advance(1);
  runUntilIdle();
  EXPECT_EQ(calls, 1);
}

TEST_F(TableHelpers, ReloadDataSmoothlySwitchesAnimationsOffUntilItsTransactionEnds) {
  load({2});
  rows->rows = {5};
  reloadDataSmoothly(*table);
  EXPECT_FALSE(ios::UIView::areAnimationsEnabled());
  EXPECT_EQ(table->numberOfRows(0), 5);
  auto view = ios::UIView::create();
  ios::UIView::animate(1, [&] { view->setAlpha(0); });
  EXPECT_FALSE(view->layer()->hasAnimations()) << "a block applies at once while animations are off";
  runUntilIdle();
  EXPECT_TRUE(ios::UIView::areAnimationsEnabled());
}

TEST_F(TableHelpers, ReloadDataAndKeepOffsetShiftsByTheAddedHeight) {
  load({10});
  table->setContentOffset(CGPoint{0, 200});
  table->layoutIfNeeded();
  ASSERT_EQ(table->indexPathsForVisibleRows().front(), IndexPath::forRow(2, 0));

  rows->rows = {12};  // two rows inserted above the visible ones
  reloadDataAndKeepOffset(*table);
  settle();
  EXPECT_EQ(table->contentOffset().y, 400);
  table->layoutIfNeeded();
  EXPECT_EQ(table->indexPathsForVisibleRows().front(), IndexPath::forRow(4, 0))
      << "the same content stays in view";

  rows->rows = {13};  // appended at the end: the offset grows just the same
  reloadDataAndKeepOffset(*table);
  settle();
  EXPECT_EQ(table->contentOffset().y, 500);
}

// ---- Collection views and cells

class Items : public ios::UICollectionViewDataSource {
 public:
  int count = 3;
  int numberOfItemsInSection(ios::UICollectionView&, int) override { return count; }
  std::shared_ptr<ios::UICollectionViewCell> cellForItemAt(ios::UICollectionView& view,
                                                           const IndexPath& indexPath) override {
    return view.dequeueReusableCell(kNFDefaultCollectionViewCell, indexPath);
  }
};

class CollectionHelpers : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    items = std::make_shared<Items>();
    collection =
        ios::UICollectionView::create(CGRect(0, 0, 320, 100), ios::UICollectionViewFlowLayout::create());
    collection->setDataSource(items);
  }
  void TearDown() override {
    ios::Bundle::setMainBundle(nullptr);
    MainLoopTest::TearDown();
  }
  std::shared_ptr<Items> items;
  std::shared_ptr<ios::UICollectionView> collection;
};

TEST_F(CollectionHelpers, ReloadDataCallsTheCompletionAfterTheReload) {
  int calls = 0;
  int itemsSeen = -1;
  items->count = 9;
  reloadData(*collection, [&] {
    ++calls;
    itemsSeen = collection->numberOfItems(0);
  });
  EXPECT_EQ(calls, 0);
  runUntilIdle();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(itemsSeen, 9);
}

TEST_F(CollectionHelpers, RegisterDefaultCellUsesTheMainBundlesNib) {
  ios::Bundle::setMainBundle(ios::Bundle::create(
      "toolkit.views.cells",
      ios::Bundle::ResourceMap{
          {"NFDefaultCollectionViewCell.nib.json",
           R"({"objects": [{"class": "UICollectionViewCell", "properties": {"tag": 77}}]})"}}));
  registerDefaultCell(*collection);
  auto cell = collection->dequeueReusableCell("NFDefaultCollectionViewCell", IndexPath::forItem(0, 0));
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->tag, 77);
}

TEST_F(CollectionHelpers, RegisterDefaultCellWithoutTheNibIsHarmless) {
  ios::ConsoleCapture console;
  registerDefaultCell(*collection);
  ASSERT_EQ(console.logMessages().size(), 1u);
  EXPECT_NE(console.logMessages()[0].find("NFDefaultCollectionViewCell"), std::string::npos);
  items->count = 0;
  collection->layoutIfNeeded();
  EXPECT_EQ(collection->numberOfItems(0), 0);
}

TEST_F(CollectionHelpers, AlphaAnimationFadesTheCellInFromThreeTenthsOverOneSecond) {
  auto cell = ios::UICollectionViewCell::create(CGRect(0, 0, 10, 10));
  alphaAnimation(*cell);
  EXPECT_EQ(cell->alpha(), 1.0);
  EXPECT_NEAR(cell->layer()->presentation().opacity, 0.3, 1e-6);
  advance(0.5);
  EXPECT_GT(cell->layer()->presentation().opacity, 0.3);
  EXPECT_LT(cell->layer()->presentation().opacity, 1.0);
  advance(0.5);
  runUntilIdle();
  EXPECT_FALSE(cell->layer()->hasAnimations());
  EXPECT_EQ(cell->layer()->presentation().opacity, 1.0);
}

// ---- Inline images in text

TEST(TextAttachmentHeight, ScalesTheBoundsToTheHeightKeepingTheImagesRatioAndOriginOrLeavesThem) {
  const struct {
    const char* name;
    std::shared_ptr<ios::NSObject> image;
    CGRect bounds;
  } cases[] = {
      {"a 40 x 20 image", ios::UIImage::createWithoutBitmap({40, 20}), CGRect(3, -2, 28, 14)},
      {"no image", nullptr, CGRect(3, -2, 1, 1)},
      {"no height", ios::UIImage::createWithoutBitmap({40, 0}), CGRect(3, -2, 1, 1)},
      {"not an image at all", ios::UIColor::red(), CGRect(3, -2, 1, 1)},
  };
  for (const auto& c : cases) {
    auto attachment = ios::NSTextAttachment::create();
    attachment->bounds = CGRect(3, -2, 1, 1);
    attachment->image = c.image;
    setImageHeight(*attachment, 14);
    EXPECT_EQ(attachment->bounds, c.bounds) << c.name;
  }
}

}  // namespace
}  // namespace kerbelin
