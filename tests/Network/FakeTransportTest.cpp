#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/VirtualTime.h"

namespace ios {
namespace {

using Kind = HTTPError::Kind;

class FakeTransportTest : public test::MainLoopTest {
 protected:
  // Sends a request whose completion appends "<url>:<status or error kind>" to `log`.
  std::shared_ptr<TransportTask> send(const std::string& url, std::string body = {}) {
    HTTPRequest request;
    request.url = url;
    request.body = std::move(body);
    return transport->send(request, [this, url](const HTTPResult& result) {
      log.push_back(url + ":" +
                    (result.ok() ? std::to_string(result.response().statusCode)
                                 : result.error().localizedDescription()));
    });
  }

  std::shared_ptr<FakeTransport> transport = FakeTransport::create();
  std::vector<std::string> log;
};

TEST_F(FakeTransportTest, RecordsRequestsAndReleasesRepliesInTheOrderTheTestChooses) {
  send("a", "first body");
  send("b");
  send("c");
  ASSERT_EQ(transport->requests().size(), 3u);
  EXPECT_EQ(transport->requests()[0].body, "first body");
  EXPECT_EQ(transport->pending(), (std::vector<std::size_t>{0, 1, 2}));

  EXPECT_TRUE(transport->respond(2, FakeTransport::reply(201, "")));
  EXPECT_TRUE(transport->fail(0, HTTPError{Kind::timedOut, {}}));
  EXPECT_TRUE(log.empty()) << "released outcomes travel through the main queue";
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"c:201", "a:The request timed out."}));
  EXPECT_EQ(transport->pending(), (std::vector<std::size_t>{1}));

  EXPECT_TRUE(transport->respond(1, FakeTransport::reply(200, "")));
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log.back(), "b:200");
  EXPECT_TRUE(transport->pending().empty());

  // Each request is released only once, and only a sent one.
  EXPECT_FALSE(transport->respond(1, FakeTransport::reply(500, "")));
  EXPECT_FALSE(transport->fail(2, HTTPError{}));
  EXPECT_FALSE(transport->respond(7, FakeTransport::reply(200, "")));
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(FakeTransportTest, CancelReleasesAsCancelledOnce) {
  auto task = send("a");
  task->cancel();
  task->cancel();
  EXPECT_FALSE(transport->respond(0, FakeTransport::reply(200, "")));
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"a:cancelled"}));
  EXPECT_TRUE(transport->pending().empty());
}

}  // namespace
}  // namespace ios
