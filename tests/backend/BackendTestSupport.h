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

  std::unique_ptr<BackendServer> server;
  std::ostringstream log;
  int qrValiditySeconds = 45;
};

Reply decodeReply(int status, const std::string& text);

// A plain TCP connection to a server, for requests and pacing that an HTTP client would not produce.
class RawConnection {
 public:
  explicit RawConnection(int port);
  ~RawConnection();
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  bool send(const std::string& bytes);
  // Reads until the server closes the connection or `timeout` passes; true when it closed.
  bool closedWithin(std::chrono::milliseconds timeout);
  // Everything received so far.
  const std::string& received() const { return received_; }
  // The received HTTP reply (status line and body) as a Reply.
  Reply reply() const;

 private:
  int fd_ = -1;
  std::string received_;
};

// A request as it goes on the wire, closing the connection after its reply. `headers` are whole
// lines ("Name: value\r\n"); a Content-Length is added unless they say how the body ends.
std::string rawRequest(const std::string& method, const std::string& target, const std::string& body,
                       const std::string& headers = "");

}  // namespace kerbelin::backend::testing
