// My cards against the 16.7 ms frame budget of a 60 Hz screen: one frame of scrolling a list of 1,000
// owned cards (fake transport, ten a page as the screen asks), with the number of cells the table
// had to make for it.

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

// The reply to the page the request asks for, out of kCards cards.
std::string pageReply(const ios::HTTPRequest& request) {
  auto params = ios::Dictionary::parse(
      *ios::base64Decode(ios::Dictionary::parse(request.body)["body"].get<std::string>()));
  const int page = params["pageIndex"].get<int>();
  const int size = params["pageSize"].get<int>();
  ios::Dictionary cards = ios::Dictionary::array();
  for (int i = (page - 1) * size; i < page * size && i < kCards; ++i) cards.push_back(ownCard(i));
  return kerbelin::bench::envelope({{"ownCardDtos", cards}});
}

// One frame of the 1,000-card list scrolling by 40 points a frame, top to bottom and round again.
void BM_ScrollFrameOf1000OwnedCards(benchmark::State& state) {
  auto fake = ios::FakeTransport::create();
  fake->setHandler([](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
    if (request.url.find("/own-card/search/") == std::string::npos) return std::nullopt;
    return ios::FakeTransport::reply(200, pageReply(request));
  });
  ios::HTTPClient::shared()->setTransport(fake);
  kerbelin::APIService::setBaseURL("http://127.0.0.1:18084");
  auto window = ios::UIWindow::create();
  window->makeKeyAndVisible();
  auto screen = std::dynamic_pointer_cast<kerbelin::MyCardViewController>(
      kerbelin::shareInstanceMyCardStoryboard()->instantiateViewController("MyCardViewController"));
  auto navigation = ios::UINavigationController::create(screen);
  navigation->setNavigationBarHidden(true);
  window->setRootViewController(navigation);
  auto& loop = ios::RunLoop::main();
  while (screen->dataMyCard.size() < static_cast<std::size_t>(kCards)) {
    const auto before = screen->dataMyCard.size();
    screen->loadData(before == 0);
    if (!loop.runUntil([&] { return screen->dataMyCard.size() > before; }, 10.0)) break;
  }
  if (screen->dataMyCard.size() != static_cast<std::size_t>(kCards)) {
    state.SkipWithError("the 1,000 cards did not arrive");
    return;
  }
  auto table = screen->tableView.lock();
  window->layoutIfNeeded();
  const std::size_t cellsBefore = table->cellsCreated();
  kerbelin::bench::ScrollDown scroll{*window, *table, 40};
  for (auto _ : state) {
    scroll.next();
    auto frame = ios::Renderer::renderImage(*window->layer(), 2);
    benchmark::DoNotOptimize(frame);
  }
  state.counters["cellsCreated"] = static_cast<double>(table->cellsCreated());
  state.counters["cellsCreatedWhileScrolling"] = static_cast<double>(table->cellsCreated() - cellsBefore);
  state.counters["visibleRows"] = static_cast<double>(table->indexPathsForVisibleRows().size());
  state.counters["contentHeight"] = table->contentSize().height;
  window->setRootViewController(nullptr);
  loop.runUntilIdle();
  ios::HTTPClient::shared()->setTransport(nullptr);
  kerbelin::APIService::setBaseURL("https://api.halvet.vn");
}
BENCHMARK(BM_ScrollFrameOf1000OwnedCards)->Unit(benchmark::kMillisecond);

}  // namespace
