// The envelope contract and every way a request can be malformed: each ends in
// an error reply with a non-zero resultCode, a Vietnamese resultDesc and a
// fitting HTTP status, and the server keeps serving afterwards.

#include <Foundation/Base64.h>

#include <functional>

#include <httplib.h>

#include "BackendTestSupport.h"

namespace kerbelin::backend::testing {
namespace {

using nlohmann::json;

class EnvelopeTest : public BackendTest {
 protected:
  // The server must still answer a good request after a bad one.
  void expectStillServing() {
    const Reply reply = call("/category/req", {{"providerId", ""}, {"type", "PKG"}});
    EXPECT_EQ(reply.httpStatus, 200);
    EXPECT_EQ(reply.resultCode(), 0);
  }

  void expectError(const Reply& reply, int httpStatus, int resultCode) {
    EXPECT_EQ(reply.httpStatus, httpStatus);
    ASSERT_TRUE(reply.envelope.is_object()) << "the error reply is an envelope too";
    EXPECT_EQ(reply.resultCode(), resultCode);
    ASSERT_TRUE(reply.envelope["resultDesc"].is_string());
    EXPECT_FALSE(reply.envelope["resultDesc"].get<std::string>().empty());
    EXPECT_TRUE(reply.body.is_object()) << "even an error carries a base64 object body";
    EXPECT_TRUE(reply.envelope["restHeader"].is_object());
  }
};

TEST_F(EnvelopeTest, SuccessReplyHasEveryEnvelopeFieldAndEchoesTheRestHeader) {
  const Reply reply = call("/category/req", {{"providerId", ""}, {"type", "PKG"}});
  ASSERT_EQ(reply.httpStatus, 200);
  const json& e = reply.envelope;
  ASSERT_TRUE(e["resultCode"].is_number_integer());
  EXPECT_EQ(e["resultCode"], 0);
  EXPECT_EQ(e["resultDesc"], "Thành công");
  EXPECT_EQ(e["secure"], "");
  EXPECT_TRUE(e["cost"].is_number());
  EXPECT_EQ(e["restHeader"], standardRestHeader());
  EXPECT_TRUE(reply.body.is_object()) << "the body is a base64 JSON object";
}

// Every malformed request, each with the HTTP status and resultCode it must get.
TEST_F(EnvelopeTest, EachKindOfBadRequestGetsItsOwnErrorAndTheServerKeepsServing) {
  const std::string token = BackendServer::authorization();
  const std::string envelope = envelopeFor({{"type", "PKG"}});
  auto withBody = [](const json& body) { return json{{"restHeader", standardRestHeader()}, {"body", body}}.dump(); };
  auto raw = [this](std::string httpBody, std::string authorization) {
    return [=, this] { return post("/category/req", httpBody, authorization); };
  };
  auto params = [this](std::string path, json values) { return [=, this] { return call(path, values); }; };
  // Straight onto the wire, for what an HTTP client would not send; no reply may carry exception text.
  auto wire = [this](std::string method, std::string target) {
    return [=, this] {
      RawConnection connection(server->port());
      connection.send(rawRequest(method, target, envelopeFor({})));
      EXPECT_TRUE(connection.closedWithin(std::chrono::seconds(5)));
      EXPECT_EQ(connection.received().find("EXCEPTION"), std::string::npos) << connection.received();
      return connection.reply();
    };
  };
  // `levels` levels in all, counting the envelope (or the parameter object) itself.
  auto nested = [](int levels) { return std::string(levels - 1, '[') + std::string(levels - 1, ']'); };
  auto padded = [](const std::string& pad, const std::string& params) {
    return "{\"restHeader\":" + standardRestHeader().dump() + ",\"pad\":" + pad + ",\"body\":\"" +
           ios::base64Encode(params) + "\"}";
  };
  struct Case {
    const char* what;
    std::function<Reply()> send;
    int status, code;
  };
  const Case cases[] = {
      {"no token", raw(envelope, ""), 401, 40101},
      {"another token", raw(envelope, "Bearer kb-00000000000000000000000000000000"), 401, 40101},
      {"token without Bearer", raw(envelope, "kb-7f3a9c2e51d84b06a1e0c3f5d92b7e48"), 401, 40101},
      {"form body", raw("restHeader=1&body=2", token), 400, 40001},
      {"64 levels", raw(padded(nested(64), "{}"), token), 200, 0},
      {"65 levels", raw(padded(nested(65), "{}"), token), 400, 40001},
      {"NUL and more after the envelope", raw(padded("0", "{}") + std::string("\0{}", 3), token), 400, 40001},
      {"64 levels of parameters", raw(padded("0", "{\"pad\":" + nested(64) + "}"), token), 200, 0},
      {"65 levels of parameters", raw(padded("0", "{\"pad\":" + nested(65) + "}"), token), 400, 40004},
      {"NUL and more after the parameters", raw(padded("0", std::string("{}\0{}", 5)), token), 400, 40004},
      {"empty body", raw("", token), 400, 40001},
      {"cut JSON", raw("{\"body\": \"e30=\"", token), 400, 40001},
      {"bad UTF-8", raw("{\"a\":\"\xC3\x28\"}", token), 400, 40001},
      {"array envelope", raw("[1,2]", token), 400, 40002},
      {"no restHeader", raw(json{{"body", ios::base64Encode("{}")}}.dump(), token), 400, 40002},
      {"text restHeader", raw(json{{"restHeader", "x"}, {"body", "e30="}}.dump(), token), 400, 40002},
      {"no body", raw(json{{"restHeader", standardRestHeader()}}.dump(), token), 400, 40002},
      {"number body", raw(withBody(12), token), 400, 40002},
      {"body not base64", raw(withBody("not base64!"), token), 400, 40003},
      {"base64 without padding", raw(withBody("e30"), token), 400, 40003},
      {"cut JSON body", raw(withBody(ios::base64Encode("{\"type\": ")), token), 400, 40004},
      {"array body", raw(withBody(ios::base64Encode("[1,2,3]")), token), 400, 40004},
      {"text body", raw(withBody(ios::base64Encode("\"PKG\"")), token), 400, 40004},
      {"empty decoded body", raw(withBody(ios::base64Encode("")), token), 400, 40004},
      {"text for a number", params("/v1/def-card/search/req", {{"categoryId", "1"}}), 400, 40006},
      {"fraction for an integer", params("/v1/def-card/search/req", {{"categoryId", 1}, {"pageIndex", 1.5}}), 400, 40006},
      {"boolean for a number", params("/v1/def-card/search/req", {{"categoryId", true}}), 400, 40006},
      {"text for a boolean", params("/v1/own-card/search/req", {{"mobilePhone", "0912345678"}, {"isPaid", "true"}}), 400, 40006},
      {"number for a text", params("/provider/req", {{"providerId", 101}}), 400, 40006},
      {"text row count", params("/branch/req", {{"providerId", "101"}, {"rowCount", "5"}}), 400, 40006},
      {"unknown sort", params("/v1/def-card/search/req", {{"categoryId", 1}, {"sort", "CHEAPEST"}}), 400, 40007},
      {"empty page", params("/v1/def-card/search/req", {{"categoryId", 1}, {"pageSize", 0}}), 400, 40007},
      {"negative page", params("/v1/def-card/search/req", {{"categoryId", 1}, {"pageIndex", -1}}), 400, 40007},
      {"unknown area type", params("/area/req", {{"areaType", "X"}}), 400, 40007},
      {"empty phone", params("/v1/own-card/search/req", {{"mobilePhone", ""}}), 400, 40007},
      {"search outside /v1", params("/def-card/search/req", {{"categoryId", 1}}), 404, 40401},
      {"unknown path", params("/nothing", json::object()), 404, 40401},
      {"GET", wire("GET", "/kerbelin-app/category/req"), 405, 40501},
      {"PUT", wire("PUT", "/kerbelin-app/category/req"), 405, 40501},
      {"GET elsewhere", wire("GET", "/favicon.ico"), 404, 40401},
      {"OPTIONS", wire("OPTIONS", "/kerbelin-app/category/req"), 405, 40501},
      {"TRACE", wire("TRACE", "/kerbelin-app/category/req"), 405, 40501},
      {"a method the HTTP layer does not know", wire("BREW", "/kerbelin-app/category/req"), 405, 40501},
      {"a path that is not UTF-8", wire("POST", "/kerbelin-app/%FF%FE"), 404, 40401},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expectError(c.send(), c.status, c.code);
  }
  // The 401 reply still echoes the request's header, and an integral float is an integer.
  EXPECT_EQ(post("/category/req", envelope, "").envelope["restHeader"], standardRestHeader());
  EXPECT_EQ(call("/v1/def-card/search/req", {{"categoryId", 1.0}}).resultCode(), 0);
  expectStillServing();
}

// The JSON library reads an integer too long for 64 bits as a double, which may round to one in range.
TEST_F(EnvelopeTest, IntegersOutsideSixtyFourBitsAreRefusedNotRounded) {
  auto search = [this](const std::string& paramsText) {
    const std::string envelope =
        json{{"restHeader", standardRestHeader()}, {"body", ios::base64Encode(paramsText)}}.dump();
    return post("/v1/def-card/search/req", envelope, BackendServer::authorization());
  };
  struct Case {
    const char* params;
    const char* field;  // empty: accepted
  } const cases[] = {
      {R"({"categoryId": -9223372036854775809})", "categoryId"},
      {R"({"categoryId": 1, "pageIndex": -18446744073709551617})", "pageIndex"},
      {R"({"categoryId": 18446744073709551616})", "categoryId"},
      {R"({"categoryId": 9223372036854775808})", "categoryId"},
      {R"({"categoryId": 1, "note": [{"n": 1}, 100000000000000000000]})", "n"},
      {R"({"categoryId": -9223372036854775808})", ""},
      {R"({"categoryId": 9223372036854775807})", ""},
      {R"({"categoryId": 1, "pageIndex": 0.0e5})", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.params);
    const Reply reply = search(c.params);
    if (*c.field == '\0') {
      EXPECT_EQ(reply.resultCode(), 0);
      continue;
    }
    expectError(reply, 400, 40006);
    EXPECT_EQ(reply.body.value("field", ""), c.field);
  }
}

TEST_F(EnvelopeTest, AMissingFieldOrParameterIsNamed) {
  json partial = standardRestHeader();
  partial.erase("deviceId");
  const Reply missingField = post("/category/req", envelopeFor({}, partial), BackendServer::authorization());
  expectError(missingField, 400, 40002);
  EXPECT_EQ(missingField.body["field"], "deviceId");
  EXPECT_EQ(missingField.envelope["restHeader"], partial) << "an object restHeader is echoed even when refused";

  const Reply reply = call("/def-card/detail/req", json::object());
  expectError(reply, 400, 40005);
  EXPECT_EQ(reply.body["field"], "code");
  EXPECT_NE(reply.envelope["resultDesc"].get<std::string>().find("code"), std::string::npos);
  expectError(call("/v1/def-card/search/req", {{"categoryId", nullptr}}), 400, 40005);  // null is absent
  EXPECT_EQ(call("/v1/def-card/search/req", {{"categoryId", "1"}}).body["field"], "categoryId");
}

// A length that is not digits is refused before any body is awaited: the connection closes with the
// reply long before the request time-out (ten seconds) would end it.
TEST_F(EnvelopeTest, AContentLengthThatIsNotDigitsIsRefusedAtOnce) {
  struct Case {
    const char* method;
    const char* target;
    const char* length;
  } const cases[] = {
      {"POST", "/kerbelin-app/category/req", "-1"},
      {"POST", "/kerbelin-app/category/req", "-64"},
      {"POST", "/kerbelin-app/category/req", "0x10"},
      {"GET", "/images/cover-a.png", "-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " with Content-Length " + c.length);
    RawConnection connection(server->port());
    connection.send(std::string(c.method) + " " + c.target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" +
                    "Authorization: " + BackendServer::authorization() + "\r\nContent-Length: " + c.length +
                    "\r\n\r\n" + envelopeFor({{"type", "PKG"}}));
    EXPECT_TRUE(connection.closedWithin(std::chrono::seconds(2)));
    expectError(connection.reply(), 400, 40000);
  }
  expectStillServing();
}

// Heads the HTTP layer would misread, each answered at once: the connection closes with the reply long
// before the request time-out (ten seconds) would end it.
TEST_F(EnvelopeTest, AHeadThatCannotBeServedAsItStandsIsAnsweredAtOnce) {
  const std::string api = "/kerbelin-app/category/req";
  const std::string envelope = envelopeFor({{"type", "PKG"}});
  const std::string length = "Content-Length: " + std::to_string(envelope.size()) + "\r\n";
  const std::string longer = "Content-Length: " + std::to_string(envelope.size() + 100) + "\r\n";
  struct Case {
    const char* what;
    std::string method, target, fields, body;
    int status, code;  // code 0 with status 200 or 206: the picture, whole or its first eight bytes
  } const cases[] = {
      {"an empty length", "POST", api, "Content-Length: \r\n", envelope, 400, 40000},
      {"a length over the limit, no body sent", "POST", api, "Content-Length: 1048577\r\n", "", 413, 41301},
      {"a length over the limit, awaiting 100 Continue", "POST", api,
       "Expect: 100-continue\r\nContent-Length: 1048577\r\n", "", 413, 41301},
      {"a length of 2^64", "POST", api, "Content-Length: 18446744073709551616\r\n", "", 413, 41301},
      {"a length of 10^30", "POST", api, "Content-Length: 1" + std::string(30, '0') + "\r\n", "", 413, 41301},
      {"the right length, then a longer one", "POST", api, length + longer, envelope, 400, 40000},
      {"a longer length, then the right one", "POST", api, longer + length, envelope, 400, 40000},
      {"a space before the colon", "POST", api, "Content-Length : " + length.substr(16), envelope, 400,
       40000},
      {"a field line without a colon", "POST", api, length + "X-Note\r\n", envelope, 400, 40000},
      {"a NUL byte in a field value", "POST", api, length + std::string("X-Note: a\0b\r\n", 13), envelope,
       400, 40000},
      {"a folded field line", "POST", api, length + "X-Note: a\r\n b\r\n", envelope, 400, 40000},
      {"a field line ending in a bare LF", "POST", api, length + "X-Note: a\n", envelope, 400, 40000},
      {"no length at all: no body", "POST", api, "", "", 400, 40001},
      {"a range in another unit", "GET", "/images/cover-a.png", "Range: items=0-7\r\n", "", 200, 0},
      {"a picture, awaiting 100 Continue", "GET", "/images/cover-a.png", "Expect: 100-continue\r\n", "", 200,
       0},
      {"a range unit in capitals", "GET", "/images/cover-a.png", "Range: BYTES=0-7\r\n", "", 206, 0},
  };
  httplib::Client client("127.0.0.1", server->port());
  const auto picture = client.Get("/images/cover-a.png");
  ASSERT_TRUE(picture);
  const std::string continued = "HTTP/1.1 100 Continue\r\n\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RawConnection connection(server->port());
    connection.send(c.method + " " + c.target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" +
                    "Authorization: " + BackendServer::authorization() + "\r\n" + c.fields + "\r\n" + c.body);
    EXPECT_TRUE(connection.closedWithin(std::chrono::seconds(2)));
    if (c.code != 0) {
      expectError(connection.reply(), c.status, c.code);
      continue;
    }
    // A picture may follow a "100 Continue"; a refusal never does (expectError reads the first status).
    std::string received = connection.received();
    if (received.rfind(continued, 0) == 0) received.erase(0, continued.size());
    EXPECT_EQ(received.substr(0, 12), "HTTP/1.1 " + std::to_string(c.status));
    const std::string body = received.substr(std::min(received.size(), received.find("\r\n\r\n") + 4));
    const std::string expected = c.status == 200 ? picture->body : picture->body.substr(0, 8);
    EXPECT_TRUE(body == expected) << body.size() << " bytes of " << expected.size();
  }
  expectStillServing();
}

TEST_F(EnvelopeTest, DeeplyNestedJsonIsRefusedWithoutExhaustingTheStack) {
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  expectError(post("/category/req", deep, BackendServer::authorization()), 400, 40001);
  const std::string nestedBody = "{\"x\":" + std::string(5000, '[') + std::string(5000, ']') + "}";
  const std::string envelope =
      json{{"restHeader", standardRestHeader()}, {"body", ios::base64Encode(nestedBody)}}.dump();
  expectError(post("/category/req", envelope, BackendServer::authorization()), 400, 40004);
  expectStillServing();
}

TEST_F(EnvelopeTest, RequestsOverOneMegabyteAreRefused) {
  const std::string padding(1 << 20, 'a');
  const std::string big = json{{"restHeader", standardRestHeader()}, {"body", padding}}.dump();
  ASSERT_GT(big.size(), size_t(1) << 20);
  expectError(post("/category/req", big, BackendServer::authorization()), 413, 41301);
  // Just under the limit is read (and refused only for its content).
  const std::string near =
      json{{"restHeader", standardRestHeader()}, {"body", padding.substr(0, (1 << 20) - 1001)}}.dump();
  ASSERT_LE(near.size(), size_t(1) << 20);
  expectError(post("/category/req", near, BackendServer::authorization()), 400, 40003);
  expectStillServing();
}

TEST_F(EnvelopeTest, LogHasOneLinePerRequestAndNeverTheTokenOrHeader) {
  call("/category/req", {{"type", "PKG"}});
  post("/category/req", envelopeFor({}), "Bearer wrong");
  call("/def-card/detail/req", {{"code", "SV-GYM-1M"}});
  server->stop();  // the logger runs after the reply is sent; stopping joins it
  const std::string text = log.str();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
  EXPECT_NE(text.find("POST /kerbelin-app/category/req 200 0 "), std::string::npos) << text;
  EXPECT_NE(text.find("POST /kerbelin-app/category/req 401 40101 "), std::string::npos) << text;
  EXPECT_NE(text.find("ms\n"), std::string::npos);
  EXPECT_EQ(text.find("7f3a9c2e51d84b06a1e0c3f5d92b7e48"), std::string::npos);
  EXPECT_EQ(text.find("Bearer"), std::string::npos);
  EXPECT_EQ(text.find("kerbelin-sdk-device"), std::string::npos);
  EXPECT_EQ(text.find("HALVET"), std::string::npos);
}

}  // namespace
}  // namespace kerbelin::backend::testing
