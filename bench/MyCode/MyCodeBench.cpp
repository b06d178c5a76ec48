// The my-code tab's countdown on the main thread: one tick of its QR row (the count and its line),
// then the layout that follows, with replies from a fake transport.

#include <Class/MyCode/Cell/MyCodeMyQRTableViewCell.h>
#include <Class/MyCode/MyCodeViewController.h>
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

#include <chrono>

namespace {

std::string envelope(const ios::Dictionary& body) {
  return ios::Dictionary{{"resultCode", 0}, {"resultDesc", ""}, {"body", ios::base64Encode(body.dump())}}.dump();
}

void BM_MyCodeCountdownTick(benchmark::State& state) {
  auto fake = ios::FakeTransport::create();
  fake->setHandler([](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
    if (request.url.find("generate-qr") != std::string::npos)
      return ios::FakeTransport::reply(200, envelope({{"token", "KBQR0123456789ABCDEF0123456789ABCDEF"},
                                                      {"timeToken", 1000000000}}));
    return ios::FakeTransport::reply(200, envelope({{"ownCardDtos", ios::Dictionary::array()}}));
  });
  ios::HTTPClient::shared()->setTransport(fake);
  kerbelin::APIService::setBaseURL("http://127.0.0.1:18085");
  auto window = ios::UIWindow::create();
  window->makeKeyAndVisible();
  auto screen = std::dynamic_pointer_cast<kerbelin::MyCodeViewController>(
      kerbelin::shareInstanceMyCodeStoryboard()->instantiateViewController("MyCodeViewController"));
  window->setRootViewController(ios::UINavigationController::create(screen));
  auto& loop = ios::RunLoop::main();
  loop.runUntil([&] { return screen->objGenQRCode != nullptr; }, 10.0);
  window->layoutIfNeeded();
  auto row = std::dynamic_pointer_cast<kerbelin::MyCodeMyQRTableViewCell>(screen->tableView.lock()->cellForRow({0, 0}));
  if (!row) {
    state.SkipWithError("no QR row");
    return;
  }
  for (auto _ : state) {
    row->fireTimer();
    window->layoutIfNeeded();
  }
  // The pixels that change each second: the countdown line alone.
  auto label = row->labelTime.lock();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) benchmark::DoNotOptimize(ios::Renderer::renderImage(*label->layer(), 2));
  state.counters["lineRedrawUs"] =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / 100;
  window->setRootViewController(nullptr);
  loop.runUntilIdle();
  ios::HTTPClient::shared()->setTransport(nullptr);
}
BENCHMARK(BM_MyCodeCountdownTick)->Unit(benchmark::kMicrosecond);

}  // namespace
