// The SDK's requests against servers that never answer, through the real HTTP client.

#include <Foundation/RunLoop.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <Service/Domain.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "Network/FullListener.h"
#include "Network/LoopbackListener.h"
#include "support/VirtualTime.h"

namespace kerbelin::test {
namespace {

// Restores the shared client as the other tests expect it: real transport, default time-outs.
class SilentServerTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    ios::HTTPClient::shared()->setTransport(nullptr);
  }

  void TearDown() override {
    auto client = ios::HTTPClient::shared();
    client->setTransport(nullptr);  // cancels a request a failing case left out
    client->connectTimeout = 10.0;
    client->timeout = 30.0;
    APIService::setBaseURL("https://api.halvet.vn");
    MainLoopTest::TearDown();
  }
};

// A request whose server keeps quiet ends with the time-out message after the time-out the host gave
// the shared client, not after the defaults' 10 s or 30 s. Costs about 2 s of waiting.
TEST_F(SilentServerTest, ARequestEndsAfterTheTimeOutTheHostGaveTheSharedClient) {
  int quietPort = 0;
  // Connections land in the queue and the request is sent, but nobody ever reads it.
  const std::shared_ptr<const int> quiet(new int(ios::test::openLoopbackListener(8, quietPort)),
                                         [](const int* fd) { ::close(*fd), delete fd; });
  const ios::test::FullListener neverAccepts;
  struct Case {
    const char* name;
    std::string baseURL;
    double connectTimeout, timeout, expected;
  };
  const Case cases[] = {
      {"accepted, never answered", "http://127.0.0.1:" + std::to_string(quietPort), 10, 1, 1},
      {"never accepted", neverAccepts.url(""), 1, 60, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto client = ios::HTTPClient::shared();
    client->connectTimeout = c.connectTimeout;
    client->timeout = c.timeout;
    APIService::setBaseURL(c.baseURL);
    std::optional<std::string> failure;
    const auto start = std::chrono::steady_clock::now();
    APIService::sharedInstance()->httpBodyRequestAPI(
        Domain::url(Domain::BuyCard::ListCategory), {}, MethodApi::POST,
        [](const ios::Dictionary&) { ADD_FAILURE() << "a silent server answered"; },
        [&](const std::string& message) { failure = message; });
    // Generous for a loaded machine, and well short of the defaults.
    ASSERT_TRUE(ios::RunLoop::main().runUntil([&] { return failure.has_value(); }, c.expected + 4));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(*failure, "Yêu cầu đã hết thời gian chờ.");
    EXPECT_GE(took.count(), c.expected * 0.9);
  }
}

}  // namespace
}  // namespace kerbelin::test
