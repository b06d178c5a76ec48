#pragma once

// A fixture for the entry screens: the main run loop on the virtual clock, the framework's requests
// routed into a FakeTransport, and the host's main bundle (tab images, the banner's nib) taken from
// the simulator's resource folder.

#include <Foundation/Base64.h>
#include <Foundation/Bundle.h>
#include <Foundation/Dictionary.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <support/VirtualTime.h>

#include <optional>
#include <string>

namespace kerbelin::test {

inline const char kMainBundleDirectory[] = KERBELIN_TEST_SOURCE_DIR "/tools/simulator/Resources";
inline const char kOwnCardPath[] = "/kerbelin-app/v1/own-card/search/req";

class EntryTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    APIService::setBaseURL("http://127.0.0.1:18081");
    ios::Bundle::setMainBundle(ios::Bundle::create("main", std::filesystem::path(kMainBundleDirectory)));
  }

  void TearDown() override {
    runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    APIService::setBaseURL("https://api.halvet.vn");
    ios::Bundle::setMainBundle(nullptr);
    MainLoopTest::TearDown();
  }

  // Index of the first request sent to `path`, or nullopt.
  std::optional<std::size_t> requestTo(const std::string& path) const {
    for (std::size_t i = 0; i < fake->requests().size(); ++i) {
      if (fake->requests()[i].url.find(path) != std::string::npos) return i;
    }
    return std::nullopt;
  }

  // The parameters request `index` carried, decoded from its envelope.
  ios::Dictionary sentParams(std::size_t index) const {
    auto envelope = ios::Dictionary::parse(fake->requests().at(index).body);
    auto json = ios::base64Decode(envelope["body"].get<std::string>());
    return json ? ios::Dictionary::parse(*json) : ios::Dictionary();
  }

  // The back-end's reply envelope; `body` (when given) travels as base64 of its JSON text.
  static std::string replyText(const std::optional<ios::Dictionary>& body) {
    ios::Dictionary reply = {{"resultCode", 0}, {"resultDesc", "Thành công"}, {"secure", ""}, {"cost", 3}};
    if (body) reply["body"] = ios::base64Encode(body->dump());
    return reply.dump();
  }

  std::shared_ptr<ios::FakeTransport> fake;
};

}  // namespace kerbelin::test
