#include "BackendServer.h"

#include <httplib.h>

#include <ostream>
#include <stdexcept>

#include "Catalog.h"
#include "Envelope.h"
#include "ImageFactory.h"
#include "MyCardApi.h"
#include "OwnCardStore.h"
#include "ProviderApi.h"
#include "RequestError.h"
#include "StoreApi.h"

#ifndef KERBELIN_BACKEND_DATA_DIR
#define KERBELIN_BACKEND_DATA_DIR "data"
#endif

namespace kerbelin::backend {
namespace {

constexpr const char* kApiPrefix = "/kerbelin-app";

// httplib runs each request start to finish on one pool thread, so the
// handlers leave the request's start time and result code here for the logger.
thread_local std::chrono::steady_clock::time_point tRequestStart{};
thread_local int tResultCode = 0;

bool isLoopback(const std::string& host) {
  unsigned a, b, c, d;
  char extra;
  return std::sscanf(host.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &extra) == 4 && a == 127 && b < 256 &&
         c < 256 && d < 256;
}

// A path as it may appear in the log: printable ASCII only, at most 200 characters.
std::string loggable(const std::string& path) {
  std::string out;
  for (unsigned char c : path.substr(0, 200)) out += (c >= 0x20 && c < 0x7F) ? char(c) : '?';
  return out;
}

int64_t elapsedMs() {
  if (tRequestStart == std::chrono::steady_clock::time_point{}) return 0;
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               tRequestStart)
      .count();
}

}  // namespace

const std::string& BackendServer::authorization() {
  static const std::string value = "Bearer kb-7f3a9c2e51d84b06a1e0c3f5d92b7e48";
  return value;
}

std::filesystem::path BackendServer::defaultDataDir() {
  // An installed server reads the copy beside its prefix; one in a build tree, its source tree's.
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  const auto installed = self.parent_path().parent_path() / "share/kerbelin/backend-data";
  if (!error && std::filesystem::is_directory(installed, error)) return installed;
  return KERBELIN_BACKEND_DATA_DIR;
}

BackendServer::BackendServer(Options options) : options_(std::move(options)) {
  if (!isLoopback(options_.host)) {
    throw std::runtime_error("the back-end listens on loopback addresses only, not " + options_.host);
  }
  catalog_ = std::make_unique<Catalog>(Catalog::load(options_.dataDir));
  cards_ = std::make_unique<OwnCardStore>(OwnCardStore::loadSeed(options_.dataDir, *catalog_, now()));
  context_ = std::make_unique<BackendContext>(
      BackendContext{*catalog_, *cards_, [this] { return now(); }, options_.qrValiditySeconds, ""});
  storeApi_ = std::make_unique<StoreApi>(*context_);
  myCardApi_ = std::make_unique<MyCardApi>(*context_);
  providerApi_ = std::make_unique<ProviderApi>(*context_);
  storeApi_->addTo(endpoints_);
  myCardApi_->addTo(endpoints_);
  providerApi_->addTo(endpoints_);
  images_ = std::make_unique<ImageFactory>();
}

BackendServer::~BackendServer() {
  stop();
}

void BackendServer::reply(httplib::Response& response, ResultCode code, const std::string& description,
                          const nlohmann::json& restHeader, const nlohmann::json& body) const {
  tResultCode = rawValue(code);
  response.status = httpStatus(code);
  response.set_content(
      Envelope::encodeReply(code, description, restHeader, body, elapsedMs(), options_.textResultCode),
      "application/json; charset=utf-8");
}

BackendServer::TimePoint BackendServer::now() const {
  return options_.clock ? options_.clock() : std::chrono::system_clock::now();
}

std::string BackendServer::baseURL() const {
  return "http://" + options_.host + ":" + std::to_string(port_);
}

bool BackendServer::start() {
  if (http_) return false;
  http_ = std::make_unique<httplib::Server>();
  auto& http = *http_;
  http.set_payload_max_length(options_.maxRequestBytes);
  // Without it every small reply waits on Nagle's algorithm: tens of milliseconds on loopback.
  http.set_tcp_nodelay(true);
  // httplib's default also sets SO_REUSEPORT, which would let a second server
  // bind the same port and silently split the requests with the first.
  http.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  http.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
    tRequestStart = std::chrono::steady_clock::now();
    tResultCode = 0;
    return httplib::Server::HandlerResponse::Unhandled;
  });
  const std::string api = std::string(kApiPrefix) + "/.*";
  http.Post(api, [this](const httplib::Request& q, httplib::Response& r) { handleApi(q, r); });
  auto notAllowed = [this](const httplib::Request&, httplib::Response& r) {
    reply(r, ResultCode::MethodNotAllowed, "Chỉ hỗ trợ phương thức POST", nlohmann::json::object(),
          nlohmann::json::object());
  };
  http.Get(api, notAllowed);
  http.Put(api, notAllowed);
  http.Delete(api, notAllowed);
  http.Patch(api, notAllowed);
  http.Get(R"(/images/([^/]+)\.png)",
           [this](const httplib::Request& q, httplib::Response& r) { handleImage(q, r); });
  http.set_error_handler(
      httplib::Server::HandlerWithResponse([this](const httplib::Request& q, httplib::Response& r) {
        handleError(q, r);
        return httplib::Server::HandlerResponse::Handled;
      }));
  http.set_logger([this](const httplib::Request& q, const httplib::Response& r) { logRequest(q, r); });

  port_ = options_.port == 0 ? http.bind_to_any_port(options_.host) : options_.port;
  if (port_ <= 0 || (options_.port != 0 && !http.bind_to_port(options_.host, options_.port))) {
    http_.reset();
    port_ = 0;
    return false;
  }
  context_->baseURL = baseURL();
  thread_ = std::thread([this] {
    http_->listen_after_bind();
    finished_ = true;
  });
  // stop() only takes effect once the loop runs, so wait for it (a few microseconds).
  while (!http_->is_running() && !finished_) std::this_thread::yield();
  return true;
}

void BackendServer::stop() {
  if (!http_) return;
  http_->stop();
  if (thread_.joinable()) thread_.join();
}

void BackendServer::handleApi(const httplib::Request& request, httplib::Response& response) {
  nlohmann::json restHeader = nlohmann::json::object();
  try {
    nlohmann::json params;
    std::optional<RequestError> envelopeError;
    try {
      params = Envelope::decodeRequest(request.body, restHeader);
    } catch (const RequestError& e) {
      envelopeError = e;
    }
    if (request.get_header_value("Authorization") != authorization()) {
      throw RequestError(ResultCode::Unauthorized, "Thiếu hoặc sai mã truy cập (Authorization)");
    }
    const std::string path = request.path.substr(std::string(kApiPrefix).size());
    auto endpoint = endpoints_.find(path);
    if (endpoint == endpoints_.end()) {
      throw RequestError(ResultCode::UnknownPath,
                         "Không tìm thấy đường dẫn " + std::string(kApiPrefix) + path);
    }
    if (envelopeError) throw *envelopeError;
    const nlohmann::json body = endpoint->second(Params(std::move(params)));
    reply(response, ResultCode::Success, "Thành công", restHeader, body);
  } catch (const RequestError& e) {
    nlohmann::json body = nlohmann::json::object();
    if (!e.field().empty()) body["field"] = e.field();
    reply(response, e.code(), e.description(), restHeader, body);
  } catch (const std::exception& e) {
    if (options_.log) {
      std::lock_guard lock(logMutex_);
      *options_.log << "internal error on " << loggable(request.path) << ": " << e.what() << std::endl;
    }
    reply(response, ResultCode::Internal, "Lỗi hệ thống, vui lòng thử lại sau", restHeader,
          nlohmann::json::object());
  }
}

void BackendServer::handleImage(const httplib::Request& request, httplib::Response& response) {
  const auto png = images_->png(request.matches[1]);
  if (!png) {
    reply(response, ResultCode::NotFound, "Không tìm thấy hình ảnh", nlohmann::json::object(),
          nlohmann::json::object());
    return;
  }
  response.set_content(*png, "image/png");
  response.set_header("Cache-Control", "public, max-age=86400");
}

void BackendServer::handleError(const httplib::Request& request, httplib::Response& response) {
  if (!response.body.empty()) return;  // an envelope written by a handler
  const nlohmann::json none = nlohmann::json::object();
  const int status = response.status;
  if (status == 413) {
    reply(response, ResultCode::PayloadTooLarge,
          "Yêu cầu vượt quá dung lượng cho phép (" + std::to_string(options_.maxRequestBytes) + " byte)",
          none, none);
  } else if (status == 404) {
    reply(response, ResultCode::UnknownPath, "Không tìm thấy đường dẫn " + loggable(request.path), none,
          none);
  } else if (status >= 500) {
    reply(response, ResultCode::Internal, "Lỗi hệ thống, vui lòng thử lại sau", none, none);
  } else {
    // 400, 414 (request line too long) and the other refusals of the HTTP layer.
    reply(response, ResultCode::BadRequest, "Yêu cầu HTTP không hợp lệ", none, none);
    response.status = status;
  }
}

void BackendServer::logRequest(const httplib::Request& request, const httplib::Response& response) {
  if (!options_.log) return;
  const int64_t ms = elapsedMs();
  std::lock_guard lock(logMutex_);
  *options_.log << loggable(request.method) << ' ' << loggable(request.path) << ' ' << response.status << ' '
                << tResultCode << ' ' << ms << "ms" << std::endl;
  tRequestStart = {};
}

}  // namespace kerbelin::backend
