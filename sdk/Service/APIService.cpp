#include <Service/APIService.h>

#include <Service/Domain.h>
#include <Service/ReplyText.h>

#include <Foundation/Base64.h>
#include <Foundation/JSONSerialization.h>
#include <Foundation/RunLoop.h>
#include <Network/HTTPClient.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Constants.h>

#include <mutex>
#include <variant>

namespace kerbelin {

namespace {

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

// The body's decoded bytes are wanted only until they are parsed. A buffer kept from reply to reply
// spares each one a large allocation and the page faults of fresh memory; one grown past this by an
// unusual reply is given back.
constexpr std::size_t kKeptBodyBytes = std::size_t{4} << 20;

// The "body" text decoded into its object, or the sentence that explains why it does not decode.
std::variant<ios::Dictionary, std::string> parseBody(std::string_view base64Text, std::string& bytes) {
  if (!ios::base64Decode(base64Text, bytes)) return std::string(APIService::kReplyBodyInvalidMessage);
  auto parsed = ios::JSONSerialization::read(bytes);
  if (auto* object = std::get_if<ios::Dictionary>(&parsed); object && object->is_object()) return std::move(*object);
  if (parsed == decltype(parsed)(ios::JSONSerialization::ReadError::tooDeep)) {
    return std::string(APIService::kReplyTooDeepMessage);
  }
  return std::string(APIService::kReplyBodyInvalidMessage);
}

std::variant<ios::Dictionary, std::string> decodeBody(std::string_view base64Text) {
  thread_local std::string bytes;
  auto decoded = parseBody(base64Text, bytes);
  if (bytes.capacity() > kKeptBodyBytes) std::string().swap(bytes);
  return decoded;
}

// `reply` with its "body" replaced by the object `base64Text` decodes to, or the sentence that
// explains why it does not decode.
std::variant<ios::Dictionary, std::string> withBodyDecoded(ios::Dictionary reply, std::string_view base64Text) {
  auto decoded = decodeBody(base64Text);
  if (auto* message = std::get_if<std::string>(&decoded)) return std::move(*message);
  reply["body"] = std::move(std::get<ios::Dictionary>(decoded));
  return reply;
}

// A reply object as the screens receive it, or the sentence that explains why there is none.
std::variant<ios::Dictionary, std::string> interpretObject(ios::Dictionary reply) {
  if (!resultCodeReadable(reply)) return std::string(APIService::kReplyResultCodeInvalidMessage);
  auto body = reply.find("body");
  if (body == reply.end() || body->is_null()) {
    reply.erase("body");
    return reply;
  }
  if (!body->is_string()) return std::string(APIService::kReplyBodyInvalidMessage);
  const std::string text = std::move(body->get_ref<std::string&>());
  return withBodyDecoded(std::move(reply), text);
}

// The same for a reply whose body's text was read apart.
std::variant<ios::Dictionary, std::string> interpretLifted(LiftedReply lifted) {
  if (!resultCodeReadable(lifted.reply)) return std::string(APIService::kReplyResultCodeInvalidMessage);
  return withBodyDecoded(std::move(lifted.reply), lifted.body);
}

std::variant<ios::Dictionary, std::string> interpretJSON(ios::HTTPClient::JSONResult result) {
  if (result.error && result.error->kind != ios::HTTPError::Kind::notJSON) {
    return transportFailureMessage(result.error->kind);
  }
  if (!result.value || !result.value->is_object()) return std::string(APIService::kReplyNotObjectMessage);
  return interpretObject(std::move(*result.value));
}

// The reply as the screens receive it, or the sentence that explains why there is none. A reply in
// the usual shape is read without lexing its body's base64 text as JSON; any other goes the long way.
std::variant<ios::Dictionary, std::string> interpretReply(ios::HTTPResult result) {
  if (result.ok()) {
    if (auto lifted = readReplyLiftingBody(result.response().body)) return interpretLifted(std::move(*lifted));
  }
  return interpretJSON(ios::HTTPClient::jsonResult(std::move(result)));
}

// The text of requestEnvelope(params) as JSONSerialization::data writes it, without building the
// envelope: its keys in their written order ("body" before "restHeader") around the fixed header's
// text, written once. Base64 text needs no escape inside a JSON string. Cost: the parameters' text
// and its base64, then one copy of the header's text; building and writing the fifteen header fields
// for every request took about 6 % of a five-card search's whole way to its models.
std::string requestEnvelopeText(const ios::Dictionary& params) {
  static const std::string header = ios::JSONSerialization::data(APIService::restHeader()).bytes;
  std::string text = "{\"body\":\"";
  text += Common::convertDictionaryToBase64(params);
  text += "\",\"restHeader\":";
  text += header;
  text += '}';
  return text;
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
  request.body = requestEnvelopeText(params);
  // The host's time-outs, read for each request so that a change applies to the ones that follow; a
  // request that cannot reach the server fails instead of leaving its screen waiting forever.
  request.connectTimeout = client->connectTimeout;
  request.timeout = client->timeout;

  client->transport()->send(std::move(request),
                            [completionHandler = std::move(completionHandler),
                             failure = std::move(failure)](ios::HTTPResult&& result) {
                              auto outcome = interpretReply(std::move(result));
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
