#include "Network/LocalServer.h"

#include "Network/LoopbackListener.h"

#include <Foundation/DispatchQueue.h>
#include <httplib.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace ios::test {

namespace {
std::size_t sizeParameter(const httplib::Request& request) {
  return request.has_param("n") ? std::stoul(request.get_param_value("n")) : 0;
}
}  // namespace

LocalServer::LocalServer() : server_(std::make_unique<httplib::Server>()) {
  // Enough workers that fifty parallel requests and held connections never queue on the server.
  server_->new_task_queue = [] { return new httplib::ThreadPool(64); };
  server_->set_tcp_nodelay(true);
  addRoutes();
  port_ = server_->bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("the test server could not bind to 127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // stop() only reaches a server whose loop has started; the wait is a few microseconds.
  while (!server_->is_running()) std::this_thread::yield();
}

LocalServer::~LocalServer() {
  openGate();
  server_->stop();
  thread_.join();
}

std::string LocalServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LocalServer::openGate() {
  {
    std::lock_guard lock(mutex_);
    gateOpen_ = true;
  }
  gateChanged_.notify_all();
}

int LocalServer::closedPort() {
  int port = 0;
  ::close(openLoopbackListener(1, port));
  return port;
}

void LocalServer::addRoutes() {
  auto echo = [](const httplib::Request& request, httplib::Response& response) {
    response.set_header("X-Seen-Method", request.method);
    response.set_header("X-Seen-Authorization", request.get_header_value("Authorization"));
    response.set_header("X-Seen-Content-Type", request.get_header_value("Content-Type"));
    response.set_header("X-Seen-Query", request.has_param("i") ? request.get_param_value("i") : "");
    response.headers.emplace("X-Multi", "first");
    response.headers.emplace("X-Multi", "second");
    const std::string type = request.get_header_value("Content-Type");
    response.set_content(request.body, type.empty() ? "text/plain" : type.c_str());
  };
  server_->Get("/echo", echo);
  server_->Post("/echo", echo);
  server_->Get("/text", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("plain words, no JSON", "text/plain");
  });
  server_->Get("/text500", [](const httplib::Request&, httplib::Response& response) {
    response.status = 500;
    response.set_content("Internal Server Error", "text/plain");
  });
  auto redirect = [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/echo");
  };
  server_->Get("/redirect", redirect);
  server_->Post("/redirect", redirect);
  server_->Get("/loop",
               [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/loop"); });
  server_->Get("/slow", [](const httplib::Request&, httplib::Response& response) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // The server is slow, not the test.
    response.set_content("finally", "text/plain");
  });
  server_->Get("/hold", [this](const httplib::Request&, httplib::Response& response) {
    holdArrivals_.fetch_add(1);
    DispatchQueue::main().async([] {});
    std::unique_lock lock(mutex_);
    gateChanged_.wait_for(lock, std::chrono::seconds(20), [this] { return gateOpen_; });
    response.set_content("released", "text/plain");
  });
  server_->Get("/big", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(std::string(sizeParameter(request), 'x'), "application/octet-stream");
  });
  server_->Get("/chunked", [](const httplib::Request& request, httplib::Response& response) {
    const std::size_t size = sizeParameter(request);
    response.set_chunked_content_provider(
        "application/octet-stream", [size](std::size_t offset, httplib::DataSink& sink) {
          const std::size_t piece = std::min<std::size_t>(512, size - offset);
          if (piece > 0) sink.write(std::string(piece, 'x').data(), piece);
          if (offset + piece >= size) sink.done();
          return true;
        });
  });
}

}  // namespace ios::test
