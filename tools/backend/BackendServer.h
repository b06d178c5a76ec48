#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "BackendContext.h"
#include "RequestError.h"

namespace httplib {
struct Request;
struct Response;
class ContentReader;
}  // namespace httplib

namespace kerbelin::backend {

class Catalog;
class OwnCardStore;
class ImageFactory;
class StoreApi;
class MyCardApi;
class ProviderApi;
class GuardedHttpServer;

// The local back-end: every API endpoint under "/kerbelin-app" (POST, JSON
// envelope, fixed bearer token) and the sample images under "/images". It
// listens on a loopback address only and serves each connection on a thread
// of its own, within the limits below; all state it keeps is guarded, so
// requests may run in parallel.
class BackendServer {
 public:
  using TimePoint = std::chrono::system_clock::time_point;

  struct Options {
    std::string host = "127.0.0.1";  // must be a 127.x.x.x address
    int port = 0;                    // 0 picks a free port
    std::filesystem::path dataDir = defaultDataDir();
    // The server's clock: history periods, opening hours, QR expiry and the
    // relative times of the sample data all read it. The real clock when empty.
    std::function<TimePoint()> clock;
    int qrValiditySeconds = 60;
    // The largest request body, counted after any transfer or content encoding is undone.
    size_t maxRequestBytes = 1 << 20;
    // An open connection is closed when no request begins within idleTimeout, or when a request
    // has not arrived whole within requestTimeout of its first byte. Connections beyond
    // maxConnections open ones are closed at once.
    std::chrono::milliseconds idleTimeout{5000};
    std::chrono::milliseconds requestTimeout{10000};
    int maxConnections = 128;
    // Sends "resultCode" as JSON text ("0") instead of an integer (0), for a
    // client that maps it as text. Off by default: the client models read an Int.
    bool textResultCode = false;
    // One line per request (method, path, HTTP status, resultCode, ms); none when null.
    std::ostream* log = nullptr;
  };

  // The bearer token every API call must carry ("Authorization: Bearer ...").
  static const std::string& authorization();
  // The sample data folder: share/kerbelin/backend-data of the prefix an installed binary runs from,
  // otherwise that of the source tree this binary was built from.
  static std::filesystem::path defaultDataDir();

  // Loads the data; throws std::runtime_error when it is unusable or the host is not loopback.
  explicit BackendServer(Options options);
  ~BackendServer();
  BackendServer(const BackendServer&) = delete;
  BackendServer& operator=(const BackendServer&) = delete;

  // Binds and starts serving on a background thread. False when the address
  // cannot be bound (or the server was started before: a server starts once).
  // Connections are accepted from the moment this returns.
  bool start();
  // Stops accepting, finishes and joins. Safe to call more than once.
  void stop();

  int port() const { return port_; }
  // "http://127.0.0.1:PORT": what image URLs in replies start with.
  std::string baseURL() const;

 private:
  void handleApi(const httplib::Request& request, httplib::Response& response,
                 const httplib::ContentReader& content);
  bool refuseBadHead(httplib::Response& response);
  bool refuseOtherMethods(const httplib::Request& request, httplib::Response& response);
  void replyMethodNotAllowed(httplib::Response& response);
  void replyTooLarge(httplib::Response& response);
  void replyBadRequest(httplib::Response& response, int status);
  std::optional<std::string> readBody(httplib::Response& response, const httplib::ContentReader& content);
  void handleImage(const httplib::Request& request, httplib::Response& response);
  void handleError(const httplib::Request& request, httplib::Response& response);
  void logRequest(const httplib::Request& request, const httplib::Response& response);
  void reply(httplib::Response& response, ResultCode code, const std::string& description,
             const nlohmann::json& restHeader, const nlohmann::json& body) const;
  TimePoint now() const;

  Options options_;
  std::unique_ptr<Catalog> catalog_;
  std::unique_ptr<OwnCardStore> cards_;
  std::unique_ptr<BackendContext> context_;
  std::unique_ptr<StoreApi> storeApi_;
  std::unique_ptr<MyCardApi> myCardApi_;
  std::unique_ptr<ProviderApi> providerApi_;
  EndpointTable endpoints_;
  std::unique_ptr<ImageFactory> images_;
  std::unique_ptr<GuardedHttpServer> http_;
  std::thread thread_;
  std::mutex logMutex_;
  int port_ = 0;
};

}  // namespace kerbelin::backend
