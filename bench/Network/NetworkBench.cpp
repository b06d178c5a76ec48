#include <Foundation/RunLoop.h>
#include <Network/CurlTransport.h>
#include <Network/HTTPClient.h>
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <thread>

namespace {

// A loopback server answering every POST with the body it received, like a small API reply.
class EchoServer {
 public:
  EchoServer() {
    server_.Post("/api", [](const httplib::Request& request, httplib::Response& response) {
      response.set_content(request.body, "application/json");
    });
    // Without it the reply's header and body writes wait on Nagle and delayed ACKs (~27 ms each).
    server_.set_tcp_nodelay(true);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  ~EchoServer() {
    server_.stop();
    thread_.join();
  }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/api"; }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

// One POST of a typical envelope, waited for on the main loop, per iteration: the time per
// iteration is the time per request, connection reuse included.
void BM_SequentialPostJSON(benchmark::State& state) {
  EchoServer server;
  auto client = ios::HTTPClient::create(ios::CurlTransport::create());
  const ios::Dictionary body = {{"restHeader", {{"clientId", "kerbelin-sdk"}, {"language", "vi"}}},
                                {"body", std::string(400, 'A')}};
  for (auto _ : state) {
    bool done = false;
    bool ok = false;
    client->postJSON(server.url(), body, {}, [&](const ios::HTTPClient::JSONResult& result) {
      done = true;
      ok = result.ok();
    });
    ios::RunLoop::main().runUntil([&] { return done; }, 10.0);
    if (!ok) {
      state.SkipWithError("a request failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SequentialPostJSON)->Iterations(200)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
