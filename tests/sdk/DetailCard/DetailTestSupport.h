#pragma once

// A fixture for the card detail and its QR sheet: the main run loop on the virtual clock, requests
// answered one by one through a FakeTransport, a key window holding a navigation controller, and
// helpers that tap the real controls.

#include <CoreGraphics/CGImage.h>
#include <CoreImage/BarcodeReader.h>
#include <Foundation/Base64.h>
#include <Foundation/Dictionary.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIImage.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <support/VirtualTime.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kQRPath[] = "/kerbelin-app/generate-qr/req";

class DetailTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    APIService::setBaseURL("http://127.0.0.1:18083");
    window = ios::UIWindow::create();
    window->makeKeyAndVisible();
    touches = std::make_unique<ios::TouchGenerator>(window);
    root = ios::UIViewController::create();
    navigation = ios::UINavigationController::create(root);
    window->setRootViewController(navigation);
    runUntilIdle();
  }

  void TearDown() override {
    runUntilIdle();
    advance(2);
    touches.reset();
    window->setRootViewController(nullptr);
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    window.reset();
    root.reset();
    navigation.reset();
    ios::HTTPClient::shared()->setTransport(nullptr);
    APIService::setBaseURL("https://api.halvet.vn");
    MainLoopTest::TearDown();
  }

  std::vector<std::size_t> requestsTo(const std::string& path) const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < fake->requests().size(); ++i) {
      if (fake->requests()[i].url.find(path) != std::string::npos) found.push_back(i);
    }
    return found;
  }

  ios::Dictionary sentParams(std::size_t index) const {
    auto envelope = ios::Dictionary::parse(fake->requests().at(index).body);
    auto json = ios::base64Decode(envelope["body"].get<std::string>());
    return json ? ios::Dictionary::parse(*json) : ios::Dictionary();
  }

  // Answers request `index` with `body` in a reply of `resultCode`, and runs what it posts.
  void answer(std::size_t index, const std::optional<ios::Dictionary>& body, int resultCode = 0) {
    ios::Dictionary reply = {{"resultCode", resultCode}, {"resultDesc", ""}, {"secure", ""}, {"cost", 1}};
    if (body) reply["body"] = ios::base64Encode(body->dump());
    ASSERT_TRUE(fake->respond(index, ios::FakeTransport::reply(200, reply.dump())));
    runUntilIdle();
  }

  void failRequest(std::size_t index) {
    ASSERT_TRUE(fake->fail(index, ios::HTTPError{ios::HTTPError::Kind::connectionRefused, "Không kết nối được"}));
    runUntilIdle();
  }

  ios::CGPoint centerOf(const ios::UIView& view) const {
    const ios::CGRect frame = view.convert(view.bounds(), window.get());
    return {frame.midX(), frame.midY()};
  }

  void tap(const std::shared_ptr<ios::UIView>& view) {
    ASSERT_TRUE(view);
    touches->tap(centerOf(*view));
    runUntilIdle();
  }

  // Runs the clock past the running slides and fades.
  void settle() {
    advance(0.6);
    runUntilIdle();
  }

  static std::string textOf(const std::weak_ptr<ios::UILabel>& label) {
    auto shown = label.lock();
    return shown && shown->text() ? *shown->text() : std::string("<none>");
  }

  // The text a QR picture holds, or "" when none reads.
  static std::string decodedQR(const std::shared_ptr<ios::UIImage>& image) {
    if (!image || !image->cgImage()) return "";
    auto found = ios::BarcodeReader::read(*image->cgImage(), {});
    return found.empty() || !found.front().text ? "" : *found.front().text;
  }

  std::shared_ptr<ios::FakeTransport> fake;
  std::shared_ptr<ios::UIWindow> window;
  std::unique_ptr<ios::TouchGenerator> touches;
  std::shared_ptr<ios::UIViewController> root;
  std::shared_ptr<ios::UINavigationController> navigation;
};

}  // namespace kerbelin::test
