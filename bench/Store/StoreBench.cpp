// The card store against the 16.7 ms frame budget of a 60 Hz screen: how long the host waits for the
// first frame with cards (real local back-end on a loopback port), and one frame of scrolling a long
// list (fake transport), with the number of cells the table had to make.

#include <BackendServer.h>
#include <Class/BuyCard/BuyCardViewController.h>
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

#include <memory>
#include <string>

namespace {

using kerbelin::BuyCardViewController;

std::shared_ptr<BuyCardViewController> makeStore() {
  return std::dynamic_pointer_cast<BuyCardViewController>(
      kerbelin::shareInstanceBuyCardStoryboard()->instantiateViewController("BuyCardViewController"));
}

// From a new store screen to a rendered frame that shows its first page of cards.
void BM_TimeToFirstFrameWithData(benchmark::State& state) {
  kerbelin::backend::BackendServer::Options options;
  options.port = 0;
  kerbelin::backend::BackendServer server(options);
  if (!server.start()) {
    state.SkipWithError("the local back-end did not start");
    return;
  }
  ios::HTTPClient::shared()->setTransport(nullptr);
  kerbelin::APIService::setBaseURL(server.baseURL());
  auto window = ios::UIWindow::create();
  window->makeKeyAndVisible();
  auto& loop = ios::RunLoop::main();
  for (auto _ : state) {
    auto store = makeStore();
    window->setRootViewController(ios::UINavigationController::create(store));
    if (!loop.runUntil([&] { return store->dataBuyCard.size() > 1; }, 10.0)) {
      state.SkipWithError("no cards arrived");
      break;
    }
    window->layoutIfNeeded();
    auto frame = ios::Renderer::renderImage(*window->layer(), 2);
    benchmark::DoNotOptimize(frame);
    state.PauseTiming();
    window->setRootViewController(nullptr);
    loop.runUntil([] { return false; }, 0.35);  // let the overlay's fade finish
    state.ResumeTiming();
  }
  window->setRootViewController(nullptr);
  loop.runUntilIdle();
  kerbelin::APIService::setBaseURL("https://api.halvet.vn");
  server.stop();
}
BENCHMARK(BM_TimeToFirstFrameWithData)->Unit(benchmark::kMillisecond)->UseRealTime();

// One reply envelope around `body`, as the back-end sends it.
std::string envelope(const ios::Dictionary& body) {
  return ios::Dictionary{
      {"resultCode", 0}, {"resultDesc", "Thành công"}, {"body", ios::base64Encode(body.dump())}}
      .dump();
}

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

// One frame of a 200-card list scrolling by 40 points a frame, top to bottom and round again.
void BM_ScrollFrameOf200Cards(benchmark::State& state) {
  auto fake = ios::FakeTransport::create();
  const std::string categories =
      envelope({{"lstCate", ios::Dictionary::array({{{"id", 1}, {"orderNo", 1}, {"name", "Tất cả"}}})}});
  const std::string cards = envelope({{"defCardDtos", longList(200)}});
  fake->setHandler([&](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
    if (request.url.find("/category/") != std::string::npos)
      return ios::FakeTransport::reply(200, categories);
    if (request.url.find("/def-card/") != std::string::npos) return ios::FakeTransport::reply(200, cards);
    return std::nullopt;
  });
  ios::HTTPClient::shared()->setTransport(fake);
  kerbelin::APIService::setBaseURL("http://127.0.0.1:18083");
  auto window = ios::UIWindow::create();
  window->makeKeyAndVisible();
  auto store = makeStore();
  window->setRootViewController(ios::UINavigationController::create(store));
  auto& loop = ios::RunLoop::main();
  loop.runUntil([&] { return store->dataBuyCard.size() > 200; }, 10.0);
  loop.runUntil([] { return false; }, 0.35);
  auto table = store->tableView.lock();
  window->layoutIfNeeded();
  const ios::CGFloat bottom = table->contentSize().height - table->bounds().height();
  ios::CGFloat y = 0;
  for (auto _ : state) {
    y = y + 40 > bottom ? 0 : y + 40;
    table->setContentOffset({0, y});
    window->layoutIfNeeded();
    auto frame = ios::Renderer::renderImage(*window->layer(), 2);
    benchmark::DoNotOptimize(frame);
  }
  state.counters["cellsCreated"] = static_cast<double>(table->cellsCreated());
  state.counters["contentHeight"] = table->contentSize().height;
  window->setRootViewController(nullptr);
  loop.runUntilIdle();
  ios::HTTPClient::shared()->setTransport(nullptr);
  kerbelin::APIService::setBaseURL("https://api.halvet.vn");
}
BENCHMARK(BM_ScrollFrameOf200Cards)->Unit(benchmark::kMillisecond);

}  // namespace
