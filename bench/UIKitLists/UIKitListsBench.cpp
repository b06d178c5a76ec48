// Table scrolling and reloading against the 16.7 ms frame budget of a 60 Hz screen.

#include <QuartzCore/Renderer.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace ios;

// A self-sizing row: a square badge and a wrapping label, held by constraints.
class ArticleCell : public UITableViewCell {
 public:
  using UITableViewCell::UITableViewCell;
  std::shared_ptr<UILabel> label;

  void fill(int row) {
    if (!label) build();
    std::string text;
    for (int i = 0; i <= row % 4; ++i) text += "Thẻ quà tặng số " + std::to_string(row) + " dành cho bạn. ";
    label->setText(text);
  }

 private:
  void build() {
    auto badge = UIView::create();
    badge->setBackgroundColor(UIColor::orange());
    badge->setTranslatesAutoresizingMaskIntoConstraints(false);
    label = UILabel::create();
    label->setNumberOfLines(0);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    const auto& content = contentView();
    content->addSubview(badge);
    content->addSubview(label);
    NSLayoutConstraint::activate({
        badge->leadingAnchor().constraintEqualTo(content->leadingAnchor(), 16),
        badge->topAnchor().constraintEqualTo(content->topAnchor(), 12),
        badge->widthAnchor().constraintEqualToConstant(40),
        badge->heightAnchor().constraintEqualToConstant(40),
        content->bottomAnchor().constraintGreaterThanOrEqualTo(badge->bottomAnchor(), 12),
        label->leadingAnchor().constraintEqualTo(badge->trailingAnchor(), 12),
        label->trailingAnchor().constraintEqualTo(content->trailingAnchor(), -16),
        label->topAnchor().constraintEqualTo(content->topAnchor(), 12),
        content->bottomAnchor().constraintEqualTo(label->bottomAnchor(), 12),
    });
  }
};

class Feed : public UITableViewDataSource, public UITableViewDelegate {
 public:
  int rows = 1000;
  bool automatic = true;
  int numberOfRowsInSection(UITableView&, int) override { return rows; }
  std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& table, const IndexPath& indexPath) override {
    auto cell = std::static_pointer_cast<ArticleCell>(table.dequeueReusableCell("Article", indexPath));
    cell->fill(indexPath.row);
    return cell;
  }
  CGFloat heightForRowAt(UITableView&, const IndexPath&) override {
    return automatic ? UITableView::automaticDimension : 64;
  }
};

struct Screen {
  std::shared_ptr<UIWindow> window = UIWindow::create(CGRect(0, 0, 375, 667));
  std::shared_ptr<UITableView> table = UITableView::create(CGRect(0, 0, 375, 667), UITableViewStyle::plain);
  std::shared_ptr<Feed> feed = std::make_shared<Feed>();

  explicit Screen(bool automatic) {
    feed->automatic = automatic;
    table->setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior::never);
    table->estimatedRowHeight = 80;
    table->setBackgroundColor(UIColor::white());
    table->registerClass<ArticleCell>("Article");
    window->addSubview(table);
    table->setDataSource(feed);
    table->setDelegate(feed);
    window->layoutIfNeeded();
  }
};

// One frame of a finger scroll: move 12 points, lay out (cells come in, self-size, others go to the
// pool), then draw the window at the screen's scale.
void BM_ScrollFrameSelfSizingLayoutAndDraw(benchmark::State& state) {
  Screen screen(true);
  CGFloat y = 0;
  for (auto _ : state) {
    y += 12;
    if (y > 20000) y = 0;
    screen.table->setContentOffset({0, y});
    screen.window->layoutIfNeeded();
    auto image = Renderer::renderImage(*screen.window->layer(), 2);
    benchmark::DoNotOptimize(image);
  }
  state.counters["cells"] = static_cast<double>(screen.table->cellsCreated());
}
BENCHMARK(BM_ScrollFrameSelfSizingLayoutAndDraw)->Unit(benchmark::kMillisecond);

// The layout part alone, for a finger's 12 points and for a whole screen of new rows a frame.
void BM_ScrollFrameSelfSizingLayout(benchmark::State& state) {
  Screen screen(true);
  CGFloat y = 0;
  const auto step = static_cast<CGFloat>(state.range(0));
  for (auto _ : state) {
    y += step;
    if (y > 20000) y = 0;
    screen.table->setContentOffset({0, y});
    screen.window->layoutIfNeeded();
  }
}
BENCHMARK(BM_ScrollFrameSelfSizingLayout)
    ->Arg(12)
    ->Arg(667)
    ->ArgNames({"step"})
    ->Unit(benchmark::kMillisecond);

// `reloadData` of 1,000 rows and the layout that follows it (counts, heights, visible cells).
void BM_ReloadData1000Rows(benchmark::State& state) {
  Screen screen(state.range(0) != 0);
  for (auto _ : state) {
    screen.table->reloadData();
    screen.window->layoutIfNeeded();
  }
}
BENCHMARK(BM_ReloadData1000Rows)->Arg(0)->Arg(1)->ArgNames({"selfSizing"})->Unit(benchmark::kMillisecond);

}  // namespace
