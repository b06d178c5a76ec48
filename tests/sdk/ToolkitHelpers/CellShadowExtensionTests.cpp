#include <QuartzCore/CAShapeLayer.h>
#include <UIKit/UIColor.h>
#include <UIKit/UITableView.h>
#include <UIKit/UITableViewCell.h>
#include <Ultilities/Extensions/UITableViewCellShadowExtension.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;
using ios::IndexPath;

class RowCounts : public ios::UITableViewDataSource {
 public:
  explicit RowCounts(std::vector<int> rows) : rows_(std::move(rows)) {}
  int numberOfSections(ios::UITableView&) override { return static_cast<int>(rows_.size()); }
  int numberOfRowsInSection(ios::UITableView&, int section) override { return rows_[section]; }
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView&, const IndexPath&) override {
    return ios::UITableViewCell::create();
  }

 private:
  std::vector<int> rows_;
};

// A table of three sections with 3, 1 and 2 rows, and a 300 x 44 cell with a background view.
class CellShadow : public ::testing::Test {
 protected:
  void SetUp() override {
    table->setDataSource(counts);
    cell->setFrame(CGRect(0, 0, 300, 44));
    cell->setBackgroundView(ios::UIView::create());
  }
  const ios::CALayer& layer() const { return *cell->backgroundView()->layer(); }
  CGRect shadowBox() const { return layer().shadowPath()->boundingBox(); }
  CGRect maskBox() const {
    auto mask = std::dynamic_pointer_cast<ios::CAShapeLayer>(layer().mask());
    EXPECT_NE(mask, nullptr);
    return mask && mask->path() ? mask->path()->boundingBox() : CGRect::null;
  }

  std::shared_ptr<RowCounts> counts = std::make_shared<RowCounts>(std::vector<int>{3, 1, 2});
  std::shared_ptr<ios::UITableView> table = ios::UITableView::create(CGRect(0, 0, 320, 480));
  std::shared_ptr<ios::UITableViewCell> cell = ios::UITableViewCell::create();
};

TEST_F(CellShadow, TheShadowIsRedRadius3Opacity075WithoutOffsetAndUnclipped) {
  cell->backgroundView()->layer()->setMasksToBounds(true);
  addShadowToCellInTableView(*cell, *table, IndexPath::forRow(1, 0));
  ASSERT_TRUE(layer().shadowColor().has_value());
  EXPECT_EQ(*layer().shadowColor(), ios::UIColor::red()->cgColor());
  EXPECT_EQ(layer().shadowOffset(), (ios::CGSize{0, 0}));
  EXPECT_EQ(layer().shadowRadius(), 3);
  EXPECT_FLOAT_EQ(layer().shadowOpacity(), 0.75f);
  EXPECT_FALSE(layer().masksToBounds());
  // Only the background view is touched.
  EXPECT_EQ(cell->layer()->shadowOpacity(), 0);
  EXPECT_EQ(cell->layer()->mask(), nullptr);
}

// The shadow runs past the ends the row shares with its neighbours; the mask opens 10 points at the
// ends of the card.
TEST_F(CellShadow, EachPlaceInTheSectionGetsItsOwnEndsOfTheCard) {
  const struct {
    const char* place;
    IndexPath row;
    CGRect shadow;
    CGRect mask;
  } cases[] = {
      {"middle", IndexPath::forRow(1, 0), CGRect(0, -10, 300, 64), CGRect(-20, 0, 340, 44)},
      {"first", IndexPath::forRow(0, 0), CGRect(0, 0, 300, 64), CGRect(-20, -10, 340, 54)},
      {"last", IndexPath::forRow(2, 0), CGRect(0, -10, 300, 54), CGRect(-20, 0, 340, 54)},
      {"last of another section", IndexPath::forRow(1, 2), CGRect(0, -10, 300, 54), CGRect(-20, 0, 340, 54)},
      {"alone: the top end only", IndexPath::forRow(0, 1), CGRect(0, 0, 300, 64), CGRect(-20, -10, 340, 54)},
  };
  for (const auto& c : cases) {
    addShadowToCellInTableView(*cell, *table, c.row);
    EXPECT_EQ(shadowBox(), c.shadow) << c.place;
    EXPECT_EQ(maskBox(), c.mask) << c.place;
  }
  // Rounded by 5: the very corner of the box is outside the shadow path, a point 5 in is inside; the
  // mask is a plain rectangle.
  const auto& path = *layer().shadowPath();
  EXPECT_FALSE(path.contains(CGPoint{0.5, 0.5}));
  EXPECT_TRUE(path.contains(CGPoint{5, 5}));
  EXPECT_TRUE(path.contains(CGPoint{150, 0.5}));
  auto mask = std::dynamic_pointer_cast<ios::CAShapeLayer>(layer().mask());
  ASSERT_NE(mask, nullptr);
  EXPECT_TRUE(mask->path()->contains(CGPoint{-19.5, -9.5}));
}

TEST_F(CellShadow, EveryCallReplacesTheMaskForAReusedCell) {
  addShadowToCellInTableView(*cell, *table, IndexPath::forRow(0, 0));
  auto firstMask = layer().mask();
  addShadowToCellInTableView(*cell, *table, IndexPath::forRow(2, 0));
  EXPECT_NE(layer().mask(), firstMask);
  EXPECT_EQ(maskBox(), CGRect(-20, 0, 340, 54));
}

TEST_F(CellShadow, ABackgroundViewWithAnOffsetBoundsOriginKeepsItsCoordinates) {
  cell->backgroundView()->setBounds(CGRect(0, 20, 300, 44));
  addShadowToCellInTableView(*cell, *table, IndexPath::forRow(1, 0));
  EXPECT_EQ(shadowBox(), CGRect(0, 10, 300, 64));
  EXPECT_EQ(maskBox(), CGRect(-20, 20, 340, 44));
}

TEST_F(CellShadow, ACellWithoutBackgroundViewIsLeftAsItIs) {
  auto bare = ios::UITableViewCell::create();
  bare->setFrame(CGRect(0, 0, 300, 44));
  addShadowToCellInTableView(*bare, *table, IndexPath::forRow(0, 0));
  EXPECT_EQ(bare->backgroundView(), nullptr);
  EXPECT_EQ(bare->layer()->shadowOpacity(), 0);
  EXPECT_EQ(bare->layer()->mask(), nullptr);
}

}  // namespace
}  // namespace kerbelin
