#include "BackendTestSupport.h"

#include <Foundation/Base64.h>
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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

RawConnection::RawConnection(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

RawConnection::~RawConnection() {
  if (fd_ >= 0) ::close(fd_);
}

bool RawConnection::send(const std::string& bytes) {
  size_t sent = 0;
  while (fd_ >= 0 && sent < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += size_t(n);
  }
  return fd_ >= 0;
}

bool RawConnection::closedWithin(std::chrono::milliseconds timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    pollfd entry{fd_, POLLIN, 0};
    if (fd_ < 0 || left.count() <= 0 || ::poll(&entry, 1, int(left.count())) <= 0) return fd_ < 0;
    char buffer[16384];
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n <= 0) return true;
    received_.append(buffer, size_t(n));
  }
}

Reply RawConnection::reply() const {
  const size_t end = received_.find("\r\n\r\n");
  if (received_.rfind("HTTP/1.1 ", 0) != 0 || end == std::string::npos) return {};
  return decodeReply(std::stoi(received_.substr(9, 3)), received_.substr(end + 4));
}

std::string rawRequest(const std::string& method, const std::string& target, const std::string& body,
                       const std::string& headers) {
  std::string text = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" +
                     "Authorization: " + BackendServer::authorization() + "\r\n" + headers;
  if (headers.find("Transfer-Encoding") == std::string::npos) {
    text += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  }
  return text + "\r\n" + body;
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

}  // namespace kerbelin::backend::testing
