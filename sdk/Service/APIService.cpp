#include <Service/APIService.h>

#include <Service/Domain.h>

#include <Foundation/JSONSerialization.h>
#include <Foundation/RunLoop.h>
#include <Network/HTTPClient.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Constants.h>

#include <mutex>
#include <variant>

namespace kerbelin {

namespace {

// A request that cannot reach the server fails instead of leaving its screen waiting forever.
constexpr double kConnectTimeoutSeconds = 10.0;
constexpr double kTotalTimeoutSeconds = 30.0;

std::mutex baseURLMutex;
std::string& currentBaseURL() {
  static std::string url = kDefaultBaseURL;
  return url;
}

static_assert(ios::JSONSerialization::maximumDepth == 512, "kReplyTooDeepMessage names the limit");

// What the user reads when the transfer itself failed.
std::string transportFailureMessage(ios::HTTPError::Kind kind) {
  using Kind = ios::HTTPError::Kind;
  switch (kind) {
    case Kind::connectionRefused: return "Không thể kết nối tới máy chủ.";
    case Kind::timedOut: return "Yêu cầu đã hết thời gian chờ.";
    case Kind::hostNotFound: return "Không tìm thấy máy chủ có tên miền này.";
    case Kind::tlsFailure: return "Đã xảy ra lỗi SSL nên không thể tạo kết nối an toàn tới máy chủ.";
    case Kind::invalidURL: return "Địa chỉ URL không được hỗ trợ.";
    case Kind::cancelled: return "Yêu cầu đã bị huỷ.";
    case Kind::connectionLost: return "Kết nối mạng đã bị mất.";
    case Kind::tooManyRedirects: return "Máy chủ chuyển hướng quá nhiều lần.";
    case Kind::responseTooLarge: return "Dữ liệu trả về vượt quá dung lượng cho phép.";
    case Kind::notJSON: return std::string(APIService::kReplyNotObjectMessage);
    case Kind::nestedTooDeep: return std::string(APIService::kReplyTooDeepMessage);
    case Kind::other: break;
  }
  return "Đã xảy ra lỗi không xác định.";
}

// The server sends the code as a JSON integer (or, from a server set up for text codes, as decimal
// text). A fraction or an exponent would be judged by its rounded value: "1e-400" reads as 0.
bool resultCodeReadable(const ios::Dictionary& reply) {
  auto code = reply.find("resultCode");
  if (code == reply.end() || code->is_null() || code->is_number_integer()) return true;
  if (!code->is_string()) return false;
  const std::string& text = code->get_ref<const std::string&>();
  const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  return text.size() > start && text.find_first_not_of("0123456789", start) == std::string::npos;
}

// The "body" text decoded into its object, or the sentence that explains why it does not decode.
std::variant<ios::Dictionary, std::string> decodeBody(const std::string& base64Text) {
  std::optional<ios::Data> bytes = ios::Data::fromBase64(base64Text);
  if (!bytes) return std::string(APIService::kReplyBodyInvalidMessage);
  auto parsed = ios::JSONSerialization::read(bytes->bytes);
  if (auto* object = std::get_if<ios::Dictionary>(&parsed); object && object->is_object()) return std::move(*object);
  if (parsed == decltype(parsed)(ios::JSONSerialization::ReadError::tooDeep)) {
    return std::string(APIService::kReplyTooDeepMessage);
  }
  return std::string(APIService::kReplyBodyInvalidMessage);
}

// The reply as the screens receive it, or the sentence that explains why there is none.
std::variant<ios::Dictionary, std::string> interpretReply(ios::HTTPClient::JSONResult result) {
  if (result.error && result.error->kind != ios::HTTPError::Kind::notJSON) {
    return transportFailureMessage(result.error->kind);
  }
  if (!result.value || !result.value->is_object()) return std::string(APIService::kReplyNotObjectMessage);
  if (!resultCodeReadable(*result.value)) return std::string(APIService::kReplyResultCodeInvalidMessage);

  ios::Dictionary reply = std::move(*result.value);
  auto body = reply.find("body");
  if (body == reply.end() || body->is_null()) {
    reply.erase("body");
    return reply;
  }
  if (!body->is_string()) return std::string(APIService::kReplyBodyInvalidMessage);
  auto decoded = decodeBody(body->get_ref<const std::string&>());
  if (auto* message = std::get_if<std::string>(&decoded)) return std::move(*message);
  *body = std::move(std::get<ios::Dictionary>(decoded));
  return reply;
}

}  // namespace

std::shared_ptr<APIService> APIService::sharedInstance() {
  static const std::shared_ptr<APIService> instance(new APIService());
  return instance;
}

void APIService::setBaseURL(std::string baseURL) {
  ios::RunLoop::requireMainThread("kerbelin::APIService::setBaseURL");
  while (!baseURL.empty() && baseURL.back() == '/') baseURL.pop_back();
  std::lock_guard lock(baseURLMutex);
  currentBaseURL() = std::move(baseURL);
}

std::string APIService::baseURL() {
  std::lock_guard lock(baseURLMutex);
  return currentBaseURL();
}

const ios::Dictionary& APIService::restHeader() {
  static const ios::Dictionary header = {
      {"clientId", "kerbelin-sdk"},
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
      {"contentType", "application/json"},
  };
  return header;
}

ios::Dictionary APIService::requestEnvelope(const ios::Dictionary& params) {
  return {{"restHeader", restHeader()}, {"body", Common::convertDictionaryToBase64(params)}};
}

void APIService::httpBodyRequestAPI(const std::string& url, const ios::Dictionary& params, MethodApi meThod,
                                    CompletionHandler completionHandler, Failure failure) {
  std::shared_ptr<ios::HTTPClient> client = ios::HTTPClient::shared();
  ios::HTTPRequest request;
  request.url = url;
  request.method = std::string(rawValue(meThod));
  request.headers = {
      {"Content-Type", "application/json"},
      {"Accept", "application/json"},
      {"Authorization", authorHeader},
  };
  request.body = ios::JSONSerialization::data(requestEnvelope(params)).bytes;
  request.connectTimeout = kConnectTimeoutSeconds;
  request.timeout = kTotalTimeoutSeconds;

  client->transport()->send(std::move(request),
                            [completionHandler = std::move(completionHandler),
                             failure = std::move(failure)](const ios::HTTPResult& result) {
                              auto outcome = interpretReply(ios::HTTPClient::jsonResult(result));
                              if (auto* reply = std::get_if<ios::Dictionary>(&outcome)) {
                                if (completionHandler) completionHandler(std::move(*reply));
                              } else if (failure) {
                                failure(std::get<std::string>(outcome));
                              }
                            });
}

void APIService::post(std::string_view path, const ios::Dictionary& params, CompletionHandler completionHandler,
                      Failure failure) {
  sharedInstance()->httpBodyRequestAPI(Domain::url(path), params, MethodApi::POST, std::move(completionHandler),
                                       std::move(failure));
}

}  // namespace kerbelin
