#include <Foundation/RunLoop.h>
#include <Network/CurlTransport.h>
#include <gtest/gtest.h>

#include <optional>

#include "Network/TlsServer.h"
#include "support/VirtualTime.h"

namespace ios {
namespace {

using Kind = HTTPError::Kind;

// Certificates are always verified: a self-signed server fails unless its certificate is trusted
// explicitly, and a trusted certificate still has to name the host that was asked for.
class TlsTest : public test::MainLoopTest {
 protected:
  HTTPResult fetch(const test::TlsServer& server, CurlTransport::Options options) {
    auto transport = CurlTransport::create(std::move(options));
    HTTPRequest request;
    request.url = server.url("/hello");
    std::optional<HTTPResult> outcome;
    int calls = 0;
    transport->send(request, [&](const HTTPResult& result) {
      ++calls;
      outcome = result;
    });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return calls > 0; }, 15.0));
    transport.reset();
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(calls, 1);
    return outcome.value_or(HTTPResult(HTTPError{Kind::other, "no completion"}));
  }

  static CurlTransport::Options trusting(const test::TlsServer& server) {
    CurlTransport::Options options;
    options.caBundlePath = server.certificatePath();
    return options;
  }
};

TEST_F(TlsTest, OnlyATrustedCertificateForTheHostSucceeds) {
  struct Case {
    const char* name;
    std::string names;
    bool trusted, ok;
  };
  const Case cases[] = {{"untrusted self-signed", "IP:127.0.0.1", false, false},
                        {"trusted, for the host", "IP:127.0.0.1", true, true},
                        {"trusted, for another host", "DNS:other.example", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TlsServer server(c.names);
    const HTTPResult result = fetch(server, c.trusted ? trusting(server) : CurlTransport::Options{});
    ASSERT_EQ(result.ok(), c.ok) << (result.ok() ? "" : result.error().detail);
    if (c.ok) {
      EXPECT_EQ(result.response().body, "secure hello");
    } else {
      EXPECT_EQ(result.error().kind, Kind::tlsFailure) << result.error().detail;
      EXPECT_EQ(result.error().localizedDescription(),
                "An SSL error has occurred and a secure connection to the server cannot be made.");
    }
  }
}

}  // namespace
}  // namespace ios
