// Auto Layout through the views: a product cell of 8 views and about 30 constraints laid out again
// with new constants and intrinsic sizes (the budget is one 16.7 ms frame for a whole screen of cells),
// its self-sizing measurement, and the bookkeeping of activating and deactivating many constraints.
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIView.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace ios;
using C = NSLayoutConstraint;

class Content : public UIView {
 public:
  CGSize intrinsicContentSize() const override { return size; }
  void setSize(CGSize newSize) {
    size = newSize;
    invalidateIntrinsicContentSize();
  }
  CGSize size{100, 20};
};

std::shared_ptr<Content> content(CGFloat w, CGFloat h) {
  auto view = std::make_shared<Content>();
  view->size = {w, h};
  view->setTranslatesAutoresizingMaskIntoConstraints(false);
  return view;
}

// Thumbnail, title, subtitle, price, a collapsing badge, a button and a separator in a 375-wide root.
struct Cell {
  std::shared_ptr<UIView> root = UIView::create(CGRect(0, 0, 375, 120));
  std::shared_ptr<Content> image = content(80, 80), title = content(200, 20), subtitle = content(180, 16),
                           price = content(60, 18), badge = content(40, 20), button = content(70, 30);
  std::shared_ptr<UIView> separator = UIView::create();
  std::shared_ptr<C> badgeHeight, bottomMargin;

  Cell() {
    separator->setTranslatesAutoresizingMaskIntoConstraints(false);
    for (const auto& v :
         std::vector<std::shared_ptr<UIView>>{image, title, subtitle, price, badge, button, separator})
      root->addSubview(v);
    badgeHeight = badge->heightAnchor().constraintEqualToConstant(20);
    bottomMargin = root->bottomAnchor().constraintGreaterThanOrEqualTo(badge->bottomAnchor(), 15);
    C::activate({
        image->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 16),
        image->topAnchor().constraintEqualTo(root->topAnchor(), 12),
        image->widthAnchor().constraintEqualToConstant(80),
        image->heightAnchor().constraintEqualTo(image->widthAnchor()),
        title->leadingAnchor().constraintEqualTo(image->trailingAnchor(), 12),
        title->trailingAnchor().constraintLessThanOrEqualTo(root->trailingAnchor(), -16),
        title->topAnchor().constraintEqualTo(image->topAnchor()),
        subtitle->leadingAnchor().constraintEqualTo(title->leadingAnchor()),
        subtitle->trailingAnchor().constraintLessThanOrEqualTo(root->trailingAnchor(), -16),
        subtitle->topAnchor().constraintEqualTo(title->bottomAnchor(), 4),
        price->leadingAnchor().constraintEqualTo(title->leadingAnchor()),
        price->topAnchor().constraintEqualTo(subtitle->bottomAnchor(), 6),
        badge->leadingAnchor().constraintEqualTo(price->trailingAnchor(), 8),
        badge->centerYAnchor().constraintEqualTo(price->centerYAnchor()),
        badgeHeight,
        badge->trailingAnchor().constraintLessThanOrEqualTo(root->trailingAnchor(), -16),
        button->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -16),
        button->topAnchor().constraintEqualTo(price->bottomAnchor(), 8),
        button->heightAnchor().constraintEqualToConstant(30),
        button->widthAnchor().constraintGreaterThanOrEqualToConstant(60),
        separator->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 16),
        separator->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
        separator->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
        separator->heightAnchor().constraintEqualToConstant(0.5),
        separator->topAnchor().constraintGreaterThanOrEqualTo(button->bottomAnchor(), 8),
        root->bottomAnchor().constraintGreaterThanOrEqualTo(image->bottomAnchor(), 12),
        bottomMargin,
        root->bottomAnchor().constraintGreaterThanOrEqualTo(separator->bottomAnchor()),
        title->widthAnchor().constraintGreaterThanOrEqualToConstant(40),
        price->widthAnchor().constraintGreaterThanOrEqualToConstant(30),
    });
  }
};

// One cell re-laid out with a new badge height, margin and texts each time: what a table does when it
// reuses a cell for another row.
void BM_CellRelayoutWithNewConstants(benchmark::State& state) {
  Cell cell;
  cell.root->layoutIfNeeded();
  int i = 0;
  for (auto _ : state) {
    ++i;
    cell.badgeHeight->setConstant(i % 2 ? 0 : 20);
    cell.bottomMargin->setConstant(i % 3 ? 15 : 3);
    cell.title->setSize({120.0 + i % 90, 20});
    cell.price->setSize({40.0 + i % 30, 18});
    cell.root->layoutIfNeeded();
    benchmark::DoNotOptimize(cell.button->frame());
  }
}
BENCHMARK(BM_CellRelayoutWithNewConstants)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// Building the cell and laying it out the first time (a cell made for a new row).
void BM_CellBuildAndFirstLayout(benchmark::State& state) {
  for (auto _ : state) {
    Cell cell;
    cell.root->layoutIfNeeded();
    benchmark::DoNotOptimize(cell.button->frame());
  }
}
BENCHMARK(BM_CellBuildAndFirstLayout)->Unit(benchmark::kMicrosecond);

// Self-sizing: the cell's height for the table width, measured on a scratch engine.
void BM_CellSystemLayoutSizeFitting(benchmark::State& state) {
  Cell cell;
  int i = 0;
  for (auto _ : state) {
    cell.title->setSize({120.0 + ++i % 90, 20});
    benchmark::DoNotOptimize(cell.root->systemLayoutSizeFitting({375, 0}, UILayoutPriorityRequired,
                                                                UILayoutPriorityFittingSizeLevel));
  }
}
BENCHMARK(BM_CellSystemLayoutSizeFitting)->Unit(benchmark::kMicrosecond);

// 1,000 constraints activated on, then deactivated from, a tree of 100 views in ten rows, each time
// followed by a layout pass.
void BM_AddRemoveThousandConstraints(benchmark::State& state) {
  auto root = UIView::create(CGRect(0, 0, 1000, 1000));
  std::vector<std::shared_ptr<UIView>> views;
  for (int row = 0; row < 10; ++row) {
    auto line = UIView::create(CGRect(0, row * 100, 1000, 100));
    root->addSubview(line);
    for (int column = 0; column < 10; ++column) {
      auto v = UIView::create();
      v->setTranslatesAutoresizingMaskIntoConstraints(false);
      line->addSubview(v);
      views.push_back(v);
    }
  }
  std::vector<std::shared_ptr<C>> constraints;
  for (std::size_t i = 0; i < views.size(); ++i) {
    const auto& v = views[i];
    const auto& line = v->superview();
    const auto& left = i % 10 ? views[i - 1] : line;
    const auto leftEdge = i % 10 ? left->trailingAnchor() : left->leadingAnchor();
    constraints.push_back(v->leadingAnchor().constraintEqualTo(leftEdge, 2));
    constraints.push_back(v->topAnchor().constraintEqualTo(line->topAnchor(), 5));
    constraints.push_back(v->widthAnchor().constraintEqualToConstant(90));
    constraints.push_back(v->heightAnchor().constraintEqualToConstant(90));
    constraints.push_back(v->widthAnchor().constraintGreaterThanOrEqualToConstant(10));
    constraints.push_back(v->heightAnchor().constraintLessThanOrEqualTo(line->heightAnchor()));
    constraints.push_back(v->centerYAnchor().constraintEqualTo(line->centerYAnchor()));
    auto weakWidth = v->widthAnchor().constraintEqualToConstant(50);
    weakWidth->setPriority(UILayoutPriorityDefaultLow);
    constraints.push_back(weakWidth);
    constraints.push_back(v->trailingAnchor().constraintLessThanOrEqualTo(root->trailingAnchor()));
    constraints.push_back(v->bottomAnchor().constraintLessThanOrEqualTo(root->bottomAnchor()));
  }
  root->layoutIfNeeded();
  for (auto _ : state) {
    C::activate(constraints);
    root->layoutIfNeeded();
    C::deactivate(constraints);
    root->layoutIfNeeded();
  }
  state.counters["constraints"] = static_cast<double>(constraints.size());
}
BENCHMARK(BM_AddRemoveThousandConstraints)->Unit(benchmark::kMillisecond);

}  // namespace
