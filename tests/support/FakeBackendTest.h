#pragma once

// A fixture for the framework's screens: the main run loop on the virtual clock, every request of the
// framework routed into a FakeTransport that the test answers one by one in the back-end's reply
// envelope, and the host's main bundle taken from the simulator's resources. Header-only: it is for
// the test binaries that link the framework.

#include <Foundation/Base64.h>
#include <Foundation/Bundle.h>
#include <Foundation/Dictionary.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <support/VirtualTime.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kTestBaseURL[] = "http://127.0.0.1:18082";
inline const char kHostResources[] = KERBELIN_TEST_SOURCE_DIR "/tools/simulator/Resources";

class FakeBackendTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    APIService::setBaseURL(kTestBaseURL);
    ios::Bundle::setMainBundle(ios::Bundle::create("main", std::filesystem::path(kHostResources)));
  }

  void TearDown() override {
    runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    APIService::setBaseURL("https://api.halvet.vn");
    ios::Bundle::setMainBundle(nullptr);
    MainLoopTest::TearDown();
  }

  // Indexes of the requests sent to `path`, in sending order.
  std::vector<std::size_t> requestsTo(const std::string& path) const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < fake->requests().size(); ++i) {
      if (fake->requests()[i].url.find(path) != std::string::npos) found.push_back(i);
    }
    return found;
  }

  // The index of the request last sent to `path`; a failure of the test when none was.
  std::size_t lastRequestTo(const std::string& path) const {
    const auto found = requestsTo(path);
    EXPECT_FALSE(found.empty()) << "no request to " << path;
    return found.empty() ? fake->requests().size() : found.back();
  }

  // The parameters request `index` carried, decoded from its envelope.
  ios::Dictionary sentParams(std::size_t index) const {
    auto envelope = ios::Dictionary::parse(fake->requests().at(index).body);
    auto json = ios::base64Decode(envelope["body"].get<std::string>());
    return json ? ios::Dictionary::parse(*json) : ios::Dictionary();
  }

  // The back-end's reply envelope; `body` (when given) travels as base64 of its JSON text.
  static std::string replyText(const std::optional<ios::Dictionary>& body, int resultCode = 0,
                               const std::string& resultDesc = "Thành công") {
    ios::Dictionary reply = {{"resultCode", resultCode}, {"resultDesc", resultDesc}, {"secure", ""}, {"cost", 3}};
    if (body) reply["body"] = ios::base64Encode(body->dump());
    return reply.dump();
  }

  // Answers request `index` and runs what the reply posts.
  void answer(std::size_t index, const std::optional<ios::Dictionary>& body, int resultCode = 0,
              const std::string& resultDesc = "Thành công") {
    ASSERT_TRUE(fake->respond(index, ios::FakeTransport::reply(200, replyText(body, resultCode, resultDesc))));
    runUntilIdle();
  }

  // Answers the request last sent to `path`.
  void answerLast(const std::string& path, const std::optional<ios::Dictionary>& body, int resultCode = 0) {
    answer(lastRequestTo(path), body, resultCode);
  }

  // Fails request `index` as a refused connection and runs what the failure posts.
  void failRequest(std::size_t index) {
    ASSERT_TRUE(
        fake->fail(index, ios::HTTPError{ios::HTTPError::Kind::connectionRefused, "Không kết nối được"}));
    runUntilIdle();
  }

  std::shared_ptr<ios::FakeTransport> fake;
};

}  // namespace kerbelin::test
