#include <Foundation/RunLoop.h>
#include <Network/CurlTransport.h>
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <thread>
#include <tuple>
#include <vector>

#include "Network/DroppingServer.h"
#include "Network/FullListener.h"
#include "Network/LocalServer.h"
#include "support/VirtualTime.h"

namespace ios {
namespace {

using Kind = HTTPError::Kind;

// What one request's completion saw. Every test checks `calls` so a second delivery shows up.
struct Outcome {
  int calls = 0;
  std::optional<HTTPResult> result;
  bool onMainThread = false;
  bool sendReturned = false;
  bool afterSendReturned = false;
};

class CurlTransportTest : public test::MainLoopTest {
 protected:
  HTTPRequest get(const std::string& path) {
    HTTPRequest request;
    request.url = server.url(path);
    return request;
  }

  std::shared_ptr<TransportTask> send(HTTPRequest request, Outcome& outcome) {
    const auto mainThread = std::this_thread::get_id();
    auto task = transport->send(std::move(request), [&outcome, mainThread](const HTTPResult& result) {
      ++outcome.calls;
      outcome.result = result;
      outcome.onMainThread = std::this_thread::get_id() == mainThread;
      outcome.afterSendReturned = outcome.sendReturned;
    });
    outcome.sendReturned = true;
    return task;
  }

  bool waitFor(const std::function<bool()>& done) { return RunLoop::main().runUntil(done, 15.0); }

  HTTPResult fetch(HTTPRequest request) {
    Outcome outcome;
    send(std::move(request), outcome);
    EXPECT_TRUE(waitFor([&] { return outcome.calls > 0; }));
    finishTransport();
    EXPECT_EQ(outcome.calls, 1);
    EXPECT_EQ(RunLoop::main().externalWorkCount(), 0);
    EXPECT_TRUE(outcome.onMainThread);
    EXPECT_TRUE(outcome.afterSendReturned);
    return outcome.result.value_or(HTTPResult(HTTPError{Kind::other, "no completion"}));
  }

  // Destroying the transport joins its I/O thread, so anything it might still deliver is queued
  // by then; running the loop afterwards flushes it, and a duplicate completion would be counted.
  void finishTransport() {
    transport.reset();
    RunLoop::main().runUntilIdle();
  }

  test::LocalServer server;
  std::shared_ptr<CurlTransport> transport = CurlTransport::create();
};

TEST_F(CurlTransportTest, PostDeliversStatusHeadersAndBodyOnTheMainThreadAfterSendReturns) {
  HTTPRequest request = get("/echo");
  request.method = "POST";
  request.body = R"({"greeting":"xin chào"})";
  request.headers = {{"content-type", "application/json"}, {"Authorization", "Bearer token-1"}};

  const HTTPResult result = fetch(request);

  ASSERT_TRUE(result.ok()) << result.error().detail;
  const HTTPResponse& response = result.response();
  EXPECT_EQ(response.statusCode, 200);
  EXPECT_EQ(response.body, request.body);
  EXPECT_EQ(response.url, request.url);
  EXPECT_EQ(response.headers.at("x-seen-method"), "POST");
  EXPECT_EQ(response.headers.at("X-SEEN-AUTHORIZATION"), "Bearer token-1");
  EXPECT_EQ(response.headers.at("X-Seen-Content-Type"), "application/json");
  EXPECT_EQ(response.headers.at("X-Multi"), "first, second");
}

// Any status is a reply, bodies arrive untouched, and GET alone follows redirects: other methods get
// the 3xx itself.
TEST_F(CurlTransportTest, RepliesArriveAsTheServerSentThem) {
  struct Case {
    const char* path;
    const char* method;
    int status;
    const char* body;
    const char* finalPath;
    const char* location;  // "" when the reply has none
  };
  const Case cases[] = {
      {"/text500", "GET", 500, "Internal Server Error", "/text500", ""},
      {"/text", "GET", 200, "plain words, no JSON", "/text", ""},
      {"/slow", "GET", 200, "finally", "/slow", ""},
      {"/redirect", "GET", 200, "", "/echo", ""},
      {"/redirect", "POST", 302, "", "/redirect", "/echo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " " + c.path);
    transport = CurlTransport::create();
    HTTPRequest request = get(c.path);
    request.method = c.method;
    const HTTPResult result = fetch(request);
    ASSERT_TRUE(result.ok()) << result.error().detail;
    EXPECT_EQ(result.response().statusCode, c.status);
    EXPECT_EQ(result.response().body, c.body);
    EXPECT_EQ(result.response().url, server.url(c.finalPath));
    const auto location = result.response().headers.find("Location");
    EXPECT_EQ(location == result.response().headers.end() ? "" : location->second, c.location);
  }
}

// Each way a transfer fails reads as its own kind, with the description screens show.
TEST_F(CurlTransportTest, FailuresReadAsTheirKinds) {
  test::FullListener neverAccepts;
  struct Case {
    const char* name;
    std::string url;
    double connectTimeout, timeout;
    HTTPHeaders headers;
    Kind kind;
    const char* description;  // "" when any
  };
  const Case cases[] = {
      {"closed port", "http://127.0.0.1:" + std::to_string(test::LocalServer::closedPort()) + "/echo", 10, 30, {},
       Kind::connectionRefused, "Could not connect to the server."},
      {"reply slower than the total time-out", server.url("/hold"), 10, 0.3, {}, Kind::timedOut,
       "The request timed out."},
      // The total time-out is longer than the wait: only the connect time-out can end this.
      {"connection never accepted", neverAccepts.url("/echo"), 0.3, 60, {}, Kind::timedOut, "The request timed out."},
      {"TLS with a plain server", "https://127.0.0.1:" + std::to_string(server.port()) + "/echo", 10, 30, {},
       Kind::tlsFailure, ""},
      {"endless redirects", server.url("/loop"), 10, 30, {}, Kind::tooManyRedirects, "too many HTTP redirects"},
      {"header with a line break", server.url("/echo"), 10, 30, {{"X-Note", "ok\r\nX-Injected: yes"}}, Kind::other,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    transport = CurlTransport::create();
    HTTPRequest request;
    request.url = c.url;
    request.connectTimeout = c.connectTimeout;
    request.timeout = c.timeout;
    request.headers = c.headers;
    const HTTPResult result = fetch(request);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, c.kind) << result.error().detail;
    if (*c.description) {
      EXPECT_EQ(result.error().localizedDescription(), c.description);
    }
  }
}

TEST_F(CurlTransportTest, BadURLsFailOnTheMainQueueWithoutTraffic) {
  for (const std::string url : {"", "not a url", "ftp://127.0.0.1/file", "file:///etc/hostname", "http://"}) {
    transport = CurlTransport::create();
    HTTPRequest request;
    request.url = url;
    const HTTPResult result = fetch(request);
    ASSERT_FALSE(result.ok()) << url;
    EXPECT_EQ(result.error().kind, Kind::invalidURL) << url;
    EXPECT_EQ(result.error().localizedDescription(), "unsupported URL");
  }
}

TEST_F(CurlTransportTest, ReplyBodyOverTheCapIsAnError) {
  CurlTransport::Options capped;
  capped.maxResponseBytes = 1000;
  transport = CurlTransport::create(capped);
  EXPECT_TRUE(fetch(get("/big?n=1000")).ok());

  for (const std::string path : {"/big?n=1001", "/chunked?n=5000"}) {
    transport = CurlTransport::create(capped);
    const HTTPResult result = fetch(get(path));
    ASSERT_FALSE(result.ok()) << path;
    EXPECT_EQ(result.error().kind, Kind::responseTooLarge) << path;
  }
}

TEST_F(CurlTransportTest, FiftyConcurrentRequestsEachCompleteOnceWithTheirOwnReply) {
  constexpr int kCount = 50;
  std::vector<Outcome> outcomes(kCount);
  for (int i = 0; i < kCount; ++i) send(get("/echo?i=" + std::to_string(i)), outcomes[i]);
  // Each transfer counts as outside work on the main loop until its completion has run.
  EXPECT_EQ(RunLoop::main().externalWorkCount(), kCount);

  EXPECT_TRUE(waitFor([&] {
    return std::all_of(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return o.calls > 0; });
  }));
  finishTransport();

  EXPECT_EQ(RunLoop::main().externalWorkCount(), 0);
  for (int i = 0; i < kCount; ++i) {
    const Outcome& outcome = outcomes[i];
    EXPECT_EQ(outcome.calls, 1) << i;
    ASSERT_TRUE(outcome.result && outcome.result->ok()) << i;
    EXPECT_EQ(outcome.result->response().headers.at("X-Seen-Query"), std::to_string(i));
    EXPECT_TRUE(outcome.onMainThread && outcome.afterSendReturned) << i;
  }
}

TEST_F(CurlTransportTest, CancelInFlightCompletesOnceWithCancelled) {
  Outcome outcome;
  auto task = send(get("/hold"), outcome);
  ASSERT_TRUE(waitFor([&] { return server.holdArrivals() == 1; }));
  EXPECT_EQ(outcome.calls, 0);

  task->cancel();
  EXPECT_TRUE(waitFor([&] { return outcome.calls > 0; }));
  server.openGate();
  task->cancel();
  finishTransport();

  EXPECT_EQ(outcome.calls, 1);
  ASSERT_FALSE(outcome.result->ok());
  EXPECT_EQ(outcome.result->error().kind, Kind::cancelled);
  EXPECT_TRUE(outcome.onMainThread);
}

// Cancelling wins over an outcome not yet delivered, even one send() itself queued (a bad URL's
// failure), and does nothing once the completion has run.
TEST_F(CurlTransportTest, CancelBeforeDeliveryWinsAndCancelAfterCompletionDoesNothing) {
  Outcome early, queued, late;
  send(get("/echo"), early)->cancel();
  HTTPRequest badURL;
  badURL.url = "not a url";
  send(badURL, queued)->cancel();
  auto lateTask = send(get("/echo"), late);
  ASSERT_TRUE(waitFor([&] { return early.calls > 0 && late.calls > 0; }));
  lateTask->cancel();
  finishTransport();

  for (const Outcome* cancelled : {&early, &queued}) {
    EXPECT_EQ(cancelled->calls, 1);
    EXPECT_EQ(cancelled->result->error().kind, Kind::cancelled);
  }
  EXPECT_EQ(late.calls, 1);
  EXPECT_TRUE(late.result->ok());
}

TEST_F(CurlTransportTest, DestroyingTheTransportCancelsEveryTransferInFlight) {
  std::vector<Outcome> held(4);
  for (auto& outcome : held) send(get("/hold"), outcome);
  ASSERT_TRUE(waitFor([&] { return server.holdArrivals() == 4; }));
  Outcome queued;
  send(get("/echo"), queued);

  finishTransport();

  for (const Outcome& outcome : held) {
    EXPECT_EQ(outcome.calls, 1);
    ASSERT_TRUE(outcome.result.has_value());
    EXPECT_EQ(outcome.result->error().kind, Kind::cancelled);
  }
  EXPECT_EQ(queued.calls, 1);
  EXPECT_EQ(RunLoop::main().externalWorkCount(), 0);
}

// A kept-alive connection closed just as a request arrives: libcurl by itself would send the request
// again on a fresh connection, and a POST (a bill) would then arrive twice. GET may be sent again.
TEST_F(CurlTransportTest, APostOnAConnectionClosedWithoutReplyFailsAndIsNotSentAgain) {
  const std::vector<std::tuple<std::string, std::string, int>> methods = {
      {"POST", R"({"order":1})", 2}, {"PUT", "{}", 2}, {"DELETE", "", 2}, {"GET", "", 3}};
  for (const auto& [method, body, arrivals] : methods) {
    SCOPED_TRACE(method);
    test::DroppingServer dropping(2);
    transport = CurlTransport::create();
    HTTPRequest first;
    first.url = dropping.url("/first");
    Outcome warmUp, outcome;
    send(first, warmUp);  // leaves its connection open for the next request
    ASSERT_TRUE(waitFor([&] { return warmUp.calls > 0; }));
    ASSERT_TRUE(warmUp.result->ok());
    HTTPRequest request;
    request.url = dropping.url("/bill");
    request.method = method;
    request.body = body;
    send(request, outcome);
    ASSERT_TRUE(waitFor([&] { return outcome.calls > 0; }));
    finishTransport();
    EXPECT_EQ(dropping.arrivals(), arrivals);
    if (method == "GET") {
      EXPECT_TRUE(outcome.result->ok());
    } else {
      ASSERT_FALSE(outcome.result->ok());
      EXPECT_EQ(outcome.result->error().kind, Kind::connectionLost) << outcome.result->error().detail;
    }
  }
}

// Codes no local transfer provokes (a resolver error needs real name look-ups) are checked directly.
TEST(CurlErrorMapping, CurlCodesReadAsTheirKinds) {
  const std::map<CURLcode, Kind> expected = {
      {CURLE_COULDNT_RESOLVE_HOST, Kind::hostNotFound}, {CURLE_PEER_FAILED_VERIFICATION, Kind::tlsFailure},
      {CURLE_SSL_CACERT_BADFILE, Kind::tlsFailure},     {CURLE_RECV_ERROR, Kind::connectionLost},
      {CURLE_OUT_OF_MEMORY, Kind::other},
  };
  for (const auto& [code, kind] : expected) {
    const HTTPError error = CurlTransport::errorForCurlCode(code, "detail text");
    EXPECT_EQ(error.kind, kind) << curl_easy_strerror(code);
    EXPECT_EQ(error.detail, "detail text");
  }
  EXPECT_EQ(CurlTransport::errorForCurlCode(CURLE_COULDNT_RESOLVE_HOST).localizedDescription(),
            "A server with the specified hostname could not be found.");
  EXPECT_EQ(CurlTransport::errorForCurlCode(CURLE_PEER_FAILED_VERIFICATION).localizedDescription(),
            "An SSL error has occurred and a secure connection to the server cannot be made.");
}

}  // namespace
}  // namespace ios
