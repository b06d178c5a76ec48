// My cards against the 16.7 ms frame budget of a 60 Hz screen (fake transport, ten cards a page as the
// screen asks): one frame of scrolling a list of 1,000 owned cards drawn afresh, with the number of
// cells the table had to make for it; frames of the window's kept frame as a finger flings the list
// and as whole points move it, each beside the floor of a frame (one frame copied into cache-cold
// memory); the time to the first frame.

#include <Class/MyCard/MyCardViewController.h>
#include <Foundation/Base64.h>
#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <QuartzCore/Renderer.h>
#include <Service/APIService.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Constants/Storyboards.h>

#include <benchmark/benchmark.h>
#include <support/ScrollFrames.h>

#include <memory>
#include <string>

namespace {

constexpr int kCards = 1000;
const char* const kStatuses[] = {"A", "O", "W", "E", "C"};

ios::Dictionary ownCard(int i) {
  ios::Dictionary balances = ios::Dictionary::array({{{"availableUnit", std::to_string(i % 30) + " lần"}}});
  ios::Dictionary services = ios::Dictionary::array();
  for (int s = 0; s < i % 7; ++s) {
    services.push_back({{"namDefService", "Dịch vụ " + std::to_string(s + 1)}, {"ownAccountDtos", balances}});
  }
  return {{"name", "Thẻ của tôi số " + std::to_string(i)},
          {"status", kStatuses[i % 5]},
          {"cardNoDisplay", "KB26 1200 " + std::to_string(1000 + i)},
          {"price", "1.200.000 đ"},
          {"paymentExpirationDate", "10:30 08/12/2026"},
          {"styleDto", {{"rgb", "#0288D1"}}},
          {"rootService", {{"expirationDate", "31/12/2026"}, {"ownAccountDtos", balances}}},
          {"ownServiceDtos", services}};
}

// The reply to the page the request asks for, out of `count` cards.
std::string pageReply(const ios::HTTPRequest& request, int count) {
  auto params = ios::Dictionary::parse(
      *ios::base64Decode(ios::Dictionary::parse(request.body)["body"].get<std::string>()));
  const int page = params["pageIndex"].get<int>();
  const int size = params["pageSize"].get<int>();
  ios::Dictionary cards = ios::Dictionary::array();
  for (int i = (page - 1) * size; i < page * size && i < count; ++i) cards.push_back(ownCard(i));
  return kerbelin::bench::envelope({{"ownCardDtos", cards}});
}

// My cards with `count` cards on a window, fetched ten a page as the screen asks for them.
struct MyCards {
  std::shared_ptr<ios::FakeTransport> fake = ios::FakeTransport::create();
  std::shared_ptr<ios::UIWindow> window = ios::UIWindow::create();
  std::shared_ptr<kerbelin::MyCardViewController> screen;
  std::shared_ptr<ios::UITableView> table;

  explicit MyCards(int count) {
    fake->setHandler([count](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
      if (request.url.find("/own-card/search/") == std::string::npos) return std::nullopt;
      return ios::FakeTransport::reply(200, pageReply(request, count));
    });
    ios::HTTPClient::shared()->setTransport(fake);
    kerbelin::APIService::setBaseURL("http://127.0.0.1:18084");
    window->makeKeyAndVisible();
    screen = std::dynamic_pointer_cast<kerbelin::MyCardViewController>(
        kerbelin::shareInstanceMyCardStoryboard()->instantiateViewController("MyCardViewController"));
    auto navigation = ios::UINavigationController::create(screen);
    navigation->setNavigationBarHidden(true);
    window->setRootViewController(navigation);
    auto& loop = ios::RunLoop::main();
    while (screen->dataMyCard.size() < static_cast<std::size_t>(count)) {
      const auto before = screen->dataMyCard.size();
      screen->loadData(before == 0);
      if (!loop.runUntil([&] { return screen->dataMyCard.size() > before; }, 10.0)) break;
    }
    table = complete(count) ? screen->tableView.lock() : nullptr;
    window->layoutIfNeeded();
  }
  ~MyCards() {
    window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    kerbelin::APIService::setBaseURL("https://api.halvet.vn");
  }
  bool complete(int count) const { return screen->dataMyCard.size() == static_cast<std::size_t>(count); }
  void settle() {
    ios::RunLoop::main().runUntil([] { return false; }, 0.35);  // the overlay's fade ends
    window->layoutIfNeeded();
  }
};

// One frame of the 1,000-card list scrolling by 40 points a frame, top to bottom and round again.
void BM_ScrollFrameOf1000OwnedCards(benchmark::State& state) {
  MyCards cards(kCards);
  if (!cards.table) {
    state.SkipWithError("the 1,000 cards did not arrive");
    return;
  }
  cards.settle();
  auto& table = *cards.table;
  const std::size_t cellsBefore = table.cellsCreated();
  kerbelin::bench::ScrollDown scroll{*cards.window, table, 40};
  for (auto _ : state) {
    scroll.next();
    auto frame = ios::Renderer::renderImage(*cards.window->layer(), 2);
    benchmark::DoNotOptimize(frame);
  }
  state.counters["cellsCreated"] = static_cast<double>(table.cellsCreated());
  state.counters["cellsCreatedWhileScrolling"] = static_cast<double>(table.cellsCreated() - cellsBefore);
  state.counters["visibleRows"] = static_cast<double>(table.indexPathsForVisibleRows().size());
  state.counters["contentHeight"] = table.contentSize().height;
}
BENCHMARK(BM_ScrollFrameOf1000OwnedCards)->Unit(benchmark::kMillisecond);

// 10, 100 or 1,000 cards flung as a finger flings them, and moved by whole points, 40 a frame.
void BM_MyCardsFlungFrame(benchmark::State& state) { kerbelin::bench::flungFrames<MyCards>(state); }
void BM_MyCardsWholePointFrame(benchmark::State& state) { kerbelin::bench::wholePointFrames<MyCards>(state, 40); }
BENCHMARK(BM_MyCardsFlungFrame)->Apply(kerbelin::bench::threeFlingsOfTenToAThousandRows)->ArgNames({"cards"});
BENCHMARK(BM_MyCardsWholePointFrame)->Apply(kerbelin::bench::tenToAThousandRows)->ArgNames({"cards"});

// From a new my-cards screen to its first kept frame with the first page of cards, answered at once.
void BM_MyCardsTimeToFirstFrameWithData(benchmark::State& state) {
  MyCards host(10);  // the window, and a back-end that serves ten cards
  std::shared_ptr<kerbelin::MyCardViewController> screen;
  auto open = [&] {
    screen = std::dynamic_pointer_cast<kerbelin::MyCardViewController>(
        kerbelin::shareInstanceMyCardStoryboard()->instantiateViewController("MyCardViewController"));
    auto navigation = ios::UINavigationController::create(screen);
    navigation->setNavigationBarHidden(true);
    host.window->setRootViewController(navigation);
    return ios::RunLoop::main().runUntil([&] { return !screen->dataMyCard.empty(); }, 10.0);
  };
  auto close = [&] {
    host.window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntil([] { return false; }, 0.35);
  };
  close();
  kerbelin::bench::timeToFirstFrame(state, *host.window, open, close);
}
BENCHMARK(BM_MyCardsTimeToFirstFrameWithData)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
