// What one client can do to the others: slow and idle connections, many connections, and bodies
// that grow once their transfer or content encoding is undone.

#include <zlib.h>

#include <httplib.h>

#include "BackendTestSupport.h"

namespace kerbelin::backend::testing {
namespace {

using namespace std::chrono_literals;

// A server with short time-outs, so that waiting them out takes a fraction of a second.
class ConnectionTest : public ::testing::Test {
 protected:
  void start(int maxConnections, std::chrono::milliseconds idleTimeout = 200ms) {
    BackendServer::Options options;
    options.clock = fixedNow;
    options.idleTimeout = idleTimeout;
    options.requestTimeout = 300ms;
    options.maxConnections = maxConnections;
    server = std::make_unique<BackendServer>(options);
    ASSERT_TRUE(server->start());
  }

  // Whether a normal request gets its reply within two seconds.
  bool served() {
    httplib::Client client("127.0.0.1", server->port());
    client.set_read_timeout(2, 0);
    auto result = client.Post("/kerbelin-app/category/req", {{"Authorization", BackendServer::authorization()}},
                              envelopeFor({{"type", "PKG"}}), "application/json");
    return result && decodeReply(result->status, result->body).resultCode() == 0;
  }

  std::unique_ptr<RawConnection> open(const std::string& firstBytes = "") {
    auto connection = std::make_unique<RawConnection>(server->port());
    connection->send(firstBytes);
    return connection;
  }

  std::unique_ptr<BackendServer> server;
};

TEST_F(ConnectionTest, SlowAndIdleClientsDoNotHoldUpOthers) {
  start(128);
  std::vector<std::unique_ptr<RawConnection>> held;
  for (int i = 0; i < 8; ++i) held.push_back(open("POST /kerbelin-app/category/req HTTP/1.1\r\nHost: x\r\n"));
  for (int i = 0; i < 64; ++i) held.push_back(open());
  EXPECT_TRUE(served());
}

TEST_F(ConnectionTest, ARequestTrickledLineByLineIsCutOffAtItsTimeOut) {
  start(128);
  auto slow = open("POST /kerbelin-app/category/req HTTP/1.1\r\n");
  int lines = 0;
  while (lines < 40 && !slow->closedWithin(100ms)) slow->send("X-Line-" + std::to_string(lines++) + ": 1\r\n");
  EXPECT_LT(lines, 40);  // about three lines fit in the 300 ms
  EXPECT_EQ(slow->reply().resultCode(), 40000);
}

TEST_F(ConnectionTest, IdleConnectionsAreClosed) {
  start(128);
  EXPECT_TRUE(open()->closedWithin(2s));
}

TEST_F(ConnectionTest, ConnectionsBeyondTheCapAreClosedAtOnce) {
  start(4, 10s);
  std::vector<std::unique_ptr<RawConnection>> held;
  for (int i = 0; i < 4; ++i) held.push_back(open());
  EXPECT_TRUE(open()->closedWithin(2s));
  for (auto& connection : held) EXPECT_FALSE(connection->closedWithin(0ms));
}

std::string compressed(const std::string& bytes, int windowBits) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, bytes.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

std::string chunked(const std::string& bytes, size_t chunkSize) {
  std::string out;
  for (size_t at = 0; at < bytes.size(); at += chunkSize) {
    const std::string chunk = bytes.substr(at, chunkSize);
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", chunk.size());
    out += size + chunk + "\r\n";
  }
  return out + "0\r\n\r\n";
}

TEST_F(ConnectionTest, TheMegabyteLimitHoldsForEveryBodyOnceDecoded) {
  start(128);
  const std::string large(2 << 20, ' ');
  const std::string fitting = envelopeFor({{"type", "PKG"}});
  const struct {
    std::string headers, body;
    int resultCode;
  } cases[] = {
      {"Transfer-Encoding: chunked\r\n", chunked(large, 1 << 16), 41301},
      {"Content-Encoding: gzip\r\n", compressed(large, 15 + 16), 41301},
      {"Content-Encoding: deflate\r\n", compressed(large, 15), 41301},
      {"Transfer-Encoding: chunked\r\nContent-Encoding: gzip\r\n", chunked(compressed(fitting, 15 + 16), 7), 0},
  };
  for (const auto& c : cases) {
    auto connection = open(rawRequest("POST", "/kerbelin-app/category/req", c.body, c.headers));
    ASSERT_TRUE(connection->closedWithin(5s)) << c.headers;
    EXPECT_EQ(connection->reply().resultCode(), c.resultCode) << c.headers;
  }
}

}  // namespace
}  // namespace kerbelin::backend::testing
