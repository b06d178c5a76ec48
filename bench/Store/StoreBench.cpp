// The card store against the 16.7 ms frame budget of a 60 Hz screen: how long the host waits for the
// first frame with cards (real local back-end on a loopback port); then one frame of the 200-card
// store as the screen draws it (layout, then the window's kept frame brought up to date) beside the
// floor of a frame in the same run, one full frame copied into cache-cold memory: scrolling over rows already seen and into new
// rows, the first frame with data (into a new frame and into a kept one), and a frame where only
// one label's text changed, each with the minor page faults a frame takes.

#include <BackendServer.h>
#include <Class/BuyCard/BuyCardViewController.h>
#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <QuartzCore/CARenderer.h>
#include <Service/APIService.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Constants/Storyboards.h>

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>
#include <support/ScrollFrames.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

using kerbelin::BuyCardViewController;
using kerbelin::bench::envelope;

std::shared_ptr<BuyCardViewController> makeStore() {
  return std::dynamic_pointer_cast<BuyCardViewController>(
      kerbelin::shareInstanceBuyCardStoryboard()->instantiateViewController("BuyCardViewController"));
}

// A new store screen in the window, laid out once its first page of cards has arrived; false when
// none arrived within 10 s.
bool openStoreUntilCardsLaidOut(ios::UIWindow& window, ios::RunLoop& loop) {
  auto store = makeStore();
  window.setRootViewController(ios::UINavigationController::create(store));
  if (!loop.runUntil([&] { return store->dataBuyCard.size() > 1; }, 10.0)) return false;
  window.layoutIfNeeded();
  return true;
}

// A window and the local back-end on a free loopback port, with the service pointed at it while it
// lives.
class BackEndWindow {
 public:
  explicit BackEndWindow(std::filesystem::path dataDir = kerbelin::backend::BackendServer::defaultDataDir())
      : server_(options(std::move(dataDir))), started_(server_.start()) {
    ios::HTTPClient::shared()->setTransport(nullptr);
    if (started_) kerbelin::APIService::setBaseURL(server_.baseURL());
    window->makeKeyAndVisible();
  }
  ~BackEndWindow() {
    window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntilIdle();
    kerbelin::APIService::setBaseURL("https://api.halvet.vn");
    server_.stop();
  }
  bool started() const { return started_; }
  void closeStore() {
    window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntil([] { return false; }, 0.35);  // let the overlay's fade finish
  }

  const std::shared_ptr<ios::UIWindow> window = ios::UIWindow::create();

 private:
  static kerbelin::backend::BackendServer::Options options(std::filesystem::path dataDir) {
    kerbelin::backend::BackendServer::Options options;
    options.port = 0;
    options.dataDir = std::move(dataDir);
    return options;
  }
  kerbelin::backend::BackendServer server_;
  bool started_;
};

// From a new store screen to a rendered frame that shows its first page of cards: drawn into a new
// frame, or (keptFrame:1) into the window's kept frame, as a host draws every frame after its first.
void BM_TimeToFirstFrameWithData(benchmark::State& state) {
  BackEndWindow backEnd;
  if (!backEnd.started()) {
    state.SkipWithError("the local back-end did not start");
    return;
  }
  const auto& window = backEnd.window;
  auto& loop = ios::RunLoop::main();
  const bool keptFrame = state.range(0) != 0;
  ios::CARenderer kept(2);
  kept.render(*window->layer());
  for (auto _ : state) {
    if (!openStoreUntilCardsLaidOut(*window, loop)) {
      state.SkipWithError("no cards arrived");
      break;
    }
    if (keptFrame) {
      benchmark::DoNotOptimize(kept.render(*window->layer()));
    } else {
      ios::CARenderer frame(2);
      benchmark::DoNotOptimize(frame.render(*window->layer()));
    }
    state.PauseTiming();
    window->setRootViewController(nullptr);
    loop.runUntil([] { return false; }, 0.35);  // let the overlay's fade finish
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TimeToFirstFrameWithData)->Arg(0)->Arg(1)->ArgNames({"keptFrame"})->Unit(benchmark::kMillisecond)->UseRealTime();

// The data half of the time above on its own: from a new store screen to its first page of cards
// laid out, against the same local back-end, with no render.
void BM_TimeToCardsLaidOutFromBackEnd(benchmark::State& state) {
  BackEndWindow backEnd;
  for (auto _ : state) {
    if (!backEnd.started() || !openStoreUntilCardsLaidOut(*backEnd.window, ios::RunLoop::main())) {
      state.SkipWithError("the local back-end gave no cards");
      break;
    }
    state.PauseTiming();
    backEnd.closeStore();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TimeToCardsLaidOutFromBackEnd)->Unit(benchmark::kMillisecond)->UseRealTime();

// The back-end's sample data with the first card's name replaced by `letters` letters and no space,
// as a back-end may send a name nobody checked; removed with the object.
class DataWithALongCardName {
 public:
  explicit DataWithALongCardName(std::size_t letters)
      : dir_(std::filesystem::temp_directory_path() /
             ("kerbelin-store-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(dir_);
    std::filesystem::copy(
        kerbelin::backend::BackendServer::defaultDataDir(), dir_,
        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    auto cards = read("def_cards.json");
    const auto categories = read("categories.json");
    const auto first = std::min_element(categories.begin(), categories.end(), [](const auto& a, const auto& b) {
      return a["orderNo"].template get<int>() < b["orderNo"].template get<int>();
    });
    std::string name;
    for (std::size_t i = 0; i < letters; ++i) name += static_cast<char>('a' + i % 26);
    // The newest card of the category the store opens on comes first in its first page.
    cards[0]["name"] = name;
    cards[0]["categoryId"] = (*first)["id"];
    cards[0]["publishedAt"] = "2099-12-31";
    std::ofstream(dir_ / "def_cards.json") << cards.dump(2);
  }
  ~DataWithALongCardName() { std::filesystem::remove_all(dir_); }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  nlohmann::json read(const char* file) const {
    std::ifstream in(dir_ / file);
    return nlohmann::json::parse(in);
  }

  std::filesystem::path dir_;
};

bool showsTextOf(const ios::UIView& view, std::size_t bytes) {
  auto label = dynamic_cast<const ios::UILabel*>(&view);
  if (label && label->text() && label->text()->size() >= bytes) return true;
  for (const auto& subview : view.subviews())
    if (showsTextOf(*subview, bytes)) return true;
  return false;
}

// The same, with the store's first card named by 100,000 letters (longName:1) beside the plain
// store (longName:0) in the same run: a long name must not cost much more than the plain store.
void BM_TimeToCardsLaidOutWithALongCardName(benchmark::State& state) {
  std::optional<DataWithALongCardName> data;
  if (state.range(0) != 0) data.emplace(100'000);
  BackEndWindow backEnd(data ? data->dir() : kerbelin::backend::BackendServer::defaultDataDir());
  for (auto _ : state) {
    if (!backEnd.started() || !openStoreUntilCardsLaidOut(*backEnd.window, ios::RunLoop::main())) {
      state.SkipWithError("the local back-end gave no cards");
      break;
    }
    if (data && !showsTextOf(*backEnd.window, 100'000)) {
      state.SkipWithError("no card shows the long name");
      break;
    }
    state.PauseTiming();
    backEnd.closeStore();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TimeToCardsLaidOutWithALongCardName)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"longName"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

ios::Dictionary longList(int count) {
  ios::Dictionary cards = ios::Dictionary::array();
  for (int i = 0; i < count; ++i) {
    ios::Dictionary promotions = ios::Dictionary::array();
    for (int p = 0; p < i % 7; ++p) {
      promotions.push_back({{"urlIcon", ""}, {"description", "Ưu đãi <b>" + std::to_string(p + 1) + "</b>"}});
    }
    cards.push_back({{"name", "Thẻ quà tặng số " + std::to_string(i)},
                     {"code", "SP" + std::to_string(i)},
                     {"price", "90.000 đ"},
                     {"priceNumber", 90000},
                     {"listedPrice", "100.000 đ"},
                     {"listedPriceNumber", i % 2 ? 100000 : 90000},
                     {"discountValue", "-10%"},
                     {"promotionDtos", promotions},
                     {"providerDtos", ios::Dictionary::array({{{"id", i}, {"logo", ""}}})}});
  }
  return cards;
}

constexpr ios::CGFloat kScale = 2;

long minorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// The store with `cards` cards (200 unless told) on a window, answered by a fake transport, its
// overlay faded out.
struct Store {
  std::shared_ptr<ios::FakeTransport> fake = ios::FakeTransport::create();
  std::shared_ptr<ios::UIWindow> window = ios::UIWindow::create();
  std::shared_ptr<BuyCardViewController> controller;
  std::shared_ptr<ios::UITableView> table;

  // `whileLoading` sees the window before the cards arrive.
  explicit Store(const std::function<void(ios::UIWindow&)>& whileLoading = {}, int cards = 200) {
    const std::string categories =
        envelope({{"lstCate", ios::Dictionary::array({{{"id", 1}, {"orderNo", 1}, {"name", "Tất cả"}}})}});
    const std::string list = envelope({{"defCardDtos", longList(cards)}});
    fake->setHandler([categories, list](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
      if (request.url.find("/category/") != std::string::npos)
        return ios::FakeTransport::reply(200, categories);
      if (request.url.find("/def-card/") != std::string::npos) return ios::FakeTransport::reply(200, list);
      return std::nullopt;
    });
    ios::HTTPClient::shared()->setTransport(fake);
    kerbelin::APIService::setBaseURL("http://127.0.0.1:18083");
    window->makeKeyAndVisible();
    controller = std::dynamic_pointer_cast<BuyCardViewController>(
        kerbelin::shareInstanceBuyCardStoryboard()->instantiateViewController("BuyCardViewController"));
    window->setRootViewController(ios::UINavigationController::create(controller));
    if (whileLoading) {
      window->layoutIfNeeded();
      whileLoading(*window);
    }
    ios::RunLoop::main().runUntil(
        [&] { return controller->dataBuyCard.size() > static_cast<std::size_t>(cards); }, 10.0);
    table = controller->tableView.lock();
    window->layoutIfNeeded();
  }
  ~Store() {
    window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    kerbelin::APIService::setBaseURL("https://api.halvet.vn");
  }
  void settle() {
    ios::RunLoop::main().runUntil([] { return false; }, 0.35);
  }
  void scrollTo(ios::CGFloat y) {
    table->setContentOffset({0, y});
    window->layoutIfNeeded();
  }
};

struct FrameCounters {
  long faults = minorFaults();
  double redrawn = 0;
  // Notes the share of the frame that the last render redrew.
  void count(const ios::CARenderer& frame) {
    long long area = 0;
    for (const auto& r : frame.damage()) area += r.area();
    redrawn += static_cast<double>(area) / (static_cast<double>(frame.width()) * frame.height());
  }
  void report(benchmark::State& state) const {
    state.counters["faultsPerFrame"] =
        benchmark::Counter(static_cast<double>(minorFaults() - faults), benchmark::Counter::kAvgIterations);
    state.counters["redrawnShare"] = benchmark::Counter(redrawn, benchmark::Counter::kAvgIterations);
  }
};

// What every figure below is measured against: one full frame of the store copied into memory no
// cache holds (see kerbelin::bench::copyIntoColdMemorySeconds).
void BM_CopyOneFullFrame(benchmark::State& state) {
  Store store;
  store.settle();
  ios::CARenderer frame(kScale);
  frame.render(*store.window->layer());
  FrameCounters counters;
  for (auto _ : state) state.SetIterationTime(kerbelin::bench::copyIntoColdMemorySeconds(frame));
  counters.report(state);
  kerbelin::bench::reportColdRing(state);
}
BENCHMARK(BM_CopyOneFullFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

// Back and forth over the first screens, every row already shown once.
void BM_ScrollFrameOverSeenRows(benchmark::State& state) {
  Store store;
  store.settle();
  ios::CARenderer frame(kScale);
  for (ios::CGFloat y = 0; y <= 1200; y += 37) {
    store.scrollTo(y);
    frame.render(*store.window->layer());
  }
  ios::CGFloat y = 0, step = 37;
  FrameCounters counters;
  for (auto _ : state) {
    if (y + step > 1200 || y + step < 0) step = -step;
    y += step;
    store.scrollTo(y);
    benchmark::DoNotOptimize(frame.render(*store.window->layer()));
    counters.count(frame);
  }
  counters.report(state);
}
BENCHMARK(BM_ScrollFrameOverSeenRows)->Unit(benchmark::kMillisecond);

// Down the whole list, new rows coming in at the bottom.
void BM_ScrollFrameIntoNewRows(benchmark::State& state) {
  Store store;
  store.settle();
  ios::CARenderer frame(kScale);
  frame.render(*store.window->layer());
  kerbelin::bench::ScrollDown scroll{*store.window, *store.table, 37};
  FrameCounters counters;
  for (auto _ : state) {
    scroll.next();
    benchmark::DoNotOptimize(frame.render(*store.window->layer()));
    counters.count(frame);
  }
  counters.report(state);
}
BENCHMARK(BM_ScrollFrameIntoNewRows)->Unit(benchmark::kMillisecond);

// The store of 10, 100 or 1,000 cards flung as a finger flings it (the drag, then the deceleration's
// own offsets, between pixels), and moved by whole points, 37 a frame.
struct StoreOf : Store {
  explicit StoreOf(int cards) : Store({}, cards) {}
};
void BM_FlungFrame(benchmark::State& state) {
  kerbelin::bench::flungFrames<StoreOf>(state);
}
void BM_WholePointFrame(benchmark::State& state) {
  kerbelin::bench::wholePointFrames<StoreOf>(state, 37);
}
BENCHMARK(BM_FlungFrame)->Apply(kerbelin::bench::threeFlingsOfTenToAThousandRows)->ArgNames({"cards"});
BENCHMARK(BM_WholePointFrame)->Apply(kerbelin::bench::tenToAThousandRows)->ArgNames({"cards"});

// The data half of the time to the first frame, without the network or the drawing: from a new
// store screen, answered at once by a fake transport with the categories and a first page of five
// cards, to its table laid out with those cards.
void BM_TimeToCardsLaidOut(benchmark::State& state) {
  const std::string categories =
      envelope({{"lstCate", ios::Dictionary::array({{{"id", 1}, {"orderNo", 1}, {"name", "Tất cả"}}})}});
  const std::string page = envelope({{"defCardDtos", longList(5)}});
  auto fake = ios::FakeTransport::create();
  fake->setHandler([&](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
    if (request.url.find("/category/") != std::string::npos)
      return ios::FakeTransport::reply(200, categories);
    if (request.url.find("/def-card/") != std::string::npos) return ios::FakeTransport::reply(200, page);
    return std::nullopt;
  });
  ios::HTTPClient::shared()->setTransport(fake);
  kerbelin::APIService::setBaseURL("http://127.0.0.1:18083");
  auto window = ios::UIWindow::create();
  window->makeKeyAndVisible();
  auto& loop = ios::RunLoop::main();
  loop.useVirtualClock();  // the replies come at once; only the overlay's fade waits on the clock
  for (auto _ : state) {
    if (!openStoreUntilCardsLaidOut(*window, loop)) {
      state.SkipWithError("no cards arrived");
      break;
    }
    state.PauseTiming();
    window->setRootViewController(nullptr);
    loop.advance(0.35);  // let the overlay's fade finish
    state.ResumeTiming();
  }
  window->setRootViewController(nullptr);
  loop.runUntilIdle();
  loop.useSystemClock();
  ios::HTTPClient::shared()->setTransport(nullptr);
  kerbelin::APIService::setBaseURL("https://api.halvet.vn");
}
BENCHMARK(BM_TimeToCardsLaidOut)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first frame once the cards have arrived, overlay still fading: every card's layers drawn anew.
void BM_FirstFrameWithData(benchmark::State& state) {
  long faults = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // The window showed the loading screen before: its frame exists, the cards' layers are new.
    ios::CARenderer frame(kScale);
    auto store = std::make_unique<Store>([&](ios::UIWindow& window) { frame.render(*window.layer()); });
    const long before = minorFaults();
    state.ResumeTiming();
    benchmark::DoNotOptimize(frame.render(*store->window->layer()));
    state.PauseTiming();
    faults += minorFaults() - before;
    store.reset();
    state.ResumeTiming();
  }
  state.counters["faultsPerFrame"] = static_cast<double>(faults) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FirstFrameWithData)->Unit(benchmark::kMillisecond)->Iterations(20);

// The same frame drawn into a frame kept from earlier screens, as the host draws every frame after
// its first: the drawing half of the time to the first frame with data, on its own.
void BM_FirstFrameWithDataIntoKeptFrame(benchmark::State& state) {
  ios::CARenderer frame(kScale);
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<Store>([&](ios::UIWindow& window) { frame.render(*window.layer()); });
    state.ResumeTiming();
    benchmark::DoNotOptimize(frame.render(*store->window->layer()));
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstFrameWithDataIntoKeptFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

std::shared_ptr<ios::UILabel> firstLabel(const std::shared_ptr<ios::UIView>& view) {
  if (auto label = std::dynamic_pointer_cast<ios::UILabel>(view);
      label && label->text() && !label->isHidden())
    return label;
  for (const auto& subview : view->subviews())
    if (auto found = firstLabel(subview)) return found;
  return nullptr;
}

// A countdown ticking in one row: only that label's text changes between frames.
void BM_FrameWhereOnlyALabelChanged(benchmark::State& state) {
  Store store;
  store.settle();
  ios::CARenderer frame(kScale);
  frame.render(*store.window->layer());
  auto label = firstLabel(store.table->visibleCells().front());
  if (!label) {
    state.SkipWithError("no label in the first row");
    return;
  }
  int seconds = 0;
  FrameCounters counters;
  for (auto _ : state) {
    seconds = (seconds + 1) % 60;
    label->setText("00:" + std::to_string(10 + seconds % 50));
    store.window->layoutIfNeeded();
    benchmark::DoNotOptimize(frame.render(*store.window->layer()));
    counters.count(frame);
  }
  counters.report(state);
}
BENCHMARK(BM_FrameWhereOnlyALabelChanged)->Unit(benchmark::kMillisecond);

}  // namespace
