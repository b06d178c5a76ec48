// The card detail against the 16.7 ms frame budget of a 60 Hz screen: from opening the detail of a
// card with ten services to its first rendered frame with data, and one frame of the QR sheet's
// countdown. Replies come from a fake transport, so the figures are the framework's own work.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <Foundation/Base64.h>
#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <QuartzCore/Renderer.h>
#include <Service/APIService.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Handle/HandlePush.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::string envelope(const ios::Dictionary& body) {
  return ios::Dictionary{{"resultCode", 0}, {"resultDesc", "Thành công"}, {"body", ios::base64Encode(body.dump())}}
      .dump();
}

ios::Dictionary cardOfTenServices() {
  ios::Dictionary services = ios::Dictionary::array();
  for (int i = 0; i < 10; ++i) {
    services.push_back({{"name", "Dịch vụ số " + std::to_string(i + 1)}, {"unitPrice", "15.000 đ"},
                        {"price", "120.000 đ"}, {"priceNumber", 120000}, {"listedPrice", "150.000 đ"},
                        {"listedPriceNumber", 150000}, {"expiryDate", "30 ngày kể từ ngày thanh toán"},
                        {"usageDesciption", "<p>Dùng <b>mỗi ngày</b> một lần</p>"},
                        {"defServiceUnitDtos", ios::Dictionary::array({{{"displayLimitUnit", "8 lần"}}})}});
  }
  return {{"defCardDto",
           {{"code", "SV-ALLIN-10"}, {"name", "Thẻ mười dịch vụ"}, {"price", "990.000 đ"}, {"priceNumber", 990000},
            {"listedPrice", "1.200.000 đ"}, {"listedPriceNumber", 1200000}, {"discountValue", "210.000 đ"},
            {"discountValueNumber", 210000}, {"rootService", services[0]}, {"defServiceDtos", services},
            {"promotionDtos", ios::Dictionary::array({{{"urlIcon", ""}, {"description", "Tặng <b>1 buổi</b>"}}})},
            {"usageTerms", "<p>Thẻ chỉ dùng cho chủ thẻ.</p>"}}}};
}

const std::string kTokenReply =
    envelope({{"token", "KBQR0123456789ABCDEF0123456789ABCDEF"}, {"timeToken", 1000000000}});

struct Host {
  std::shared_ptr<ios::FakeTransport> fake = ios::FakeTransport::create();
  std::shared_ptr<ios::UIWindow> window = ios::UIWindow::create();
  std::shared_ptr<ios::UIViewController> root = ios::UIViewController::create();
  std::shared_ptr<ios::UINavigationController> navigation = ios::UINavigationController::create(root);

  explicit Host(std::string reply) {
    fake->setHandler([reply = std::move(reply)](const ios::HTTPRequest&) -> std::optional<ios::HTTPResult> {
      return ios::FakeTransport::reply(200, reply);
    });
    ios::HTTPClient::shared()->setTransport(fake);
    kerbelin::APIService::setBaseURL("http://127.0.0.1:18084");
    window->makeKeyAndVisible();
    window->setRootViewController(navigation);
    window->layoutIfNeeded();
  }
  ~Host() {
    window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    kerbelin::APIService::setBaseURL("https://api.halvet.vn");
  }
};

// From the router's push to a rendered frame whose table shows the card.
void BM_DetailOfTenServicesToFirstFrame(benchmark::State& state) {
  Host host(envelope(cardOfTenServices()));
  auto& loop = ios::RunLoop::main();
  auto opened = kerbelin::CardModel::create();
  opened->code = "SV-ALLIN-10";
  for (auto _ : state) {
    kerbelin::HandlePush::create()->pushDetaiCard(host.root, kerbelin::TypeController::BuyCard, opened);
    auto screen = std::dynamic_pointer_cast<kerbelin::DetailCardViewController>(host.navigation->topViewController());
    if (!screen || !loop.runUntil([&] { return screen->cardModel != nullptr; }, 10.0)) {
      state.SkipWithError("no detail arrived");
      break;
    }
    host.window->layoutIfNeeded();
    benchmark::DoNotOptimize(ios::Renderer::renderImage(*host.window->layer(), 2));
    state.PauseTiming();
    host.navigation->popToRootViewController(false);
    loop.runUntil([] { return false; }, 0.4);  // the push and the overlay's fade end
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DetailOfTenServicesToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// A presented QR sheet in token mode whose token lives long enough never to be renewed here.
std::shared_ptr<kerbelin::PopupQRCodeViewController> showCountdown(Host& host) {
  auto& loop = ios::RunLoop::main();
  auto sheet = kerbelin::ContainerFloatingQRCodeViewController::instantiate();
  sheet->params = ios::Dictionary{{"mobilePhone", "0912345678"}, {"ownServiceCode", "S1"}};
  sheet->nameTitle = "Thẻ tập Gym 1 tháng";
  sheet->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  host.root->present(sheet, false);
  loop.runUntil([&] { return sheet->popup() && sheet->popup()->objGenQRCode != nullptr; }, 10.0);
  loop.runUntil([] { return false; }, 0.5);  // the sheet's slide ends
  return sheet->popup();
}

// One second of the QR sheet's countdown: the tick, then the whole window's frame.
void BM_QRCountdownFrame(benchmark::State& state) {
  Host host(kTokenReply);
  auto popup = showCountdown(host);
  for (auto _ : state) {
    popup->fireTimer();
    host.window->layoutIfNeeded();
    benchmark::DoNotOptimize(ios::Renderer::renderImage(*host.window->layer(), 2));
  }
  popup->stopCountdown();
}
BENCHMARK(BM_QRCountdownFrame)->Unit(benchmark::kMillisecond);

// The same tick with only the countdown line redrawn: what a frame costs when nothing else changed.
void BM_QRCountdownLabelOnly(benchmark::State& state) {
  Host host(kTokenReply);
  auto popup = showCountdown(host);
  auto label = popup->labelTime.lock();
  for (auto _ : state) {
    popup->fireTimer();
    host.window->layoutIfNeeded();
    benchmark::DoNotOptimize(ios::Renderer::renderImage(*label->layer(), 2));
  }
  popup->stopCountdown();
}
BENCHMARK(BM_QRCountdownLabelOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
