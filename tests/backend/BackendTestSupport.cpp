#include "BackendTestSupport.h"

#include <Foundation/Base64.h>
#include <httplib.h>

#include "DisplayText.h"

namespace kerbelin::backend::testing {

std::chrono::system_clock::time_point fixedNow() {
  return DisplayText::fromVietnamTime(2026, 12, 9, 10, 30);
}

nlohmann::json standardRestHeader() {
  return {{"clientId", "kerbelin-sdk"},
          {"clientVersion", "1.0.0"},
          {"channel", "MOBILE"},
          {"platform", "IOS"},
          {"osVersion", "12.0"},
          {"deviceId", "kerbelin-sdk-device"},
          {"language", "vi"},
          {"countryCode", "VN"},
          {"currency", "VND"},
          {"timeZone", "Asia/Ho_Chi_Minh"},
          {"partnerCode", "HALVET"},
          {"serviceCode", "KERBELIN"},
          {"apiVersion", "1"},
          {"contentEncoding", "base64"},
          {"contentType", "application/json"}};
}

std::string envelopeFor(const nlohmann::json& params, const nlohmann::json& restHeader) {
  return nlohmann::json{{"restHeader", restHeader}, {"body", ios::base64Encode(params.dump())}}.dump();
}

Reply decodeReply(int status, const std::string& text) {
  Reply reply;
  reply.httpStatus = status;
  reply.envelope = nlohmann::json::parse(text, nullptr, false);
  if (reply.envelope.is_object() && reply.envelope.contains("body") && reply.envelope["body"].is_string()) {
    const auto bytes = ios::base64Decode(reply.envelope["body"].get<std::string>());
    if (bytes) reply.body = nlohmann::json::parse(*bytes, nullptr, false);
  }
  return reply;
}

void BackendTest::SetUp() {
  BackendServer::Options options;
  options.clock = fixedNow;
  options.log = &log;
  options.qrValiditySeconds = qrValiditySeconds;
  server = std::make_unique<BackendServer>(options);
  ASSERT_TRUE(server->start());
  ASSERT_GT(server->port(), 0);
}

void BackendTest::TearDown() {
  if (server) server->stop();
}

Reply BackendTest::post(const std::string& path, const std::string& httpBody,
                        const std::string& authorization) {
  httplib::Client client("127.0.0.1", server->port());
  httplib::Headers headers = {{"Accept", "application/json"}};
  if (!authorization.empty()) headers.emplace("Authorization", authorization);
  auto result = client.Post(("/kerbelin-app" + path).c_str(), headers, httpBody, "application/json");
  if (!result) return {};
  return decodeReply(result->status, result->body);
}

Reply BackendTest::call(const std::string& path, const nlohmann::json& params) {
  return post(path, envelopeFor(params), BackendServer::authorization());
}

Reply BackendTest::send(const std::string& method, const std::string& path, const std::string& httpBody) {
  httplib::Client client("127.0.0.1", server->port());
  httplib::Headers headers = {{"Authorization", BackendServer::authorization()}};
  httplib::Result result = method == "GET"   ? client.Get(path.c_str(), headers)
                           : method == "PUT" ? client.Put(path.c_str(), headers, httpBody, "application/json")
                                             : client.Delete(path.c_str(), headers);
  if (!result) return {};
  return decodeReply(result->status, result->body);
}

}  // namespace kerbelin::backend::testing
