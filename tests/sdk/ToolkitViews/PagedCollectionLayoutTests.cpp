#include <Ultilities/lib/PagedCollectionLayout.h>

#include <UIKit/TouchGenerator.h>
#include <UIKit/UICollectionView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <memory>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;

class Cards : public ios::UICollectionViewDataSource {
 public:
  int count = 4;
  int numberOfItemsInSection(ios::UICollectionView&, int section) override {
    return section == 0 ? count : 50;
  }
  int numberOfSections(ios::UICollectionView&) override { return 2; }
  std::shared_ptr<ios::UICollectionViewCell> cellForItemAt(ios::UICollectionView& view,
                                                           const ios::IndexPath& indexPath) override {
    return view.dequeueReusableCell("card", indexPath);
  }
};

// A 300-point wide carousel of 300 x 200 cards, 10 points apart, in a window at the top left.
class PagedLayout : public ios::test::WindowTest {
 protected:
  PagedLayout() : WindowTest({300, 200}) {}
  void SetUp() override {
    WindowTest::SetUp();
    layout = PagedCollectionLayout::create();
    layout->itemSize = {300, 200};
    layout->scrollDirection = ios::UICollectionViewScrollDirection::horizontal;
    collection = ios::UICollectionView::create(CGRect(0, 0, 300, 200), layout);
    collection->setContentInsetAdjustmentBehavior(ios::UIScrollViewContentInsetAdjustmentBehavior::never);
    collection->registerClass<ios::UICollectionViewCell>("card");
    cards = std::make_shared<Cards>();
    collection->setDataSource(cards);
    window->addSubview(collection);
    runUntilIdle();
  }

  // A drag of `distance` points leftwards (a forward swipe) or rightwards (negative), lifted while
  // moving, then the deceleration to its end.
  void swipe(double distance, double seconds = 0.2) {
    ios::TouchGenerator finger(window);
    const double from = distance > 0 ? 250 : 50;
    finger.drag({from, 100}, {from - distance, 100}, seconds);
    advance(3);
    runUntilIdle();
  }

  std::shared_ptr<PagedCollectionLayout> layout;
  std::shared_ptr<ios::UICollectionView> collection;
  std::shared_ptr<Cards> cards;
};

TEST_F(PagedLayout, EverySwipeMovesOnePageWhateverItsSpeed) {
  swipe(150);
  EXPECT_EQ(collection->contentOffset().x, 310);
  EXPECT_EQ(layout->currentPage(), 1);
  swipe(280, 0.05);  // a very fast swipe
  EXPECT_EQ(collection->contentOffset().x, 620) << "page 2 at pitch 300 + 10";
  EXPECT_EQ(layout->currentPage(), 2);
  EXPECT_EQ(layout->previousOffset(), 620);
  swipe(-150);
  EXPECT_EQ(collection->contentOffset().x, 310);
  EXPECT_EQ(layout->currentPage(), 1);
}

TEST_F(PagedLayout, AStillReleaseSnapsBackToTheCurrentPage) {
  swipe(150);
  ios::TouchGenerator finger(window);
  finger.drag({250, 100}, {150, 100}, 0.2, 10, false);
  advance(1);  // held still before lifting
  finger.up();
  advance(3);
  runUntilIdle();
  EXPECT_EQ(collection->contentOffset().x, 310);
  EXPECT_EQ(layout->currentPage(), 1);
}

TEST_F(PagedLayout, TheFirstAndLastPagesHoldAgainstSwipesPastThem) {
  swipe(-100);
  EXPECT_EQ(layout->currentPage(), 0);
  EXPECT_EQ(collection->contentOffset().x, 0);
  for (int i = 0; i < 5; ++i) swipe(150);
  EXPECT_EQ(layout->currentPage(), 3) << "count - 1 of section 0 only";
  EXPECT_EQ(collection->contentOffset().x, 930);
}

TEST_F(PagedLayout, TheAnswerFollowsTheOffsetTheFingerLeftNotTheProposedOne) {
  collection->setContentOffset(CGPoint{40, 0});
  // A forward velocity with the offset past the last snap: next page, y passed through.
  EXPECT_EQ(layout->targetContentOffset(CGPoint{900, 33}, CGPoint{2, 5}), (CGPoint{310, 33}));
  // Velocity against the drag keeps the page.
  collection->setContentOffset(CGPoint{350, 0});
  EXPECT_EQ(layout->targetContentOffset(CGPoint{0, -7}, CGPoint{-1, 0}), (CGPoint{310, -7}));
  collection->setContentOffset(CGPoint{300, 0});
  EXPECT_EQ(layout->targetContentOffset(CGPoint{0, 0}, CGPoint{-1, 0}), (CGPoint{0, 0}));
  collection->setContentOffset(CGPoint{10, 0});
  EXPECT_EQ(layout->targetContentOffset(CGPoint{0, 0}, CGPoint{0, 0}), (CGPoint{0, 0}));
}

TEST_F(PagedLayout, TheSpacingAndItemWidthSetThePitch) {
  layout->itemSize = {200, 200};
  layout->minimumInteritemSpacing = 25;
  layout->minimumLineSpacing = 99;  // not part of the pitch
  collection->setContentOffset(CGPoint{1, 0});
  EXPECT_EQ(layout->targetContentOffset(CGPoint{0, 0}, CGPoint{1, 0}).x, 225);
}

TEST_F(PagedLayout, AShorterListIsClampedOnlyByTheNextForwardSwipe) {
  layout->setCurrentPage(3);
  layout->setPreviousOffset(930);
  cards->count = 2;
  collection->reloadData();
  EXPECT_EQ(layout->currentPage(), 3);
  collection->setContentOffset(CGPoint{950, 0});
  EXPECT_EQ(layout->targetContentOffset(CGPoint{950, 0}, CGPoint{1, 0}).x, 310);
  EXPECT_EQ(layout->currentPage(), 1);
}

TEST(PagedLayoutAlone, WithoutACollectionViewOrDataSourceTheProposedOffsetStands) {
  auto layout = PagedCollectionLayout::create();
  EXPECT_EQ(layout->targetContentOffset(CGPoint{123, 45}, CGPoint{3, 0}), (CGPoint{123, 45}));
  auto collection = ios::UICollectionView::create(CGRect(0, 0, 300, 200), layout);
  EXPECT_EQ(layout->targetContentOffset(CGPoint{123, 45}, CGPoint{3, 0}), (CGPoint{123, 45}));
  EXPECT_EQ(layout->currentPage(), 0);
  EXPECT_EQ(layout->previousOffset(), 0);
}

}  // namespace
}  // namespace kerbelin
