#include <Network/CurlTransport.h>

#include <Foundation/DispatchQueue.h>
#include <Foundation/RunLoop.h>
#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace ios {

namespace {

// Everything about one request. The I/O thread owns the curl side; the main thread only reads
// `cancelled` and consumes `completion` once, at delivery.
struct Transfer {
  Transfer(HTTPRequest r, Transport::Completion c) : request(std::move(r)), completion(std::move(c)) {}

  HTTPRequest request;
  Transport::Completion completion;
  std::atomic<bool> cancelled{false};

  // I/O thread only.
  CURL* easy = nullptr;
  curl_slist* headerList = nullptr;
  HTTPResponse response;
  std::size_t bodySent = 0;  // bytes of request.body handed to curl
  std::size_t maxResponseBytes = 0;
  bool tooLarge = false;
  char errorBuffer[CURL_ERROR_SIZE] = {};
};

HTTPError makeError(HTTPError::Kind kind, std::string detail = {}) {
  return HTTPError{kind, std::move(detail)};
}

// Hands the outcome to the main queue. A cancel that lands before the block runs wins, so a
// cancelled request never reports anything but `cancelled`.
void deliver(std::shared_ptr<Transfer> transfer, HTTPResult result) {
  DispatchQueue::main().async([transfer = std::move(transfer), result = std::move(result)]() mutable {
    Transport::Completion completion = std::move(transfer->completion);
    transfer->completion = nullptr;
    if (completion) {
      if (transfer->cancelled.load()) {
        completion(HTTPResult(makeError(HTTPError::Kind::cancelled)));
      } else {
        completion(std::move(result));
      }
    }
    RunLoop::main().endExternalWork();
  });
}

void ensureCurlInitialised() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::optional<HTTPError> validate(const HTTPRequest& request) {
  CURLU* url = curl_url();
  if (!url) return makeError(HTTPError::Kind::other, "out of memory");
  std::optional<HTTPError> error;
  char* scheme = nullptr;
  char* host = nullptr;
  if (curl_url_set(url, CURLUPART_URL, request.url.c_str(), 0) != CURLUE_OK ||
      curl_url_get(url, CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK ||
      curl_url_get(url, CURLUPART_HOST, &host, 0) != CURLUE_OK) {
    error = makeError(HTTPError::Kind::invalidURL, "the URL does not parse");
  } else if (std::string_view(scheme) != "http" && std::string_view(scheme) != "https") {
    error = makeError(HTTPError::Kind::invalidURL, "only http and https are supported");
  }
  curl_free(scheme);
  curl_free(host);
  curl_url_cleanup(url);
  if (error) return error;

  // A line break in a header would let the caller's data write further header lines.
  for (const auto& [name, value] : request.headers) {
    if (name.empty() || name.find_first_of(":\r\n") != std::string::npos ||
        value.find_first_of("\r\n") != std::string::npos) {
      return makeError(HTTPError::Kind::other, "a header name or value is malformed");
    }
  }
  return std::nullopt;
}

long milliseconds(double seconds, double fallback) {
  if (!(seconds > 0) || !std::isfinite(seconds)) seconds = fallback;
  return std::max(1L, std::lround(seconds * 1000.0));
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

size_t onHeaderLine(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::string_view line = trimmed(std::string_view(data, size * count));
  // A new status line starts a new response (a redirect, or an interim 100): keep only the last.
  if (line.starts_with("HTTP/")) {
    transfer->response.headers.clear();
    return size * count;
  }
  const auto colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0) return size * count;
  const std::string name(trimmed(line.substr(0, colon)));
  const std::string value(trimmed(line.substr(colon + 1)));
  auto [it, inserted] = transfer->response.headers.emplace(name, value);
  if (!inserted) it->second += ", " + value;
  return size * count;
}

size_t onBodyBytes(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t length = size * count;
  if (transfer->response.body.size() + length > transfer->maxResponseBytes) {
    transfer->tooLarge = true;
    return 0;  // Any short count makes curl stop with CURLE_WRITE_ERROR.
  }
  transfer->response.body.append(data, length);
  return length;
}

// The request body, handed to curl piece by piece.
size_t onBodyRead(char* buffer, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::string& body = transfer->request.body;
  const size_t length = std::min(size * count, body.size() - transfer->bodySent);
  body.copy(buffer, length, transfer->bodySent);
  transfer->bodySent += length;
  return length;
}

// curl rewinds a body only to send the request again by itself (on a kept-alive connection that
// turned out closed); refusing ends the transfer with a failure, so a request is sent at most once.
int refuseRewind(void*, curl_off_t, int) {
  return CURL_SEEKFUNC_FAIL;
}

}  // namespace

// Owns the multi handle and the I/O thread. Other threads talk to it only through the two queues
// under `mutex_` and curl_multi_wakeup().
class CurlTransport::Engine {
 public:
  // The handle send() returns. It keeps the engine only weakly: cancelling after the transport
  // is gone has nothing left to stop.
  class Task : public TransportTask {
   public:
    Task(std::shared_ptr<Transfer> transfer, std::weak_ptr<Engine> engine)
        : transfer_(std::move(transfer)), engine_(std::move(engine)) {}

    void cancel() override {
      if (transfer_->cancelled.exchange(true)) return;
      if (auto engine = engine_.lock()) engine->cancel(transfer_);
    }

   private:
    std::shared_ptr<Transfer> transfer_;
    std::weak_ptr<Engine> engine_;
  };

  explicit Engine(Options options) : options_(std::move(options)), multi_(curl_multi_init()) {
    curl_multi_setopt(multi_, CURLMOPT_MAX_HOST_CONNECTIONS, options_.maxConnectionsPerHost);
  }

  ~Engine() {
    // shutdown() has joined the thread before the last owner lets go, so nothing else uses multi_.
    curl_multi_cleanup(multi_);
  }

  void submit(std::shared_ptr<Transfer> transfer) {
    {
      std::lock_guard lock(mutex_);
      incoming_.push_back(std::move(transfer));
      if (!thread_.joinable() && !stopping_) thread_ = std::thread([this] { run(); });
    }
    curl_multi_wakeup(multi_);
  }

  void cancel(std::shared_ptr<Transfer> transfer) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      cancels_.push_back(std::move(transfer));
    }
    curl_multi_wakeup(multi_);
  }

  // Cancels everything still outstanding and joins the I/O thread. Called once, by the transport's
  // destructor; the thread holds no reference to the transport, so this never runs on it.
  void shutdown() {
    std::thread thread;
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
      thread = std::move(thread_);
    }
    curl_multi_wakeup(multi_);
    if (thread.joinable()) thread.join();
  }

 private:
  void run() {
    for (;;) {
      std::vector<std::shared_ptr<Transfer>> incoming;
      std::vector<std::shared_ptr<Transfer>> cancels;
      bool stopping = false;
      {
        std::lock_guard lock(mutex_);
        incoming.swap(incoming_);
        cancels.swap(cancels_);
        stopping = stopping_;
      }
      for (auto& transfer : incoming) {
        if (stopping || transfer->cancelled.load()) {
          deliver(std::move(transfer), makeError(HTTPError::Kind::cancelled));
        } else {
          start(std::move(transfer));
        }
      }
      for (const auto& transfer : cancels) {
        if (active_.contains(transfer.get())) finish(transfer.get(), makeError(HTTPError::Kind::cancelled));
      }
      if (stopping) {
        while (!active_.empty()) finish(active_.begin()->first, makeError(HTTPError::Kind::cancelled));
        return;
      }
      int running = 0;
      curl_multi_perform(multi_, &running);
      collectFinished();
      curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
    }
  }

  void start(std::shared_ptr<Transfer> transfer) {
    transfer->easy = curl_easy_init();
    if (!transfer->easy) {
      deliver(std::move(transfer), makeError(HTTPError::Kind::other, "could not create a transfer"));
      return;
    }
    configure(*transfer);
    if (curl_multi_add_handle(multi_, transfer->easy) != CURLM_OK) {
      release(*transfer);
      deliver(std::move(transfer), makeError(HTTPError::Kind::other, "could not start the transfer"));
      return;
    }
    Transfer* key = transfer.get();
    active_.emplace(key, std::move(transfer));
  }

  void configure(Transfer& transfer) {
    CURL* easy = transfer.easy;
    const HTTPRequest& request = transfer.request;
    transfer.maxResponseBytes = options_.maxResponseBytes;

    curl_easy_setopt(easy, CURLOPT_PRIVATE, &transfer);
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.errorBuffer);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(request.connectTimeout, 10.0));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, milliseconds(request.timeout, 30.0));
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(easy, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    if (!options_.caBundlePath.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, options_.caBundlePath.c_str());
    // Loopback never goes through a proxy named in the environment.
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options_.maxResponseBytes));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeaderLine);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBodyBytes);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    configureMethod(transfer);
    configureHeaders(transfer);
  }

  void configureMethod(Transfer& transfer) {
    CURL* easy = transfer.easy;
    const HTTPRequest& request = transfer.request;
    const bool followsRedirects = request.method == "GET" || request.method == "HEAD";
    if (request.method == "GET") {
      curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    } else if (request.method == "HEAD") {
      curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else {
      if (request.method != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
      configureBody(transfer);
    }
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, followsRedirects ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, options_.maxRedirects);
  }

  // Any other method than GET and HEAD may change something on the server, so curl must never send it
  // twice: the body goes through a reader that cannot rewind, and a request without a body never
  // takes a kept-alive connection (curl resends only on a reused one).
  static void configureBody(Transfer& transfer) {
    CURL* easy = transfer.easy;
    const HTTPRequest& request = transfer.request;
    if (request.body.empty()) curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    if (request.method != "POST" && request.body.empty()) return;
    curl_easy_setopt(easy, CURLOPT_POST, 1L);
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, onBodyRead);
    curl_easy_setopt(easy, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_SEEKFUNCTION, refuseRewind);
  }

  void configureHeaders(Transfer& transfer) {
    const HTTPHeaders& headers = transfer.request.headers;
    for (const auto& [name, value] : headers) {
      // "Name;" is curl's way of sending a header with an empty value.
      const std::string line = value.empty() ? name + ";" : name + ": " + value;
      transfer.headerList = curl_slist_append(transfer.headerList, line.c_str());
    }
    // curl would wait for a "100 Continue" before larger bodies; servers rarely send one.
    if (!headers.contains("Expect")) transfer.headerList = curl_slist_append(transfer.headerList, "Expect:");
    curl_easy_setopt(transfer.easy, CURLOPT_HTTPHEADER, transfer.headerList);
    if (!headers.contains("Accept-Encoding")) curl_easy_setopt(transfer.easy, CURLOPT_ACCEPT_ENCODING, "");
  }

  void collectFinished() {
    int remaining = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &remaining)) {
      if (message->msg != CURLMSG_DONE) continue;
      Transfer* transfer = nullptr;
      curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, reinterpret_cast<char**>(&transfer));
      finish(transfer, outcome(*transfer, message->data.result));
    }
  }

  static HTTPResult outcome(Transfer& transfer, CURLcode code) {
    if (transfer.tooLarge) return makeError(HTTPError::Kind::responseTooLarge);
    if (code != CURLE_OK) {
      std::string detail = transfer.errorBuffer[0] ? transfer.errorBuffer : curl_easy_strerror(code);
      return CurlTransport::errorForCurlCode(code, std::move(detail));
    }
    long status = 0;
    char* effectiveURL = nullptr;
    curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(transfer.easy, CURLINFO_EFFECTIVE_URL, &effectiveURL);
    HTTPResponse response = std::move(transfer.response);
    response.statusCode = static_cast<int>(status);
    response.url = effectiveURL ? effectiveURL : transfer.request.url;
    return response;
  }

  void finish(Transfer* key, HTTPResult result) {
    auto found = active_.find(key);
    if (found == active_.end()) return;
    std::shared_ptr<Transfer> transfer = std::move(found->second);
    active_.erase(found);
    curl_multi_remove_handle(multi_, transfer->easy);
    release(*transfer);
    deliver(std::move(transfer), std::move(result));
  }

  static void release(Transfer& transfer) {
    curl_easy_cleanup(transfer.easy);
    transfer.easy = nullptr;
    curl_slist_free_all(transfer.headerList);
    transfer.headerList = nullptr;
  }

  const Options options_;
  CURLM* const multi_;

  std::mutex mutex_;
  std::vector<std::shared_ptr<Transfer>> incoming_;
  std::vector<std::shared_ptr<Transfer>> cancels_;
  bool stopping_ = false;
  std::thread thread_;

  // I/O thread only: the transfers curl is working on.
  std::unordered_map<Transfer*, std::shared_ptr<Transfer>> active_;
};

std::shared_ptr<CurlTransport> CurlTransport::create() {
  return create(Options());
}

std::shared_ptr<CurlTransport> CurlTransport::create(Options options) {
  return std::shared_ptr<CurlTransport>(new CurlTransport(std::move(options)));
}

CurlTransport::CurlTransport(Options options) {
  ensureCurlInitialised();
  engine_ = std::make_shared<Engine>(std::move(options));
}

CurlTransport::~CurlTransport() {
  engine_->shutdown();
}

std::shared_ptr<TransportTask> CurlTransport::send(HTTPRequest request, Completion completion) {
  std::optional<HTTPError> invalid = validate(request);
  auto transfer = std::make_shared<Transfer>(std::move(request), std::move(completion));
  RunLoop::main().beginExternalWork();
  if (invalid) {
    deliver(transfer, std::move(*invalid));
  } else {
    engine_->submit(transfer);
  }
  return std::make_shared<Engine::Task>(std::move(transfer), engine_);
}

HTTPError CurlTransport::errorForCurlCode(int code, std::string detail) {
  using Kind = HTTPError::Kind;
  switch (static_cast<CURLcode>(code)) {
    case CURLE_COULDNT_CONNECT:
      return makeError(Kind::connectionRefused, std::move(detail));
    case CURLE_OPERATION_TIMEDOUT:
      return makeError(Kind::timedOut, std::move(detail));
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return makeError(Kind::hostNotFound, std::move(detail));
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_USE_SSL_FAILED:
      return makeError(Kind::tlsFailure, std::move(detail));
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return makeError(Kind::invalidURL, std::move(detail));
    case CURLE_ABORTED_BY_CALLBACK:
      return makeError(Kind::cancelled, std::move(detail));
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_FAIL_REWIND:  // the connection closed before a reply; see refuseRewind
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
      return makeError(Kind::connectionLost, std::move(detail));
    case CURLE_TOO_MANY_REDIRECTS:
      return makeError(Kind::tooManyRedirects, std::move(detail));
    case CURLE_FILESIZE_EXCEEDED:
      return makeError(Kind::responseTooLarge, std::move(detail));
    default:
      return makeError(Kind::other, std::move(detail));
  }
}

}  // namespace ios
