// A service's usage history against the 16.7 ms frame budget of a 60 Hz screen, replies from a fake
// transport: frames of the window's kept frame as a finger flings the entries and as whole points
// move them, each beside the floor of a frame (one frame copied into cache-cold memory), and the time
// from opening the history tab to its first frame with entries.

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>
#include <Class/DetailCard/ViewController/HistoryServiceViewController.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <ObjectMapper/Mapper.h>
#include <Service/APIService.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Handle/HandlePush.h>

#include <benchmark/benchmark.h>
#include <support/ScrollFrames.h>

#include <memory>
#include <optional>
#include <string>

namespace {

using kerbelin::bench::envelope;

ios::Dictionary historyBody(int count) {
  ios::Dictionary entries = ios::Dictionary::array();
  for (int i = 0; i < count; ++i) {
    const bool payment = i == count - 1;
    const std::string day = std::to_string(10 + i % 18) + "/03/2026";
    entries.push_back({{"id", i + 1}, {"transactionId", 700000001 + i}, {"amountUnit", payment ? "+20 lần" : "-1 lần"},
                       {"availableAfterUnit", std::to_string(i % 20) + " lần"}, {"providerName", "Bể bơi Sao Việt"},
                       {"entryTime", day}, {"entryTimeDetail", "10:15 " + day},
                       {"transType", payment ? "PAYMENT" : "USAGE"}});
  }
  return {{"serviceName", "Vé bơi 20 lượt"}, {"status", "A"}, {"expirationDate", "31/12/2026"}, {"unitType", "TIMES"},
          {"ownAccountDtos", ios::Dictionary::array({{{"allocatedUnit", "20 lần"}, {"availableUnit", "12 lần"}}})},
          {"accountEntryDtos", entries}};
}

std::shared_ptr<kerbelin::DefServiceDtos> service() {
  return ios::mapObject<kerbelin::DefServiceDtos>(ios::Dictionary{
      {"code", "OC-1001-1"}, {"name", "Vé bơi 20 lượt"}, {"namDefService", "Vé bơi 20 lượt"}, {"status", "A"},
      {"expirationDate", "31/12/2026"},
      {"ownAccountDtos", ios::Dictionary::array({{{"allocatedUnit", "20 lần"}, {"availableUnit", "12 lần"}}})}});
}

// A service's history tab on a window, showing `count` entries.
struct History {
  std::shared_ptr<ios::FakeTransport> fake = ios::FakeTransport::create();
  std::shared_ptr<ios::UIWindow> window = ios::UIWindow::create();
  std::shared_ptr<ios::UIViewController> caller = ios::UIViewController::create();
  std::shared_ptr<ios::UINavigationController> navigation = ios::UINavigationController::create(caller);
  std::shared_ptr<kerbelin::HistoryServiceViewController> screen;
  std::shared_ptr<ios::UITableView> table;

  explicit History(int count) {
    const std::string reply = envelope(historyBody(count));
    fake->setHandler([reply](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
      if (request.url.find("/transaction/history/req") == std::string::npos) return std::nullopt;
      return ios::FakeTransport::reply(200, reply);
    });
    ios::HTTPClient::shared()->setTransport(fake);
    kerbelin::APIService::setBaseURL("http://127.0.0.1:18087");
    navigation->setNavigationBarHidden(true);
    window->makeKeyAndVisible();
    window->setRootViewController(navigation);
    window->layoutIfNeeded();
    if (!open()) table = nullptr;
  }
  ~History() {
    window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    kerbelin::APIService::setBaseURL("https://api.halvet.vn");
  }

  // The service pushed and its history tab opened, up to the first layout with entries.
  bool open() {
    auto& loop = ios::RunLoop::main();
    kerbelin::HandlePush::create()->pushDetaiServiceContainer(caller, service(), std::nullopt,
                                                              kerbelin::TypeDetailCard::Paid);
    auto container = std::dynamic_pointer_cast<kerbelin::DetailServiceContainerViewController>(
        navigation->topViewController());
    if (!container) return false;
    container->loadViewIfNeeded();
    container->historyButtonClicked(nullptr);
    if (container->children().size() < 2) return false;
    screen = std::dynamic_pointer_cast<kerbelin::HistoryServiceViewController>(container->children().at(1));
    if (!screen || !loop.runUntil([&] { return screen->historyModel != nullptr; }, 10.0)) return false;
    table = screen->tableView.lock();
    return true;
  }
  void close() {
    navigation->popToRootViewController(false);
    ios::RunLoop::main().runUntil([] { return false; }, 0.4);
  }
  void settle() {
    ios::RunLoop::main().runUntil([] { return false; }, 0.6);
    window->layoutIfNeeded();
  }
};

// 10, 100 or 1,000 entries flung as a finger flings them, and moved by whole points, 37 a frame.
void BM_UsageHistoryFlungFrame(benchmark::State& state) { kerbelin::bench::flungFrames<History>(state); }
void BM_UsageHistoryWholePointFrame(benchmark::State& state) { kerbelin::bench::wholePointFrames<History>(state, 37); }
BENCHMARK(BM_UsageHistoryFlungFrame)->Apply(kerbelin::bench::threeFlingsOfTenToAThousandRows)->ArgNames({"entries"});
BENCHMARK(BM_UsageHistoryWholePointFrame)
    ->Apply(kerbelin::bench::tenToAThousandRows)->ArgNames({"entries"});

// From pushing the service to the first kept frame of its history tab with entries.
void BM_UsageHistoryTimeToFirstFrameWithData(benchmark::State& state) {
  History history(10);
  history.close();
  kerbelin::bench::timeToFirstFrame(state, *history.window, [&] { return history.open(); }, [&] { history.close(); });
}
BENCHMARK(BM_UsageHistoryTimeToFirstFrameWithData)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
