#pragma once

// A fixture that routes the framework's requests into a FakeTransport and helpers to read back what
// was sent and to answer in the back-end's envelope.

#include <Foundation/Base64.h>
#include <Foundation/Dictionary.h>
#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kerbelin::test {

inline const std::string kTestBaseURL = "http://127.0.0.1:18080";

// Everything a request's closures reported.
struct Outcome {
  std::vector<ios::Dictionary> replies;
  std::vector<std::string> failures;
  int calls() const { return static_cast<int>(replies.size() + failures.size()); }

  APIService::CompletionHandler completion() {
    return [this](const ios::Dictionary& reply) { replies.push_back(reply); };
  }
  APIService::Failure failure() {
    return [this](const std::string& message) { failures.push_back(message); };
  }
};

class FakeServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ios::RunLoop::main().resetForTesting();
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    APIService::setBaseURL(kTestBaseURL);
  }

  void TearDown() override {
    ios::RunLoop::main().runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    APIService::setBaseURL("https://api.halvet.vn");
  }

  void runMainLoop() { ios::RunLoop::main().runUntilIdle(); }

  const ios::HTTPRequest& request(std::size_t index) const { return fake->requests().at(index); }

  // The envelope of a sent request, parsed.
  ios::Dictionary envelope(std::size_t index) const { return ios::Dictionary::parse(request(index).body); }

  // The parameters a sent request carried, decoded from its envelope's base64 body.
  ios::Dictionary sentParams(std::size_t index) const {
    std::optional<std::string> json = ios::base64Decode(envelope(index)["body"].get<std::string>());
    EXPECT_TRUE(json.has_value());
    return json ? ios::Dictionary::parse(*json) : ios::Dictionary();
  }

  // The back-end's reply envelope around `body`.
  static std::string replyText(const ios::Dictionary& body) {
    ios::Dictionary reply = {{"resultCode", 0},
                             {"resultDesc", "Thành công"},
                             {"secure", ""},
                             {"cost", 3},
                             {"restHeader", APIService::restHeader()},
                             {"body", ios::base64Encode(body.dump())}};
    return reply.dump();
  }

  std::shared_ptr<ios::FakeTransport> fake;
};

}  // namespace kerbelin::test
