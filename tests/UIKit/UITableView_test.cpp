#include <UIKit/Nib/UINib.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>

#include <cmath>
#include <support/WindowTest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ios {
namespace {

// A cell that shows one text; it never clears it on reuse, as the screens' cells do not.
class TextCell : public UITableViewCell {
 public:
  using UITableViewCell::UITableViewCell;
  std::string text;
  std::vector<bool> selections;
  void setSelected(bool selected, bool animated) override {
    UITableViewCell::setSelected(selected, animated);
    selections.push_back(selected);
  }
};

// A self-sizing cell: a bar pinned to the content view's top and bottom with a height constraint,
// so the row's height is the bar's plus 2 × 5 points.
class SizingCell : public UITableViewCell {
 public:
  using UITableViewCell::UITableViewCell;
  std::shared_ptr<UIView> bar;
  std::shared_ptr<NSLayoutConstraint> barHeight;
  void build() {
    if (bar) return;
    bar = UIView::create();
    bar->setTranslatesAutoresizingMaskIntoConstraints(false);
    contentView()->addSubview(bar);
    barHeight = bar->heightAnchor().constraintEqualToConstant(10);
    NSLayoutConstraint::activate({bar->topAnchor().constraintEqualTo(contentView()->topAnchor(), 5),
                                  bar->bottomAnchor().constraintEqualTo(contentView()->bottomAnchor(), -5),
                                  bar->leadingAnchor().constraintEqualTo(contentView()->leadingAnchor(), 0),
                                  bar->trailingAnchor().constraintEqualTo(contentView()->trailingAnchor(), 0),
                                  barHeight});
  }
};

// A cell sized by a wrapping label, 5 points from the content view's top and bottom and 10 from
// its sides.
class LabelCell : public UITableViewCell {
 public:
  using UITableViewCell::UITableViewCell;
  std::shared_ptr<UILabel> label;
  void build() {
    if (label) return;
    label = UILabel::create();
    label->setNumberOfLines(0);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    contentView()->addSubview(label);
    NSLayoutConstraint::activate({label->topAnchor().constraintEqualTo(contentView()->topAnchor(), 5),
                                  label->bottomAnchor().constraintEqualTo(contentView()->bottomAnchor(), -5),
                                  label->leadingAnchor().constraintEqualTo(contentView()->leadingAnchor(), 10),
                                  label->trailingAnchor().constraintEqualTo(contentView()->trailingAnchor(), -10)});
  }
};

// Data source and delegate with scripted answers and a log of what the table asked.
class Lists : public UITableViewDataSource, public UITableViewDelegate {
 public:
  std::vector<int> rows{1000};
  std::function<CGFloat(const IndexPath&)> height = [](const IndexPath&) { return 44.0; };
  std::function<CGFloat(int)> headerHeight;
  std::function<CGFloat(int)> footerHeight;
  std::function<std::shared_ptr<UIView>(int)> header;
  std::function<std::shared_ptr<UIView>(int)> footer;
  std::string identifier = "Text";
  std::vector<IndexPath> built;
  std::vector<IndexPath> selectedRows;
  std::vector<IndexPath> deselectedRows;
  std::map<int, CGFloat> barHeights;  // by row, for sizing cells
  std::function<std::string(int)> labelText;  // by row, for label cells

  int numberOfSections(UITableView&) override { return static_cast<int>(rows.size()); }
  int numberOfRowsInSection(UITableView&, int section) override { return rows[section]; }
  std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& table, const IndexPath& indexPath) override {
    built.push_back(indexPath);
    auto cell = table.dequeueReusableCell(identifier, indexPath);
    if (auto text = std::dynamic_pointer_cast<TextCell>(cell))
      text->text = "row " + std::to_string(indexPath.row);
    if (auto labelled = std::dynamic_pointer_cast<LabelCell>(cell)) {
      labelled->build();
      labelled->label->setText(labelText(indexPath.row));
    }
    if (auto sizing = std::dynamic_pointer_cast<SizingCell>(cell)) {
      sizing->build();
      sizing->barHeight->setConstant(barHeights.count(indexPath.row) ? barHeights[indexPath.row]
                                                                     : 10 + (indexPath.row % 3) * 10);
    }
    return cell;
  }
  CGFloat heightForRowAt(UITableView&, const IndexPath& indexPath) override { return height(indexPath); }
  CGFloat heightForHeaderInSection(UITableView& table, int section) override {
    return headerHeight ? headerHeight(section)
                        : UITableViewDelegate::heightForHeaderInSection(table, section);
  }
  CGFloat heightForFooterInSection(UITableView& table, int section) override {
    return footerHeight ? footerHeight(section)
                        : UITableViewDelegate::heightForFooterInSection(table, section);
  }
  std::shared_ptr<UIView> viewForHeaderInSection(UITableView&, int section) override {
    return header ? header(section) : nullptr;
  }
  std::shared_ptr<UIView> viewForFooterInSection(UITableView&, int section) override {
    return footer ? footer(section) : nullptr;
  }
  void didSelectRowAt(UITableView&, const IndexPath& indexPath) override {
    selectedRows.push_back(indexPath);
  }
  void didDeselectRowAt(UITableView&, const IndexPath& indexPath) override {
    deselectedRows.push_back(indexPath);
  }
};

class TableTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    lists = std::make_shared<Lists>();
  }
  void TearDown() override {
    table.reset();
    WindowTest::TearDown();
  }
  // A table of `height` points placed below the safe area, with the lists as data source and
  // delegate unless `attached` is false (then the test configures it and calls attach()).
  void makeTable(UITableViewStyle style = UITableViewStyle::plain, CGFloat height = 600,
                 bool attached = true) {
    table = UITableView::create(CGRect(0, 100, 375, height), style);
    table->registerClass<TextCell>("Text");
    table->registerClass<SizingCell>("Sizing");
    table->registerClass<LabelCell>("Label");
    window->addSubview(table);
    if (attached) attach();
  }
  void attach() {
    table->setDataSource(lists);
    table->setDelegate(lists);
    table->layoutIfNeeded();
  }
  void selfSizing() {
    lists->identifier = "Sizing";
    lists->height = [](const IndexPath&) { return UITableView::automaticDimension; };
  }
  void scrollTo(CGFloat y) {
    table->setContentOffset({0, y});
    table->layoutIfNeeded();
  }
  // The rows on screen must be exactly the rows the geometry puts in the bounds.
  void expectVisibleRowsMatchGeometry() {
    const CGRect visible = table->bounds();
    for (const auto& indexPath : table->indexPathsForVisibleRows()) {
      const CGRect rect = table->rectForRow(indexPath);
      EXPECT_TRUE(rect.maxY() > visible.minY() && rect.minY() < visible.maxY());
      EXPECT_EQ(table->cellForRow(indexPath)->frame(), rect);
    }
  }

  std::shared_ptr<Lists> lists;
  std::shared_ptr<UITableView> table;
};

TEST_F(TableTest, ThousandRowsScrolledTopToBottomReuseAScreenfulOfCells) {
  makeTable();
  EXPECT_EQ(table->contentSize().height, 44000);
  EXPECT_EQ(table->visibleCells().size(), 14u);  // 600 / 44 rounded up
  EXPECT_EQ(lists->built.size(), 14u);           // only the rows in view were built
  EXPECT_EQ(table->cellForRow({0, 14}), nullptr);
  EXPECT_EQ(table->indexPath(*table->cellForRow({0, 3})), (IndexPath{0, 3}));
  for (CGFloat y = 0; y <= table->maximumContentOffset().y; y += 37) {
    scrollTo(y);
    expectVisibleRowsMatchGeometry();
  }
  scrollTo(table->maximumContentOffset().y);
  EXPECT_EQ(table->contentOffset().y, 44000 - 600);
  EXPECT_LE(table->cellsCreated(), 16u);
  EXPECT_EQ(table->indexPathsForVisibleRows().back(), (IndexPath{0, 999}));
  EXPECT_EQ(std::static_pointer_cast<TextCell>(table->cellForRow({0, 999}))->text, "row 999");
  EXPECT_EQ(table->rectForRow({0, 500}), CGRect(0, 22000, 375, 44));
  EXPECT_EQ(table->indexPathForRow({10, 22000 + 43}), (IndexPath{0, 500}));
}

TEST_F(TableTest, AutomaticHeightsComeFromTheCellsConstraints) {
  selfSizing();
  makeTable(UITableViewStyle::plain, 600, false);
  table->estimatedRowHeight = 0.1;
  attach();
  // Rows are 20, 30, 40, 20, 30, ...: the screen holds about 20 of them, and only those were built.
  EXPECT_EQ(table->rectForRow({0, 0}).height(), 20);
  EXPECT_EQ(table->rectForRow({0, 1}), CGRect(0, 20, 375, 30));
  EXPECT_EQ(table->rectForRow({0, 2}), CGRect(0, 50, 375, 40));
  EXPECT_LE(lists->built.size(), 22u);
  expectVisibleRowsMatchGeometry();
  // Scrolling through measures every row on the way: the content ends as the sum of the heights.
  for (int i = 0; i < 400; ++i) {
    if (table->contentOffset().y >= table->maximumContentOffset().y) break;
    scrollTo(table->contentOffset().y + 200);
  }
  EXPECT_EQ(table->contentSize().height, 334 * 20 + 333 * 30 + 333 * 40);
  EXPECT_LE(table->cellsCreated(), 36u);
  expectVisibleRowsMatchGeometry();
}

TEST_F(TableTest, SelfSizingRowsLandOnThePixelGrid) {
  // Bars of a third, a sixth, three quarters and a fifth of a point make rows off the 2x grid; each is
  // rounded to the nearest pixel, so rows, cells and their content sit on whole pixels.
  const struct {
    CGFloat bar, row;
  } rows[] = {{10.0 / 3, 13.5}, {10.0 / 6, 11.5}, {10.75, 21}, {10.2, 20}};
  selfSizing();
  for (int r = 0; r < 4; ++r) lists->barHeights[r] = rows[r].bar;
  makeTable();
  CGFloat top = 0;
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(table->rectForRow({0, r}), CGRect(0, top, 375, rows[r].row)) << r;
    auto cell = std::static_pointer_cast<SizingCell>(table->cellForRow({0, r}));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->frame().minY(), top) << r;
    const CGRect bar = cell->bar->frame();
    for (CGFloat edge : {bar.minY(), bar.maxY()}) EXPECT_EQ(edge * 2, std::round(edge * 2)) << r;
    top += rows[r].row;
  }
}

TEST_F(TableTest, BeginEndUpdatesAsksTheHeightsAgain) {
  selfSizing();
  makeTable();
  EXPECT_EQ(table->rectForRow({0, 1}).minY(), 20);
  lists->barHeights[0] = 90;
  // The cell is re-filled by the screen itself, as the screens do before asking for new heights.
  std::static_pointer_cast<SizingCell>(table->cellForRow({0, 0}))->barHeight->setConstant(90);
  table->beginUpdates();
  table->endUpdates();
  EXPECT_EQ(table->rectForRow({0, 0}).height(), 100);
  EXPECT_EQ(table->rectForRow({0, 1}).minY(), 100);
  EXPECT_EQ(table->cellForRow({0, 1})->frame().minY(), 100);
}

TEST_F(TableTest, SectionsWithTinyHeadersAndFootersTakeTheirHeightsLiterally) {
  lists->rows = {2, 3, 1};
  lists->height = [](const IndexPath&) { return 50.0; };
  lists->headerHeight = [](int) { return 0.01; };
  lists->footerHeight = [](int) { return 12.0; };
  lists->footer = [](int) { return UIView::create(); };  // a new clear view per call, as the screens do
  makeTable(UITableViewStyle::grouped);
  EXPECT_DOUBLE_EQ(table->rectForRow({0, 0}).minY(), 0.01);
  EXPECT_DOUBLE_EQ(table->rectForFooter(0).minY(), 0.01 + 100);
  EXPECT_DOUBLE_EQ(table->rectForRow({1, 0}).minY(), 0.01 + 100 + 12 + 0.01);
  EXPECT_DOUBLE_EQ(table->contentSize().height, 3 * (0.01 + 12) + 6 * 50);
  EXPECT_EQ(table->headerView(0), nullptr);  // no header view: nothing shown
  auto footer = table->footerView(1);
  ASSERT_NE(footer, nullptr);
  EXPECT_EQ(footer->superview(), table);
  EXPECT_DOUBLE_EQ(footer->frame().height(), 12);
  // Views sit on the pixel nearest their literal place, so that nothing is drawn between pixels.
  const CGFloat scale = UIScreen::main()->scale();
  EXPECT_DOUBLE_EQ(footer->frame().minY() * scale, std::round(table->rectForFooter(1).minY() * scale));
  EXPECT_DOUBLE_EQ(table->cellForRow({1, 0})->frame().minY() * scale,
                   std::round(table->rectForRow({1, 0}).minY() * scale));
}

TEST_F(TableTest, PlainTablePinsTheSameHeaderViewWhileItsSectionIsInView) {
  lists->rows = {30, 30};
  auto bar = UIView::create();
  int asked = 0;
  lists->header = [&](int section) {
    ++asked;
    return section == 0 ? bar : nullptr;
  };
  lists->headerHeight = [](int section) { return section == 0 ? 85.0 : 0.01; };
  makeTable();
  EXPECT_EQ(table->headerView(0), bar);
  EXPECT_EQ(bar->frame(), CGRect(0, 0, 375, 85));
  scrollTo(500);
  EXPECT_EQ(bar->frame().minY(), 500);  // pinned to the top of the view
  EXPECT_EQ(table->headerView(0), bar);
  TouchGenerator(window).tap({100, 100 + 20});  // on the header, over a row
  EXPECT_TRUE(lists->selectedRows.empty());
  TouchGenerator(window).tap({100, 100 + 90});  // just below it
  EXPECT_EQ(lists->selectedRows, (std::vector<IndexPath>{*table->indexPathForRow({100, 590})}));
  scrollTo(5000);
  EXPECT_EQ(table->headerView(0), nullptr);
  EXPECT_EQ(bar->superview(), nullptr);
  scrollTo(0);
  EXPECT_EQ(table->headerView(0), bar);
  EXPECT_GE(asked, 2);
}

TEST_F(TableTest, GroupedTableScrollsHeadersWithTheirRows) {
  lists->rows = {30};
  auto bar = UIView::create();
  lists->header = [&](int) { return bar; };
  lists->headerHeight = [](int) { return 40.0; };
  makeTable(UITableViewStyle::grouped);
  scrollTo(20);
  EXPECT_EQ(bar->frame().minY(), 0);
}

TEST_F(TableTest, ReloadDataWorksWithADataSourceSetLater) {
  makeTable(UITableViewStyle::plain, 600, false);
  table->layoutIfNeeded();
  EXPECT_EQ(table->numberOfSections(), 0);
  lists->rows = {3};
  table->setDataSource(lists);
  table->setDelegate(lists);
  table->reloadData();
  EXPECT_TRUE(lists->built.empty());  // rows are built by the layout pass, not by the reload
  table->layoutIfNeeded();
  EXPECT_EQ(table->numberOfRows(0), 3);
  EXPECT_EQ(table->visibleCells().size(), 3u);
  EXPECT_EQ(table->contentSize().height, 132);

  lists->rows = {1};
  table->reloadData();
  EXPECT_TRUE(table->visibleCells().empty());  // back in the pool at once
  table->layoutIfNeeded();
  EXPECT_EQ(table->visibleCells().size(), 1u);
  EXPECT_EQ(table->cellsCreated(), 3u);
}

TEST_F(TableTest, ReloadKeepsTheOffsetAndClampsItWhenTheContentShrank) {
  makeTable();
  scrollTo(2000);
  lists->rows = {100};
  table->reloadData();
  table->layoutIfNeeded();
  EXPECT_EQ(table->contentOffset().y, 2000);
  lists->rows = {20};
  table->reloadData();
  table->layoutIfNeeded();
  EXPECT_EQ(table->contentOffset().y, 20 * 44 - 600);
}

// A list that grows page by page reloads with its reader near the end: the rows already measured keep
// their heights, so the offset stays and the new rows can be reached.
TEST_F(TableTest, ReloadAfterAppendingKeepsMeasuredHeightsAndTheOffsetNearTheEnd) {
  selfSizing();
  lists->rows = {10};
  for (int r = 0; r < 20; ++r) lists->barHeights[r] = 190;  // 200-point rows against a 44-point estimate
  makeTable();
  for (int i = 0; i < 20; ++i) scrollTo(table->maximumContentOffset().y);
  ASSERT_EQ(table->contentSize().height, 2000);
  const CGFloat end = table->contentOffset().y;
  ASSERT_EQ(end, 1400);

  lists->rows = {15};
  table->reloadData();
  table->layoutIfNeeded();
  EXPECT_EQ(table->contentOffset().y, end);
  EXPECT_EQ(table->rectForRow({0, 9}).minY(), 1800);
  scrollTo(end + 400);
  EXPECT_EQ(table->contentOffset().y, end + 400);
  EXPECT_TRUE(table->cellForRow({0, 11}));
}

TEST_F(TableTest, ReloadRowsAndSectionsRebuildOnlyThoseCells) {
  lists->rows = {5, 5};
  makeTable();
  lists->built.clear();
  table->reloadRows({{0, 2}});
  table->layoutIfNeeded();
  EXPECT_EQ(lists->built, (std::vector<IndexPath>{{0, 2}}));
  lists->built.clear();
  lists->rows[1] = 2;
  table->reloadSections({1});
  table->layoutIfNeeded();
  EXPECT_EQ(lists->built, (std::vector<IndexPath>{{1, 0}, {1, 1}}));
  EXPECT_EQ(table->numberOfRows(1), 2);
  EXPECT_EQ(table->cellForRow({1, 3}), nullptr);
}

TEST_F(TableTest, ScrollToRowPutsTheRowWhereAsked) {
  makeTable(UITableViewStyle::plain, 440);
  table->scrollToRow({0, 50}, UITableViewScrollPosition::top, false);
  EXPECT_EQ(table->contentOffset().y, 2200);
  table->scrollToRow({0, 50}, UITableViewScrollPosition::bottom, false);
  EXPECT_EQ(table->contentOffset().y, 2200 + 44 - 440);
  table->scrollToRow({0, 50}, UITableViewScrollPosition::middle, false);
  EXPECT_EQ(table->contentOffset().y, 2200 + 22 - 220);
  table->scrollToRow({0, 999}, UITableViewScrollPosition::top, false);
  EXPECT_EQ(table->contentOffset().y, 44000 - 440);  // clamped to the end
  table->scrollToRow({0, 3}, UITableViewScrollPosition::top, true);
  advance(1);
  EXPECT_EQ(table->contentOffset().y, 3 * 44);
  table->layoutIfNeeded();
  EXPECT_NE(table->cellForRow({0, 3}), nullptr);
}

TEST_F(TableTest, TapSelectsTheRowEvenWithSelectionStyleNone) {
  makeTable();
  auto cell = std::static_pointer_cast<TextCell>(table->cellForRow({0, 2}));
  cell->selectionStyle = UITableViewCellSelectionStyle::none;
  TouchGenerator touches(window);
  touches.tap({100, 100 + 2 * 44 + 20});
  EXPECT_EQ(lists->selectedRows, (std::vector<IndexPath>{{0, 2}}));
  EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 2}));
  advance(2);
  EXPECT_TRUE(cell->isSelected());  // never deselected on its own

  touches.tap({100, 100 + 5 * 44 + 20});
  EXPECT_EQ(lists->selectedRows.back(), (IndexPath{0, 5}));
  EXPECT_EQ(lists->deselectedRows, (std::vector<IndexPath>{{0, 2}}));
  EXPECT_FALSE(cell->isSelected());
}

TEST_F(TableTest, DragOrTapThatStopsTheListSelectsNothing) {
  makeTable();
  TouchGenerator touches(window);
  touches.drag({100, 600}, {100, 300}, 0.1, 10);
  EXPECT_TRUE(lists->selectedRows.empty());
  ASSERT_TRUE(table->isDecelerating());
  touches.tap({100, 300});
  EXPECT_TRUE(lists->selectedRows.empty());
  EXPECT_FALSE(table->isDecelerating());
  touches.tap({100, 300});
  EXPECT_EQ(lists->selectedRows.size(), 1u);
}

TEST_F(TableTest, SelectionFollowsRowsThroughReuse) {
  makeTable();
  table->selectRow(IndexPath{0, 1}, false, UITableViewScrollPosition::none);
  EXPECT_TRUE(table->cellForRow({0, 1})->isSelected());
  scrollTo(4400);
  for (const auto& cell : table->visibleCells()) EXPECT_FALSE(cell->isSelected());
  scrollTo(0);
  EXPECT_TRUE(table->cellForRow({0, 1})->isSelected());
  EXPECT_TRUE(lists->selectedRows.empty());  // programmatic selection tells no one
  table->reloadData();
  EXPECT_FALSE(table->indexPathForSelectedRow().has_value());
}

TEST_F(TableTest, DequeueWithoutIndexPathGivesNullForAnUnknownIdentifier) {
  makeTable();
  EXPECT_EQ(table->dequeueReusableCell("Nope"), nullptr);
  EXPECT_NE(table->dequeueReusableCell("Text"), nullptr);
  EXPECT_DEATH(table->dequeueReusableCell("Nope", IndexPath{0, 0}),
               "unable to dequeue a cell with identifier \"Nope\"");
}

TEST_F(TableTest, TypedDequeueGivesTheRegisteredClassAndStopsOnAnotherOne) {
  makeTable();
  auto text = table->dequeueReusableCell<TextCell>("Text", IndexPath{0, 0});
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->frame().width(), 375);
  EXPECT_NE(table->dequeueReusableCell<UITableViewCell>("Sizing"), nullptr);
  EXPECT_EQ(table->dequeueReusableCell<TextCell>("Nope"), nullptr);
  EXPECT_DEATH(table->dequeueReusableCell<TextCell>("Sizing", IndexPath{0, 0}),
               "a SizingCell is not a TextCell");
  EXPECT_DEATH(table->dequeueReusableCell<SizingCell>("Text"), "a TextCell is not a SizingCell");
}

TEST_F(TableTest, NibCellsAreMadeFromTheRegisteredNibAndSizeThemselves) {
  const std::string nib = R"({
    "objects": [
      {"class": "UITableViewCell", "id": "cell", "properties": {"frame": [0, 0, 320, 44]},
       "subviews": [{"class": "UIView", "id": "bar", "properties": {"accessibilityIdentifier": "bar"}}],
       "constraints": ["bar.top == superview.top + 6", "bar.leading == superview.leading",
                       "bar.trailing == superview.trailing", "bar.height == 30",
                       "superview.bottom == bar.bottom + 4"]}
    ]})";
  selfSizing();
  lists->identifier = "NibCell";
  makeTable(UITableViewStyle::plain, 600, false);
  table->registerNib(UINib::fromData("NibCell", nib), "NibCell");
  attach();
  EXPECT_EQ(table->cellForRow({0, 0})->contentView()->subviews().at(0)->accessibilityIdentifier, "bar");
  EXPECT_EQ(table->rectForRow({0, 0}).height(), 40);
  EXPECT_EQ(table->rectForRow({0, 1}).minY(), 40);
}

// Rows of one to four lines of text scrolled through, their cells reused for rows of other
// lengths: every row on screen shows its own text at the height that text takes.
TEST_F(TableTest, ReusedCellsShowTheirNewRowsTextAtItsOwnHeight) {
  auto text = [](int row) {
    std::string lines = "Thẻ quà tặng số " + std::to_string(row);
    for (int line = 0; line < row % 4; ++line) lines += "\nƯu đãi " + std::to_string(line + 1);
    return lines;
  };
  auto heightOf = [&](int row) {
    auto label = UILabel::create();
    label->setText(text(row));
    return label->makeLayout(375 - 20, 0).roundedUpSize(UIScreen::main()->scale()).height + 10;
  };
  ASSERT_NE(heightOf(0), heightOf(1));
  lists->rows = {60};
  lists->identifier = "Label";
  lists->labelText = text;
  lists->height = [](const IndexPath&) { return UITableView::automaticDimension; };
  makeTable();
  for (CGFloat y = 0; y < 1500; y += 97) {
    scrollTo(y);
    for (const auto& indexPath : table->indexPathsForVisibleRows()) {
      auto cell = std::dynamic_pointer_cast<LabelCell>(table->cellForRow(indexPath));
      ASSERT_TRUE(cell);
      EXPECT_EQ(cell->label->text(), text(indexPath.row)) << "row " << indexPath.row;
      EXPECT_EQ(cell->frame().height(), heightOf(indexPath.row)) << "row " << indexPath.row;
      EXPECT_EQ(cell->label->frame().height(), heightOf(indexPath.row) - 10) << "row " << indexPath.row;
    }
  }
  EXPECT_LT(table->cellsCreated(), 30u);  // the cells were reused
}

// A cell measured where its constraints already are gets what a scratch engine gives, at any width and
// after a constant changed, and its content is laid out at the cell's own size afterwards.
TEST_F(TableTest, CellsMeasuredInPlaceMatchAScratchMeasureAndKeepTheirLayout) {
  const std::string wrapping = "Thẻ quà tặng dùng cho mọi cửa hàng trong hệ thống, hạn dùng mười hai tháng";
  const struct {
    std::string text;
    CGFloat width, otherWidth;
  } cases[] = {{"Một dòng", 375, 120}, {wrapping, 375, 180}, {wrapping, 160, 300}, {"Hai\nba\nbốn", 375, 90}};
  auto scratch = [](const std::string& text, CGFloat width) {
    auto cell = std::make_shared<LabelCell>(UITableViewCellStyle::default_, "Label");
    cell->setFrame(CGRect(0, 0, width, 44));
    cell->build();
    cell->label->setText(text);
    return cell->contentView()
        ->systemLayoutSizeFitting({width, 0}, UILayoutPriorityRequired, UILayoutPriorityFittingSizeLevel)
        .height;
  };
  for (const auto& c : cases) {
    lists = std::make_shared<Lists>();
    lists->rows = {1};
    lists->identifier = "Label";
    lists->labelText = [&](int) { return c.text; };
    lists->height = [](const IndexPath&) { return UITableView::automaticDimension; };
    makeTable();
    table->setFrame(CGRect(0, 100, c.width, 600));
    table->layoutIfNeeded();
    auto cell = std::static_pointer_cast<LabelCell>(table->cellForRow({0, 0}));
    ASSERT_NE(cell, nullptr) << c.text;
    const CGFloat height = scratch(c.text, c.width);
    EXPECT_EQ(table->rectForRow({0, 0}).height(), height) << c.text << " at " << c.width;
    const CGRect laidOut(10, 5, c.width - 20, height - 10);
    EXPECT_EQ(cell->label->frame(), laidOut) << c.text;

    auto& content = *cell->contentView();
    EXPECT_EQ(content
                  .systemLayoutSizeFittingInPlace({c.otherWidth, 0}, UILayoutPriorityRequired,
                                                  UILayoutPriorityFittingSizeLevel)
                  .height,
              scratch(c.text, c.otherWidth))
        << c.text << " at " << c.otherWidth;
    window->layoutIfNeeded();
    EXPECT_EQ(cell->label->frame(), laidOut) << c.text << " after a measure at another width";
    table->removeFromSuperview();
  }
}

TEST_F(TableTest, ACellMeasuredInPlaceAfterAConstantChangedGetsTheNewHeight) {
  selfSizing();
  lists->rows = {1};
  lists->barHeights[0] = 10;
  makeTable();
  auto cell = std::static_pointer_cast<SizingCell>(table->cellForRow({0, 0}));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(table->rectForRow({0, 0}).height(), 20);
  for (CGFloat bar : {35.0, 4.0, 10.0}) {
    cell->barHeight->setConstant(bar);
    EXPECT_EQ(cell->contentView()
                  ->systemLayoutSizeFittingInPlace({375, 0}, UILayoutPriorityRequired,
                                                   UILayoutPriorityFittingSizeLevel)
                  .height,
              bar + 10)
        << bar;
  }
  lists->barHeights[0] = 35;
  table->reloadRows({{0, 0}});
  table->layoutIfNeeded();
  EXPECT_EQ(table->rectForRow({0, 0}).height(), 45);
  EXPECT_EQ(std::static_pointer_cast<SizingCell>(table->cellForRow({0, 0}))->bar->frame(),
            CGRect(0, 5, 375, 35));
}

TEST_F(TableTest, ContentInsetAddsRoomBelowTheLastRow) {
  lists->rows = {20};
  makeTable();
  table->setContentInset({0, 0, 60, 0});
  scrollTo(table->maximumContentOffset().y);
  table->layoutIfNeeded();
  EXPECT_EQ(table->contentOffset().y, 20 * 44 + 60 - 600);  // not clamped away by layout
}

TEST_F(TableTest, CellContentViewFollowsTheBoundsBeforeSubclassesInsetIt) {
  class InsetCell : public UITableViewCell {
   public:
    using UITableViewCell::UITableViewCell;
    void layoutSubviews() override {
      UITableViewCell::layoutSubviews();
      CGRect f = contentView()->frame();
      contentView()->setFrame(CGRect(f.minX() + 8, f.minY(), f.width() - 16, f.height()));
    }
  };
  auto cell = std::make_shared<InsetCell>(UITableViewCellStyle::default_, "x");
  auto label = UIView::create(CGRect(0, 0, 10, 10));
  cell->addSubview(label);
  EXPECT_EQ(label->superview(), cell->contentView());  // a view added to the cell goes into its content
  cell->setFrame(CGRect(0, 0, 300, 50));
  cell->layoutIfNeeded();
  EXPECT_EQ(cell->contentView()->frame(), CGRect(8, 0, 284, 50));
  cell->setFrame(CGRect(0, 0, 200, 50));
  cell->layoutIfNeeded();
  EXPECT_EQ(cell->contentView()->frame(), CGRect(8, 0, 184, 50));
}

// An object the way a screen is: an NSObject adopting the table protocols.
class OwnerLists : public NSObject, public Lists {};

TEST_F(TableTest, InterfaceFilesConnectDataSourceAndDelegateByKey) {
  auto owner = std::make_shared<OwnerLists>();
  owner->rows = {4};
  makeTable(UITableViewStyle::plain, 600, false);
  EXPECT_TRUE(table->setValue(owner, "dataSource"));
  EXPECT_TRUE(table->setValue(owner, "delegate"));
  table->layoutIfNeeded();
  EXPECT_EQ(table->visibleCells().size(), 4u);
  EXPECT_EQ(std::any_cast<std::shared_ptr<NSObject>>(table->value("dataSource")), owner);
  // Held weakly: the table does not keep its owner alive.
  std::weak_ptr<OwnerLists> weak = owner;
  owner.reset();
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(table->dataSource(), nullptr);
}

}  // namespace
}  // namespace ios
