#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "BackendServer.h"

namespace kerbelin::backend::testing {

// Wednesday 9 December 2026, 10:30 in Vietnam: the clock of every in-process server.
std::chrono::system_clock::time_point fixedNow();

// The fifteen-field request header the SDK sends.
nlohmann::json standardRestHeader();

// A request envelope for `params`, as the SDK builds it.
std::string envelopeFor(const nlohmann::json& params,
                        const nlohmann::json& restHeader = standardRestHeader());

struct Reply {
  int httpStatus = 0;
  nlohmann::json envelope;  // the whole reply object
  nlohmann::json body;      // its "body", decoded from base64 and parsed
  int resultCode() const { return envelope.at("resultCode").get<int>(); }
};

// A server on a free loopback port with the sample data and the fixed clock,
// started for each test and stopped after it.
class BackendTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Posts `params` to "/kerbelin-app" + `path` with the right token and header.
  Reply call(const std::string& path, const nlohmann::json& params);
  // Posts raw bytes, with or without the token; for the malformed-request cases.
  Reply post(const std::string& path, const std::string& httpBody, const std::string& authorization);
  Reply send(const std::string& method, const std::string& path, const std::string& httpBody);

  std::unique_ptr<BackendServer> server;
  std::ostringstream log;
  int qrValiditySeconds = 45;
};

Reply decodeReply(int status, const std::string& text);

}  // namespace kerbelin::backend::testing
