#pragma once

#include <Foundation/Dictionary.h>
#include <Foundation/NSObject.h>
#include <Service/MethodApi.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kerbelin {

// The one way the framework talks to its back-end.
//
// Every call is sent to a full address (see Domain::url) as a JSON envelope
//   {"restHeader": <the fixed request header>, "body": "<base64 of the parameters' JSON text>"}
// with the headers "Content-Type" and "Accept" set to "application/json" and "Authorization" set to
// `authorHeader`. The transfer goes through the platform's shared HTTPClient, so its transport (the
// real one, or a test's fake) and its time-outs (10 s to connect, 30 s in all) apply.
//
// Outcome: exactly one of the two closures runs, exactly once, on the main queue and never inside
// the call that started the request.
// - `completionHandler` gets the reply object, its "body" text already decoded into an object. A
//   reply with no "body" (or a null one) is handed on without that key. The handler owns the reply:
//   `ios::mapObject<T>(std::move(reply))` moves its texts into the models instead of copying them. The HTTP
//   status and the reply's "resultCode" value is not judged here: each screen reads the reply by one of the
//   rules in ReplyDecoding.h.
// - `failure` gets a Vietnamese sentence, as all the framework's text is (screens toast it): one per
//   kind of transport error (refused connection, time-out...), not the platform's own description,
//   which follows no host's language; `kReplyNotObjectMessage` when the reply is not one JSON object,
//   `kReplyResultCodeInvalidMessage` when its "resultCode" is neither an integer nor decimal text,
//   `kReplyBodyInvalidMessage` when its "body" is not base64 text of a JSON object, or
//   `kReplyTooDeepMessage` when the reply or its body nests deeper than JSONSerialization::maximumDepth.
//
// Neither the token nor the request header is ever written to the console.
class APIService : public ios::NSObject {
 public:
  using CompletionHandler = std::function<void(ios::Dictionary&& reply)>;
  using Failure = std::function<void(const std::string& message)>;

  static constexpr std::string_view kReplyNotObjectMessage = "Phản hồi của máy chủ không phải là một đối tượng JSON.";
  static constexpr std::string_view kReplyBodyInvalidMessage =
      "Phần nội dung trong phản hồi của máy chủ không phải là văn bản base64 của một đối tượng JSON.";
  static constexpr std::string_view kReplyResultCodeInvalidMessage =
      "Phản hồi của máy chủ không có mã kết quả dạng số nguyên.";
  static constexpr std::string_view kReplyTooDeepMessage =
      "Không đọc được phản hồi của máy chủ vì dữ liệu lồng nhau quá 512 cấp.";

  // The process-wide client, made on first use.
  static std::shared_ptr<APIService> sharedInstance();

  // Points the framework at another server, e.g. "http://127.0.0.1:8080" for a local back-end; the
  // endpoint paths follow it under "/kerbelin-app". Trailing slashes are dropped. Requests already
  // sent keep their address. The compiled-in address is "https://api.halvet.vn".
  static void setBaseURL(std::string baseURL);
  static std::string baseURL();

  // The request header sent, unchanged, with every call: fifteen fixed text fields.
  static const ios::Dictionary& restHeader();

  // The request envelope for `params` (a null value counts as no parameters: "{}").
  static ios::Dictionary requestEnvelope(const ios::Dictionary& params);

  void httpBodyRequestAPI(const std::string& url, const ios::Dictionary& params, MethodApi meThod,
                          CompletionHandler completionHandler, Failure failure);

  // What every service operation does: POSTs `params` to the endpoint `path` (a `Domain` path)
  // through the shared instance.
  static void post(std::string_view path, const ios::Dictionary& params, CompletionHandler completionHandler,
                   Failure failure);

 private:
  APIService() = default;
};

}  // namespace kerbelin
