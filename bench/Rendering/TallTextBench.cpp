// A terms page, one label of text in a scroll view, flung as a finger flings it and scrolled through
// from top to end by whole points, at 4,000, 40,000 and 100,000 letters (about 1,600, 16,000
// and 40,000 points tall). A label taller than one drawing surface (32,767 pixels: 16,383 points at
// scale 2) keeps only a window of its text about what shows; its frames should cost what a short
// text's cost, and its store should hold about three screens of pixels whatever the text's length.
//
// Counters: xFloor and redrawnShare as the list benchmarks give them; storeMiB, the most the label's
// store held at once over the run; wholeMiB, what a store of the whole label would hold.

#include <QuartzCore/CARenderer.h>
#include <QuartzCore/LayerBacking.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UIWindow.h>

#include <benchmark/benchmark.h>
#include <support/ScrollFrames.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

using namespace ios;

// Terms of use: sentences of Vietnamese words, `letters` long.
std::string terms(int letters) {
  const std::string sentence =
      "Thẻ dịch vụ trả trước chỉ được dùng tại các chi nhánh của nhà cung cấp trong thời hạn ghi trên thẻ. ";
  std::string text;
  while (static_cast<int>(text.size()) < letters) text += sentence;
  return text;
}

struct TermsPage {
  std::shared_ptr<UIWindow> window = UIWindow::create(CGRect(0, 0, 375, 812));
  std::shared_ptr<UIScrollView> table = UIScrollView::create(CGRect(0, 0, 375, 812));
  std::shared_ptr<UILabel> label = UILabel::create();

  explicit TermsPage(int letters) {
    window->makeKeyAndVisible();
    table->setBackgroundColor(UIColor::white());
    label->setNumberOfLines(0);
    label->setText(terms(letters));
    const CGSize size = label->sizeThatFits({343, 0});
    label->setFrame(CGRect(16, 16, 343, size.height));
    table->setContentSize({375, size.height + 32});
    table->addSubview(label);
    window->addSubview(table);
    window->layoutIfNeeded();
  }
  void settle() { window->layoutIfNeeded(); }

  double storeMiB() const {
    const auto& store = label->layer()->backing().store;
    if (!store.surface) return 0;
    cairo_surface_t* s = store.surface.get();
    return static_cast<double>(cairo_image_surface_get_stride(s)) * cairo_image_surface_get_height(s) / (1 << 20);
  }
  double wholeMiB() const { return label->bounds().width() * 2 * label->bounds().height() * 2 * 4 / (1 << 20); }
};

// The kept frame at scale 2 after each `move`, with the label's store measured after each frame.
template <class Move>
void termsFrames(benchmark::State& state, TermsPage& page, Move&& move) {
  CARenderer frame(2);
  frame.render(*page.window->layer());
  kerbelin::bench::FrameCost cost(frame);
  double most = page.storeMiB();
  for (auto _ : state) {
    cost.measure([&] {
      move();
      benchmark::DoNotOptimize(frame.render(*page.window->layer()));
    });
    state.PauseTiming();
    most = std::max(most, page.storeMiB());
    state.ResumeTiming();
  }
  cost.report(state);
  state.counters["storeMiB"] = most;
  state.counters["wholeMiB"] = page.wholeMiB();
}

void BM_TermsFlungFrame(benchmark::State& state) {
  TermsPage page(static_cast<int>(state.range(0)));
  kerbelin::bench::Fling fling(page.window, *page.table);
  termsFrames(state, page, [&] { fling.next(); });
  fling.report(state);
}

// From top to end and back to the top, 37 points a frame.
void BM_TermsWholePointFrame(benchmark::State& state) {
  TermsPage page(static_cast<int>(state.range(0)));
  CGFloat y = 0;
  termsFrames(state, page, [&] {
    y = y + 37 > page.table->maximumContentOffset().y ? 0 : y + 37;
    page.table->setContentOffset({0, y});
    page.window->layoutIfNeeded();
  });
}

void letterCounts(benchmark::internal::Benchmark* b) {
  b->Arg(4000)->Arg(40000)->Arg(100000)->ArgNames({"letters"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_TermsFlungFrame)->Apply(letterCounts)->Iterations(kerbelin::bench::Fling::framesOfThreeFlings);
BENCHMARK(BM_TermsWholePointFrame)->Apply(letterCounts)->Iterations(1200);

}  // namespace
