#pragma once

// A fixture for the checkout: the main run loop on the virtual clock, the framework's requests routed
// into a FakeTransport that the test answers, and a key window whose navigation controller holds a
// plain screen standing for the card detail, from which the router opens the order screen.

#include <Class/Pay/PaymentViewController.h>
#include <Class/Pay/WaitPaymentViewController.h>
#include <Foundation/Base64.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <Toast/UIViewToast.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Handle/HandlePush.h>
#include <support/VirtualTime.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kBillPath[] = "/kerbelin-app/initialization-bill/req";
inline const char kWaitPath[] = "/kerbelin-app/payment-wait/req";

// An order as the back-end creates it.
inline ios::Dictionary orderJSON() {
  ios::Dictionary provider = {{"name", "Hồ bơi Xanh"}, {"headquarterAddress", "12 Lê Lợi, Hà Nội"}, {"logo", ""},
                              {"headquarterPhone", "0241234567"}, {"email", "lienhe@hoboixanh.vn"}};
  return {{"customerName", "Nguyễn Văn An"}, {"customerMobilePhone", "0912345678"},
          {"defCardName", "Thẻ 10 buổi bơi"}, {"cardNo", "KB000123"}, {"amount", 520000}, {"amountVnd", "520.000"},
          {"orderNo", "DH0001"}, {"usageTerms", "<p><b>Điều khoản</b></p><p>Không hoàn tiền.</p>"},
          {"providerDTOs", ios::Dictionary::array({provider})}};
}

class PayTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    APIService::setBaseURL("http://127.0.0.1:18083");
    caller = ios::UIViewController::create();
    navigation = ios::UINavigationController::create(caller);
    navigation->setNavigationBarHidden(true);
    window = ios::UIWindow::create();
    window->setRootViewController(navigation);
    window->makeKeyAndVisible();
    touches = std::make_unique<ios::TouchGenerator>(window);
    runUntilIdle();
  }

  void TearDown() override {
    advance(5);
    touches.reset();
    screen.reset();
    window->setRootViewController(nullptr);
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    window.reset();
    ios::HTTPClient::shared()->setTransport(nullptr);
    APIService::setBaseURL("https://api.halvet.vn");
    MainLoopTest::TearDown();
  }

  // Opens the order screen for `code` as the card detail's buy button does, once it has slid in.
  void openOrder(const std::string& code = "PKG-SWIM-10") {
    HandlePush::create()->pushPayment(caller, code);
    screen = std::dynamic_pointer_cast<PaymentViewController>(navigation->topViewController());
    ASSERT_NE(screen, nullptr);
    advance(1);
  }

  // Indexes of the requests sent to `path`, in sending order.
  std::vector<std::size_t> requestsTo(const std::string& path) const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < fake->requests().size(); ++i) {
      if (fake->requests()[i].url.find(path) != std::string::npos) found.push_back(i);
    }
    return found;
  }
  std::size_t lastBill() const { return requestsTo(kBillPath).back(); }

  ios::Dictionary sentParams(std::size_t index) const {
    auto envelope = ios::Dictionary::parse(fake->requests().at(index).body);
    return ios::Dictionary::parse(ios::base64Decode(envelope["body"].get<std::string>()).value_or("null"));
  }

  // Answers request `index` as the back-end would; `body` (when given) travels as base64 of its JSON.
  void answer(std::size_t index, const std::optional<ios::Dictionary>& body, int resultCode = 0,
              const std::string& resultDesc = "Thành công") {
    ios::Dictionary reply = {{"resultCode", resultCode}, {"resultDesc", resultDesc}, {"secure", ""}, {"cost", 3}};
    if (body) reply["body"] = ios::base64Encode(body->dump());
    ASSERT_TRUE(fake->respond(index, ios::FakeTransport::reply(200, reply.dump())));
    runUntilIdle();
    if (screen) screen->table.lock()->layoutIfNeeded();
  }

  void tap(const ios::UIView& view) {
    const ios::CGRect frame = view.convert(view.bounds(), window.get());
    touches->tap({frame.midX(), frame.midY()});
    runUntilIdle();
  }

  // The view under `root` whose accessibility identifier (an outlet's name) is `identifier`, or null.
  static std::shared_ptr<ios::UIView> find(const std::shared_ptr<ios::UIView>& root, const std::string& identifier) {
    if (root->accessibilityIdentifier == identifier) return root;
    for (const auto& child : root->subviews()) {
      if (auto found = find(child, identifier)) return found;
    }
    return nullptr;
  }

  std::shared_ptr<ios::FakeTransport> fake;
  std::shared_ptr<ios::UIViewController> caller;
  std::shared_ptr<ios::UINavigationController> navigation;
  std::shared_ptr<ios::UIWindow> window;
  std::unique_ptr<ios::TouchGenerator> touches;
  std::shared_ptr<PaymentViewController> screen;
};

}  // namespace kerbelin::test
