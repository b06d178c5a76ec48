#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <gtest/gtest.h>

#include <optional>

#include "support/VirtualTime.h"

namespace ios {
namespace {

using Kind = HTTPError::Kind;

class HTTPClientTest : public test::MainLoopTest {
 protected:
  void post(const Dictionary& body, const HTTPHeaders& headers = {},
            const std::string& url = "http://x/api") {
    client->postJSON(url, body, headers, [this](const HTTPClient::JSONResult& result) {
      ++calls;
      outcome = result;
    });
  }

  std::shared_ptr<FakeTransport> fake = FakeTransport::create();
  std::shared_ptr<HTTPClient> client = HTTPClient::create(fake);
  int calls = 0;
  std::optional<HTTPClient::JSONResult> outcome;
};

TEST_F(HTTPClientTest, PostJSONSendsTheBodyAsJSONWithJSONHeadersAndTheClientsTimeOuts) {
  client->connectTimeout = 4;
  client->timeout = 12;
  post({{"phone", "0912345678"}, {"name", "Nguyễn Văn An"}}, {{"Authorization", "Bearer t"}});

  ASSERT_EQ(fake->requests().size(), 1u);
  const HTTPRequest& request = fake->requests()[0];
  EXPECT_EQ(request.method, "POST");
  EXPECT_EQ(request.url, "http://x/api");
  EXPECT_EQ(request.headers.at("Content-Type"), "application/json");
  EXPECT_EQ(request.headers.at("Accept"), "application/json");
  EXPECT_EQ(request.headers.at("Authorization"), "Bearer t");
  EXPECT_EQ(Dictionary::parse(request.body),
            (Dictionary{{"phone", "0912345678"}, {"name", "Nguyễn Văn An"}}));
  EXPECT_EQ(request.connectTimeout, 4);
  EXPECT_EQ(request.timeout, 12);
}

TEST_F(HTTPClientTest, CallersHeadersWinOverTheDefaultsWhateverTheirCase) {
  post(Dictionary::object(), {{"content-type", "application/json; charset=utf-8"}});
  const HTTPHeaders& headers = fake->requests()[0].headers;
  EXPECT_EQ(headers.size(), 2u);
  EXPECT_EQ(headers.at("Content-Type"), "application/json; charset=utf-8");
}

TEST_F(HTTPClientTest, TextThatIsNotUTF8IsReplacedInsteadOfThrowing) {
  post({{"name", std::string("bad \xC3\x28 byte")}});
  ASSERT_EQ(fake->requests().size(), 1u);
  EXPECT_TRUE(Dictionary::parse(fake->requests()[0].body, nullptr, false).is_object());
}

TEST_F(HTTPClientTest, AnyJSONValueIsAReplyAndTheShapeIsLeftToTheCaller) {
  post(Dictionary::object());
  fake->respond(0, FakeTransport::reply(500, R"([1, 2])"));
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(calls, 1);
  ASSERT_TRUE(outcome->ok());
  EXPECT_EQ(*outcome->value, Dictionary::parse("[1,2]"));
  EXPECT_EQ(outcome->response->statusCode, 500);
  EXPECT_FALSE(outcome->error);
}

TEST_F(HTTPClientTest, BodyThatIsNotJSONFailsWithTheRawReply) {
  const struct {
    std::string body;
    Kind kind;
  } cases[] = {
      {"", Kind::notJSON},
      {"<html>oops</html>", Kind::notJSON},
      {R"({"cut": )", Kind::notJSON},
      {std::string("{\"a\":1}\0{\"a\":2}", 15), Kind::notJSON},
      // Deep and never closed: refused at the limit, so reading it cannot exhaust the stack.
      {std::string(100000, '['), Kind::nestedTooDeep},
  };
  for (const auto& c : cases) {
    calls = 0;
    post(Dictionary::object());
    fake->respond(fake->pending().back(), FakeTransport::reply(200, c.body));
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(calls, 1);
    EXPECT_FALSE(outcome->ok());
    ASSERT_TRUE(outcome->error);
    EXPECT_EQ(outcome->error->kind, c.kind) << c.body.substr(0, 20);
    ASSERT_TRUE(outcome->response);
    EXPECT_EQ(outcome->response->body, c.body);
  }
  EXPECT_EQ((HTTPError{Kind::notJSON, ""}).localizedDescription(),
            "The data couldn't be read because it isn't in the correct format.");
}

TEST_F(HTTPClientTest, TransportErrorFailsWithoutAReply) {
  post(Dictionary::object());
  fake->fail(0, HTTPError{Kind::connectionRefused, {}});
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(calls, 1);
  EXPECT_FALSE(outcome->value);
  EXPECT_FALSE(outcome->response);
  EXPECT_EQ(outcome->error->localizedDescription(), "Could not connect to the server.");
}

TEST_F(HTTPClientTest, GetAsksForTheURLAndHandsBackRawBytes) {
  std::optional<HTTPResult> seen;
  client->get("http://x/image.png", [&](const HTTPResult& result) { seen = result; });
  EXPECT_EQ(fake->requests()[0].method, "GET");
  EXPECT_TRUE(fake->requests()[0].body.empty());
  fake->respond(0, FakeTransport::reply(200, std::string("\x89PNG\0\x01", 6)));
  RunLoop::main().runUntilIdle();
  ASSERT_TRUE(seen && seen->ok());
  EXPECT_EQ(seen->response().body.size(), 6u);
}

}  // namespace
}  // namespace ios
