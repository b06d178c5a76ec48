#pragma once

// What the list benchmarks share: the back-end's reply envelope; a list scrolled down frame by frame
// by whole points, back to the top after its end; a list flung as a finger flings it; and the cost
// of a frame beside the floor of a frame, one frame's bytes copied into cache-cold memory, measured
// in the same run.

#include <support/ColdRing.h>

#include <Foundation/Base64.h>
#include <Foundation/Dictionary.h>
#include <Foundation/RunLoop.h>
#include <QuartzCore/CARenderer.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>

#include <benchmark/benchmark.h>
#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace kerbelin::bench {

// One reply envelope around `body`, as the back-end sends it.
inline std::string envelope(const ios::Dictionary& body) {
  return ios::Dictionary{{"resultCode", 0}, {"resultDesc", "Thành công"}, {"body", ios::base64Encode(body.dump())}}
      .dump();
}

// A table on a window, moved `step` points further down on each call to next() and laid out.
struct ScrollDown {
  ios::UIWindow& window;
  ios::UITableView& table;
  ios::CGFloat step;
  ios::CGFloat y = 0;

  void next() {
    const ios::CGFloat bottom = table.contentSize().height - table.bounds().height();
    y = y + step > bottom ? 0 : y + step;
    table.setContentOffset({0, y});
    window.layoutIfNeeded();
  }
};

// A finger flinging a list, through the window's touch path on the run loop's virtual clock: a drag
// of six frames at a finger's uneven pace, lifted at its fastest, then the deceleration's own frames
// until the list rests, then the next fling; down the list and back up. Offsets fall between
// points, as a finger leaves them.
class Fling {
 public:
  Fling(std::shared_ptr<ios::UIWindow> window, ios::UIScrollView& list)
      : window_(window), list_(list), finger_(std::move(window)) {
    ios::RunLoop::main().useVirtualClock();
    const ios::CGRect box = list.convert(list.bounds(), nullptr).intersection(window_->bounds());
    x_ = box.midX();
    low_ = box.minY() + box.height() * 0.8;
    high_ = box.minY() + box.height() * 0.2;
  }
  ~Fling() {
    finger_.up();
    ios::RunLoop::main().useSystemClock();
  }
  // Three whole flings of a long list, drag to rest: flung frames are measured over these, so that
  // each run weighs the fast frames and the slow ones alike.
  static constexpr int framesOfThreeFlings = 723;

  Fling(const Fling&) = delete;
  Fling& operator=(const Fling&) = delete;

  // One frame: the clock moves a frame on, the finger moves (or the deceleration steps) and the
  // window is laid out.
  void next() {
    const ios::CGFloat from = list_.contentOffset().y;
    if (!finger_.isDown() && !list_.isDecelerating() && !list_.isScrollAnimating()) press();
    ios::RunLoop::main().advance(ios::UIScrollView::frameInterval);
    if (finger_.isDown()) moveFinger();
    window_->layoutIfNeeded();
    travelled_ += std::abs(list_.contentOffset().y - from);
    ++frames_;
  }
  // How far the list moved a frame, on average: that the finger reached the list.
  void report(benchmark::State& state) const {
    if (frames_ > 0) state.counters["pointsPerFrame"] = travelled_ / frames_;
  }

 private:
  static constexpr ios::CGFloat kPace[] = {14.2, 23.7, 31.35, 36.9, 40.15, 42.6};
  // About how far a fling at that pace carries the content.
  static constexpr ios::CGFloat kReach = 1500;

  void press() {
    const ios::CGFloat y = list_.contentOffset().y;
    if (up_ && y + kReach > list_.maximumContentOffset().y) up_ = false;
    else if (!up_ && y - kReach < list_.minimumContentOffset().y) up_ = true;
    at_ = up_ ? low_ : high_;
    finger_.down({x_, at_});
    step_ = 0;
  }
  void moveFinger() {
    at_ += up_ ? -kPace[step_] : kPace[step_];
    finger_.move({x_, at_});
    if (++step_ == std::size(kPace)) finger_.up();
  }

  std::shared_ptr<ios::UIWindow> window_;
  ios::UIScrollView& list_;
  ios::TouchGenerator finger_;
  ios::CGFloat x_ = 0, low_ = 0, high_ = 0, at_ = 0;
  std::size_t step_ = 0;
  bool up_ = true;
  double travelled_ = 0;
  int frames_ = 0;  // the finger moves up: the content offset grows
};

// The ring the floor copies round: coldRingBytes of the machine's largest cache, mapped and faulted in
// once, for the life of the process. Its memory is null when it cannot be mapped.
struct ColdRing {
  unsigned char* memory = nullptr;
  std::size_t bytes = 0;
  std::size_t largestCache = 0;  // 0 when the machine told none
};

inline const ColdRing& coldRing() {
  static const ColdRing ring = [] {
    ColdRing made;
    made.largestCache = largestCacheBytes();
    made.bytes = coldRingBytes(made.largestCache);
    void* mapped = ::mmap(nullptr, made.bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return made;
    std::memset(mapped, 1, made.bytes);
    made.memory = static_cast<unsigned char*>(mapped);
    return made;
  }();
  return ring;
}

// The least any frame costs: its bytes written once, a plain copy, into memory not touched since
// long enough to have left every cache. The copies go round the cold ring in frame-sized slots: a
// kept frame's buffer pays no page faults either, so a floor paying them (a fresh mapping each time,
// about 3x this here) would flatter every ratio, and a back-to-back copy (makeImage) reads and writes
// what the last one left warm. NaN when the ring cannot be mapped.
inline double copyIntoColdMemorySeconds(const ios::CARenderer& frame) {
  const ColdRing& ring = coldRing();
  const std::size_t row = static_cast<std::size_t>(frame.width()) * 4;
  const std::size_t bytes = row * static_cast<std::size_t>(frame.height());
  static std::size_t next = 0;
  if (!ring.memory || bytes > ring.bytes) return std::numeric_limits<double>::quiet_NaN();
  if (next + bytes > ring.bytes) next = 0;
  unsigned char* target = ring.memory + next;
  next += bytes;
  const auto* source = reinterpret_cast<const unsigned char*>(frame.pixels());
  const auto start = std::chrono::steady_clock::now();
  for (int y = 0; y < frame.height(); ++y) std::memcpy(target + y * row, source + y * frame.bytesPerRow(), row);
  benchmark::DoNotOptimize(target);
  benchmark::ClobberMemory();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// How many times the machine's largest cache the ring holds: below 1, the floor's copies may still
// find their memory cached and the floor reads low. Nothing when the machine told no cache size.
inline void reportColdRing(benchmark::State& state) {
  const ColdRing& ring = coldRing();
  if (ring.largestCache > 0) {
    state.counters["ringOverCache"] = static_cast<double>(ring.bytes) / static_cast<double>(ring.largestCache);
  }
}

// The floor every frame is held to: the median of a few cold copies.
inline double frameFloorSeconds(const ios::CARenderer& frame) {
  std::vector<double> times;
  for (int i = 0; i < 21; ++i) {
    times.push_back(copyIntoColdMemorySeconds(frame));
    if (std::isnan(times.back())) return times.back();
  }
  std::nth_element(times.begin(), times.begin() + 10, times.end());
  return times[10];
}

// The frames of a benchmark beside the floor of a frame, measured before them in the same run:
// `xFloor` is a frame's mean time over the floor's; with the share of the screen a frame redrew.
class FrameCost {
 public:
  explicit FrameCost(const ios::CARenderer& frame) : frame_(frame), floor_(frameFloorSeconds(frame)) {}

  template <class Body>
  void measure(Body&& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++frames_;
    long long area = 0;
    for (const auto& r : frame_.damage()) area += r.area();
    redrawn_ += static_cast<double>(area) / (static_cast<double>(frame_.width()) * frame_.height());
  }

  void report(benchmark::State& state) const {
    if (frames_ == 0) return;
    state.counters["xFloor"] = seconds_ / frames_ / floor_;
    state.counters["floorMs"] = floor_ * 1000;
    state.counters["redrawnShare"] = redrawn_ / frames_;
    reportColdRing(state);
  }

 private:
  const ios::CARenderer& frame_;
  double floor_;
  double seconds_ = 0;
  double redrawn_ = 0;
  int frames_ = 0;
};

// The window's kept frame at scale 2 brought up to date after each `move`, each frame beside the
// floor of a frame.
template <class Move>
void keptFrames(benchmark::State& state, ios::UIWindow& window, Move&& move) {
  ios::CARenderer frame(2);
  frame.render(*window.layer());
  FrameCost cost(frame);
  for (auto _ : state) {
    cost.measure([&] {
      move();
      benchmark::DoNotOptimize(frame.render(*window.layer()));
    });
  }
  cost.report(state);
}

// The row counts every list is measured at, to show a frame's cost does not grow with the list.
inline void tenToAThousandRows(benchmark::internal::Benchmark* b) {
  b->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
}
inline void threeFlingsOfTenToAThousandRows(benchmark::internal::Benchmark* b) {
  tenToAThousandRows(b);
  b->Iterations(Fling::framesOfThreeFlings);
}

// A list screen flung as a finger flings it, its rows as many as the benchmark's argument. `Screen`
// is made from the row count and has `window`, `table` (null when the rows did not arrive) and
// `settle()`.
template <class Screen>
void flungFrames(benchmark::State& state) {
  Screen screen(static_cast<int>(state.range(0)));
  if (!screen.table) return state.SkipWithError("the rows did not arrive");
  screen.settle();
  Fling fling(screen.window, *screen.table);
  keptFrames(state, *screen.window, [&] { fling.next(); });
  fling.report(state);
}

// The same screen moved by whole points, `step` a frame.
template <class Screen>
void wholePointFrames(benchmark::State& state, ios::CGFloat step) {
  Screen screen(static_cast<int>(state.range(0)));
  if (!screen.table) return state.SkipWithError("the rows did not arrive");
  screen.settle();
  ScrollDown scroll{*screen.window, *screen.table, step};
  keptFrames(state, *screen.window, [&] { scroll.next(); });
}

// From `open()` (true once the screen holds its first rows) to the window's kept frame brought up to
// date; `close()` between runs is not timed.
template <class Open, class Close>
void timeToFirstFrame(benchmark::State& state, ios::UIWindow& window, Open&& open, Close&& close) {
  ios::CARenderer frame(2);
  frame.render(*window.layer());
  for (auto _ : state) {
    if (!open()) {
      state.SkipWithError("no rows arrived");
      break;
    }
    window.layoutIfNeeded();
    benchmark::DoNotOptimize(frame.render(*window.layer()));
    state.PauseTiming();
    close();
    state.ResumeTiming();
  }
}

}  // namespace kerbelin::bench
