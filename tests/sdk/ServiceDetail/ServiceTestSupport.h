#pragma once

// A fixture for a service's screens: the main run loop on the virtual clock, the framework's requests
// routed into a FakeTransport that the test answers one by one, the host's main bundle taken from the
// simulator's resources (the row icons), and a key window whose navigation controller the screens are
// pushed on through the router, as the card detail and my codes do.

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Foundation/Base64.h>
#include <Foundation/Bundle.h>
#include <Foundation/Dictionary.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <ObjectMapper/Mapper.h>
#include <QuartzCore/Renderer.h>
#include <Service/APIService.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>
#include <support/VirtualTime.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin::test {

inline const char kServiceMainBundle[] = KERBELIN_TEST_SOURCE_DIR "/tools/simulator/Resources";
inline const char kHistoryPath[] = "/kerbelin-app/transaction/history/req";

// A service of an owned card as the back-end sends it, every text distinct. `status` "" is a service
// for sale; the two optional descriptions are left out unless given.
inline ios::Dictionary serviceJSON(const std::string& status, std::optional<std::string> usageDesciption = {},
                                   std::optional<std::string> usageDescription = {}) {
  ios::Dictionary service = {{"code", "OC-1001-1"},
                             {"name", "Gói tập 8 buổi"},
                             {"namDefService", "Tập gym 8 buổi"},
                             {"description", "Áp dụng tại mọi chi nhánh."},
                             {"status", status},
                             {"price", "450.000 đ"},
                             {"listedPrice", "600.000 đ"},
                             {"unitPrice", "56.250 đ"},
                             {"limitDetailDescription", "Tối đa 8 buổi"},
                             {"expiryDate", "30 ngày kể từ ngày thanh toán"},
                             {"expirationDate", "31/12/2026"},
                             {"defServiceUnitDtos", ios::Dictionary::array({{{"displayLimitUnit", "8 lần/tháng"}}})},
                             {"ownAccountDtos",
                              ios::Dictionary::array({{{"allocatedUnit", "8 lần"}, {"availableUnit", "5 lần"}}})}};
  if (usageDesciption) service["usageDesciption"] = *usageDesciption;
  if (usageDescription) service["usageDescription"] = *usageDescription;
  return service;
}

inline std::shared_ptr<DefServiceDtos> serviceFrom(const ios::Dictionary& json) {
  return ios::mapObject<DefServiceDtos>(json);
}

class ServiceTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    APIService::setBaseURL("http://127.0.0.1:18083");
    ios::Bundle::setMainBundle(ios::Bundle::create("main", std::filesystem::path(kServiceMainBundle)));
    window = ios::UIWindow::create();
    window->makeKeyAndVisible();
    touches = std::make_unique<ios::TouchGenerator>(window);
    caller = ios::UIViewController::create();
    navigation = ios::UINavigationController::create(caller);
    navigation->setNavigationBarHidden(true, false);
    window->setRootViewController(navigation);
    runUntilIdle();
  }

  void TearDown() override {
    runUntilIdle();
    advance(1);
    touches.reset();
    window->setRootViewController(nullptr);
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    window.reset();
    navigation.reset();
    caller.reset();
    ios::HTTPClient::shared()->setTransport(nullptr);
    APIService::setBaseURL("https://api.halvet.vn");
    ios::Bundle::setMainBundle(nullptr);
    MainLoopTest::TearDown();
  }

  // Lets pushes, pops and slides finish and lays the window out.
  void settle() {
    runUntilIdle();
    advance(1);
    runUntilIdle();
    window->layoutIfNeeded();
  }

  template <class Screen>
  std::shared_ptr<Screen> top() const {
    return std::dynamic_pointer_cast<Screen>(navigation->topViewController());
  }

  // The cell of a row of `table`, scrolled into view first.
  static std::shared_ptr<ios::UITableViewCell> cellAt(ios::UITableView& table, ios::IndexPath indexPath) {
    table.scrollToRow(indexPath, ios::UITableViewScrollPosition::top, false);
    table.layoutIfNeeded();
    return table.cellForRow(indexPath);
  }

  ios::CGPoint centerOf(const ios::UIView& view) const {
    const ios::CGRect frame = view.convert(view.bounds(), window.get());
    return {frame.midX(), frame.midY()};
  }
  void tap(const ios::UIView& view) {
    touches->tap(centerOf(view));
    runUntilIdle();
  }

  std::shared_ptr<ios::CGImage> render() {
    settle();
    return ios::Renderer::renderImage(*window->layer(), 1);
  }

  ios::Dictionary sentParams(std::size_t index) const {
    auto envelope = ios::Dictionary::parse(fake->requests().at(index).body);
    auto json = ios::base64Decode(envelope["body"].get<std::string>());
    return json ? ios::Dictionary::parse(*json) : ios::Dictionary();
  }

  static std::string replyText(const std::optional<ios::Dictionary>& body, int resultCode = 0) {
    ios::Dictionary reply = {{"resultCode", resultCode}, {"resultDesc", "Thành công"}, {"secure", ""}, {"cost", 3}};
    if (body) reply["body"] = ios::base64Encode(body->dump());
    return reply.dump();
  }
  void answer(std::size_t index, const std::optional<ios::Dictionary>& body, int resultCode = 0) {
    ASSERT_TRUE(fake->respond(index, ios::FakeTransport::reply(200, replyText(body, resultCode))));
    settle();
  }
  void failRequest(std::size_t index) {
    ASSERT_TRUE(
        fake->fail(index, ios::HTTPError{ios::HTTPError::Kind::connectionRefused, "Không kết nối được"}));
    settle();
  }

  std::shared_ptr<ios::FakeTransport> fake;
  std::shared_ptr<ios::UIWindow> window;
  std::unique_ptr<ios::TouchGenerator> touches;
  std::shared_ptr<ios::UIViewController> caller;
  std::shared_ptr<ios::UINavigationController> navigation;
};

}  // namespace kerbelin::test
