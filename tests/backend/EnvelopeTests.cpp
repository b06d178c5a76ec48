// The envelope contract and every way a request can be malformed: each ends in
// an error reply with a non-zero resultCode, a Vietnamese resultDesc and a
// fitting HTTP status, and the server keeps serving afterwards.

#include <Foundation/Base64.h>

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

  std::string token() { return BackendServer::authorization(); }
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
  ASSERT_TRUE(e["body"].is_string());
  const auto decoded = ios::base64Decode(e["body"].get<std::string>());
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(json::parse(*decoded).is_object());
}

TEST_F(EnvelopeTest, AuthorizationMustBeTheFixedBearerToken) {
  const std::string envelope = envelopeFor({{"type", "PKG"}});
  expectError(post("/category/req", envelope, ""), 401, 40101);
  expectError(post("/category/req", envelope, "Bearer kb-00000000000000000000000000000000"), 401, 40101);
  expectError(post("/category/req", envelope, "kb-7f3a9c2e51d84b06a1e0c3f5d92b7e48"), 401, 40101);
  // The 401 reply still echoes the request's header.
  EXPECT_EQ(post("/category/req", envelope, "").envelope["restHeader"], standardRestHeader());
  expectStillServing();
}

TEST_F(EnvelopeTest, HttpBodyThatIsNotJsonIsRefused) {
  expectError(post("/category/req", "restHeader=1&body=2", token()), 400, 40001);
  expectError(post("/category/req", "", token()), 400, 40001);
  expectError(post("/category/req", "{\"body\": \"e30=\"", token()), 400, 40001);
  expectError(post("/category/req", std::string("{\"a\":\"\xC3\x28\"}"), token()), 400, 40001);  // bad UTF-8
  expectStillServing();
}

TEST_F(EnvelopeTest, EnvelopeOfTheWrongShapeIsRefused) {
  const std::string body = ios::base64Encode("{}");
  expectError(post("/category/req", "[1,2]", token()), 400, 40002);
  expectError(post("/category/req", json{{"body", body}}.dump(), token()), 400, 40002);
  expectError(post("/category/req", json{{"restHeader", "x"}, {"body", body}}.dump(), token()), 400, 40002);
  expectError(post("/category/req", json{{"restHeader", standardRestHeader()}}.dump(), token()), 400, 40002);
  expectError(post("/category/req", json{{"restHeader", standardRestHeader()}, {"body", 12}}.dump(), token()),
              400, 40002);
  json partial = standardRestHeader();
  partial.erase("deviceId");
  const Reply missingField = post("/category/req", envelopeFor({}, partial), token());
  expectError(missingField, 400, 40002);
  EXPECT_EQ(missingField.body["field"], "deviceId");
  EXPECT_EQ(missingField.envelope["restHeader"], partial)
      << "an object restHeader is echoed even when refused";
  expectStillServing();
}

TEST_F(EnvelopeTest, BodyThatIsNotBase64OfAJsonObjectIsRefused) {
  auto withBody = [](const std::string& body) {
    return json{{"restHeader", standardRestHeader()}, {"body", body}}.dump();
  };
  expectError(post("/category/req", withBody("not base64!"), token()), 400, 40003);
  expectError(post("/category/req", withBody("e30"), token()), 400, 40003);  // missing padding
  expectError(post("/category/req", withBody(ios::base64Encode("{\"type\": ")), token()), 400, 40004);
  expectError(post("/category/req", withBody(ios::base64Encode("[1,2,3]")), token()), 400, 40004);
  expectError(post("/category/req", withBody(ios::base64Encode("\"PKG\"")), token()), 400, 40004);
  expectError(post("/category/req", withBody(ios::base64Encode("")), token()), 400, 40004);
  expectStillServing();
}

TEST_F(EnvelopeTest, DeeplyNestedJsonIsRefusedWithoutExhaustingTheStack) {
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  expectError(post("/category/req", deep, token()), 400, 40001);
  const std::string nestedBody = "{\"x\":" + std::string(5000, '[') + std::string(5000, ']') + "}";
  const std::string envelope =
      json{{"restHeader", standardRestHeader()}, {"body", ios::base64Encode(nestedBody)}}.dump();
  expectError(post("/category/req", envelope, token()), 400, 40004);
  expectStillServing();
}

TEST_F(EnvelopeTest, SixtyFourLevelsAreTheMostAndTheWholeTextIsOneValue) {
  // `levels` levels in all, counting the envelope (or the parameter object) itself.
  auto nested = [](int levels) { return std::string(levels - 1, '[') + std::string(levels - 1, ']'); };
  auto envelopeWith = [](const std::string& pad, const std::string& params) {
    return "{\"restHeader\":" + standardRestHeader().dump() + ",\"pad\":" + pad + ",\"body\":\"" +
           ios::base64Encode(params) + "\"}";
  };
  const struct {
    std::string httpBody;
    int httpStatus, resultCode;
  } cases[] = {
      {envelopeWith(nested(64), "{}"), 200, 0},
      {envelopeWith(nested(65), "{}"), 400, 40001},
      {envelopeWith("0", "{\"pad\":" + nested(64) + "}"), 200, 0},
      {envelopeWith("0", "{\"pad\":" + nested(65) + "}"), 400, 40004},
      {envelopeWith("0", "{}") + std::string("\0{}", 3), 400, 40001},
      {envelopeWith("0", std::string("{}\0{}", 5)), 400, 40004},
  };
  for (const auto& c : cases) {
    const Reply reply = post("/category/req", c.httpBody, token());
    EXPECT_EQ(reply.httpStatus, c.httpStatus) << c.httpBody.substr(0, 300);
    EXPECT_EQ(reply.resultCode(), c.resultCode) << c.httpBody.substr(0, 300);
  }
}

TEST_F(EnvelopeTest, MissingRequiredParameterNamesIt) {
  const Reply reply = call("/def-card/detail/req", json::object());
  expectError(reply, 400, 40005);
  EXPECT_EQ(reply.body["field"], "code");
  EXPECT_NE(reply.envelope["resultDesc"].get<std::string>().find("code"), std::string::npos);
  // null counts as absent
  expectError(call("/v1/def-card/search/req", {{"categoryId", nullptr}}), 400, 40005);
}

TEST_F(EnvelopeTest, ParameterOfTheWrongTypeNamesIt) {
  const Reply textForNumber = call("/v1/def-card/search/req", {{"categoryId", "1"}});
  expectError(textForNumber, 400, 40006);
  EXPECT_EQ(textForNumber.body["field"], "categoryId");
  expectError(call("/v1/def-card/search/req", {{"categoryId", 1}, {"pageIndex", 1.5}}), 400, 40006);
  expectError(call("/v1/def-card/search/req", {{"categoryId", true}}), 400, 40006);
  expectError(call("/v1/own-card/search/req", {{"mobilePhone", "0912345678"}, {"isPaid", "true"}}), 400,
              40006);
  expectError(call("/provider/req", {{"providerId", 101}}), 400, 40006);
  expectError(call("/branch/req", {{"providerId", "101"}, {"rowCount", "5"}}), 400, 40006);
  // An integral float is an integer.
  EXPECT_EQ(call("/v1/def-card/search/req", {{"categoryId", 1.0}}).resultCode(), 0);
}

TEST_F(EnvelopeTest, ParameterWithAnUnusableValueIsRefused) {
  expectError(call("/v1/def-card/search/req", {{"categoryId", 1}, {"sort", "CHEAPEST"}}), 400, 40007);
  expectError(call("/v1/def-card/search/req", {{"categoryId", 1}, {"pageSize", 0}}), 400, 40007);
  expectError(call("/v1/def-card/search/req", {{"categoryId", 1}, {"pageIndex", -1}}), 400, 40007);
  expectError(call("/area/req", {{"areaType", "X"}}), 400, 40007);
  expectError(call("/v1/own-card/search/req", {{"mobilePhone", ""}}), 400, 40007);
}

TEST_F(EnvelopeTest, UnknownPathAndOtherMethodsAreRefused) {
  expectError(call("/def-card/search/req", {{"categoryId", 1}}), 404, 40401);  // the search lives under /v1
  expectError(call("/nothing", json::object()), 404, 40401);
  expectError(send("GET", "/kerbelin-app/category/req", ""), 405, 40501);
  expectError(send("PUT", "/kerbelin-app/category/req", envelopeFor({})), 405, 40501);
  expectError(send("GET", "/favicon.ico", ""), 404, 40401);
  const struct {
    std::string method, target;
    int httpStatus, resultCode;
  } raw[] = {
      {"OPTIONS", "/kerbelin-app/category/req", 405, 40501},
      {"TRACE", "/kerbelin-app/category/req", 405, 40501},
      {"BREW", "/kerbelin-app/category/req", 405, 40501},
      {"POST", "/kerbelin-app/%FF%FE", 404, 40401},  // not UTF-8
  };
  for (const auto& r : raw) {
    RawConnection connection(server->port());
    connection.send(rawRequest(r.method, r.target, envelopeFor({})));
    ASSERT_TRUE(connection.closedWithin(std::chrono::seconds(5))) << r.method;
    expectError(connection.reply(), r.httpStatus, r.resultCode);
    EXPECT_EQ(connection.received().find("EXCEPTION"), std::string::npos) << connection.received();
  }
  expectStillServing();
}

TEST_F(EnvelopeTest, RequestsOverOneMegabyteAreRefused) {
  const std::string padding(1 << 20, 'a');
  const std::string big = json{{"restHeader", standardRestHeader()}, {"body", padding}}.dump();
  ASSERT_GT(big.size(), size_t(1) << 20);
  expectError(post("/category/req", big, token()), 413, 41301);
  // Just under the limit is read (and refused only for its content).
  const std::string near =
      json{{"restHeader", standardRestHeader()}, {"body", padding.substr(0, (1 << 20) - 1001)}}.dump();
  ASSERT_LE(near.size(), size_t(1) << 20);
  expectError(post("/category/req", near, token()), 400, 40003);
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
