#include "BackendServer.h"

#include <httplib.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <stdexcept>

#include "Catalog.h"
#include "Envelope.h"
#include "GuardedHttpServer.h"
#include "HeadCheck.h"
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

// A request-line method that the HTTP layer does not parse (anything but its fixed list), written as
// an HTTP token.
bool isOtherMethod(const std::string& method) {
  static const std::set<std::string> parsed = {"GET",     "HEAD",    "POST",  "PUT",   "DELETE",
                                               "CONNECT", "OPTIONS", "TRACE", "PATCH", "PRI"};
  return isHttpToken(method) && !parsed.count(method);
}

// Whether every range asked for starts inside a body of `size` bytes (a suffix range must ask for at
// least one byte). The HTTP layer would cut a part from each, so one outside spoils the reply.
bool rangesFit(const httplib::Ranges& ranges, size_t size) {
  return std::all_of(ranges.begin(), ranges.end(), [size](const httplib::Range& range) {
    return range.first < 0 ? range.second > 0 : size_t(range.first) < size;
  });
}

// The HTTP layer cuts whatever a handler answers to the request's ranges, an error envelope too, and
// answers a range past the end with no body under the handler's content type. Its request object is
// its own mutable one, lent to handlers as const; with the ranges gone the reply goes out whole.
void sendWhole(const httplib::Request& request) {
  const_cast<httplib::Request&>(request).ranges.clear();
}

bool isApiTarget(const std::string& path) {
  return path.rfind(std::string(kApiPrefix) + "/", 0) == 0;
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
  http_ = std::make_unique<GuardedHttpServer>(GuardedHttpServer::Limits{
      options_.idleTimeout, options_.requestTimeout, options_.requestTimeout, options_.maxConnections});
  auto& http = *http_;
  http.set_payload_max_length(options_.maxRequestBytes);
  http.set_pre_routing_handler([this](const httplib::Request& q, httplib::Response& r) {
    tRequestStart = std::chrono::steady_clock::now();
    tResultCode = 0;
    if (isApiTarget(q.path)) sendWhole(q);
    return refuseBadHead(r) || refuseOtherMethods(q, r) ? httplib::Server::HandlerResponse::Handled
                                                        : httplib::Server::HandlerResponse::Unhandled;
  });
  // A head refused anyway gets its refusal instead of "100 Continue": no body is sent for nothing.
  http.set_expect_100_continue_handler([](const httplib::Request&, httplib::Response& r) {
    const int status = GuardedHttpServer::headStatus();
    if (status == 0) return 100;
    r.status = status;
    return status;
  });
  http.Post(std::string(kApiPrefix) + "/.*",
            [this](const httplib::Request& q, httplib::Response& r, const httplib::ContentReader& content) {
              handleApi(q, r, content);
            });
  http.Get(R"(/images/([^/]+)\.png)",
           [this](const httplib::Request& q, httplib::Response& r) { handleImage(q, r); });
  http.set_error_handler(
      httplib::Server::HandlerWithResponse([this](const httplib::Request& q, httplib::Response& r) {
        handleError(q, r);
        return httplib::Server::HandlerResponse::Handled;
      }));
  // A fault that escapes a handler gets the envelope of an internal error; what it says stays here.
  http.set_exception_handler([this](const httplib::Request&, httplib::Response& r, std::exception_ptr) {
    reply(r, ResultCode::Internal, "Lỗi hệ thống, vui lòng thử lại sau", nlohmann::json::object(),
          nlohmann::json::object());
  });
  http.set_logger([this](const httplib::Request& q, const httplib::Response& r) { logRequest(q, r); });

  port_ = http.bindAndListen(options_.host, options_.port);
  if (port_ == 0) {
    http_.reset();
    return false;
  }
  context_->baseURL = baseURL();
  thread_ = std::thread([this] { http_->serve(); });
  return true;
}

void BackendServer::stop() {
  if (!http_) return;
  http_->shutdown();
  if (thread_.joinable()) thread_.join();
}

bool BackendServer::refuseBadHead(httplib::Response& response) {
  const int status = GuardedHttpServer::headStatus();
  if (status == 0) return false;
  if (status == 413) {
    replyTooLarge(response);
  } else {
    replyBadRequest(response, status);
  }
  // Its body was not read, and where it would end may be unknown: what follows is not a request.
  GuardedHttpServer::closeAfterReply();
  return true;
}

bool BackendServer::refuseOtherMethods(const httplib::Request& request, httplib::Response& response) {
  if (request.method == "POST" || !isApiTarget(request.path)) return false;
  replyMethodNotAllowed(response);
  return true;
}

void BackendServer::replyMethodNotAllowed(httplib::Response& response) {
  reply(response, ResultCode::MethodNotAllowed, "Chỉ hỗ trợ phương thức POST", nlohmann::json::object(),
        nlohmann::json::object());
  // Its body, if any, was not read: what follows on the connection is not a request.
  GuardedHttpServer::closeAfterReply();
}

void BackendServer::replyTooLarge(httplib::Response& response) {
  const nlohmann::json none = nlohmann::json::object();
  reply(response, ResultCode::PayloadTooLarge,
        "Yêu cầu vượt quá dung lượng cho phép (" + std::to_string(options_.maxRequestBytes) + " byte)", none,
        none);
}

void BackendServer::replyBadRequest(httplib::Response& response, int status) {
  const nlohmann::json none = nlohmann::json::object();
  reply(response, ResultCode::BadRequest, "Yêu cầu HTTP không hợp lệ", none, none);
  response.status = status;
}

std::optional<std::string> BackendServer::readBody(httplib::Response& response,
                                                   const httplib::ContentReader& content) {
  std::string body;
  bool tooLarge = false;
  // httplib hands over the bytes with chunked transfer and gzip, deflate or brotli content
  // encoding undone, so the limit holds for what the request really carries.
  const bool whole = content([&](const char* bytes, size_t length) {
    tooLarge = length > options_.maxRequestBytes - body.size();
    if (!tooLarge) body.append(bytes, length);
    return !tooLarge;
  });
  if (whole) return body;
  GuardedHttpServer::closeAfterReply();
  if (tooLarge || response.status == 413) {
    replyTooLarge(response);
  } else {
    replyBadRequest(response, response.status > 0 ? response.status : 400);
  }
  return std::nullopt;
}

void BackendServer::handleApi(const httplib::Request& request, httplib::Response& response,
                              const httplib::ContentReader& content) {
  const std::optional<std::string> httpBody = readBody(response, content);
  if (!httpBody) return;
  nlohmann::json restHeader = nlohmann::json::object();
  try {
    nlohmann::json params;
    std::optional<RequestError> envelopeError;
    try {
      params = Envelope::decodeRequest(*httpBody, restHeader);
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
  if (png && rangesFit(request.ranges, png->size())) {
    response.set_content(*png, "image/png");
    response.set_header("Cache-Control", "public, max-age=86400");
    return;
  }
  sendWhole(request);
  const nlohmann::json none = nlohmann::json::object();
  if (!png) {
    reply(response, ResultCode::NotFound, "Không tìm thấy hình ảnh", none, none);
    return;
  }
  reply(response, ResultCode::BadRequest, "Khoảng byte yêu cầu nằm ngoài hình ảnh", none, none);
  response.status = 416;
  response.set_header("Content-Range", "bytes */" + std::to_string(png->size()));
}

void BackendServer::handleError(const httplib::Request& request, httplib::Response& response) {
  sendWhole(request);
  if (!response.body.empty()) return;  // an envelope written by a handler
  const nlohmann::json none = nlohmann::json::object();
  const int status = response.status;
  if (status == 404) {
    reply(response, ResultCode::UnknownPath, "Không tìm thấy đường dẫn " + loggable(request.path), none,
          none);
    return;
  }
  // The HTTP layer refused the request before reading all of it.
  GuardedHttpServer::closeAfterReply();
  if (status == 413) {
    replyTooLarge(response);
  } else if (status >= 500) {
    reply(response, ResultCode::Internal, "Lỗi hệ thống, vui lòng thử lại sau", none, none);
  } else if (isOtherMethod(request.method) && isApiTarget(request.target)) {
    // A method the HTTP layer does not know ends its parse; on an API path it is still a method.
    replyMethodNotAllowed(response);
  } else {
    // 400, 414 (request line too long) and the other refusals of the HTTP layer.
    replyBadRequest(response, status);
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
