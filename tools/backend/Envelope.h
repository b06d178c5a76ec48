#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "RequestError.h"

namespace kerbelin::backend {

// The JSON envelope of every API call. A request is
//   {"restHeader": {...fifteen text fields...}, "body": "<base64 of the parameter object's JSON text>"}
// and a reply is
//   {"resultCode": 0, "resultDesc": "...", "secure": "", "cost": <ms>, "restHeader": {...},
//    "body": "<base64 of the reply object's JSON text>"}.
class Envelope {
 public:
  // The fifteen keys every request's restHeader must carry, each with a text value.
  static const std::vector<std::string>& restHeaderKeys();

  // Nesting deeper than this is refused while parsing, so hostile input cannot
  // exhaust the stack of the recursive parts of the JSON library.
  static constexpr int kMaxDepth = 64;

  // Decodes a request's HTTP body into its parameter object. Throws RequestError
  // (InvalidJson, InvalidEnvelope, InvalidBase64, BodyNotObject, and WrongParameterType
  // naming the key of an integer outside the signed 64-bit range). `restHeader`
  // receives the request's restHeader as soon as it is known to be an object, so
  // that an error reply can still echo it; it stays untouched otherwise.
  static nlohmann::json decodeRequest(std::string_view httpBody, nlohmann::json& restHeader);

  // Builds a reply's HTTP body. `restHeader` is echoed as given ({} when the
  // request had none); `body` must be an object. "resultCode" is a JSON integer,
  // or its decimal text when `textResultCode` is set.
  static std::string encodeReply(ResultCode code, const std::string& description,
                                 const nlohmann::json& restHeader, const nlohmann::json& body, int64_t costMs,
                                 bool textResultCode = false);

  // Parses JSON text with the depth limit above; returns a discarded value on any failure.
  static nlohmann::json parseLimited(std::string_view text);
};

}  // namespace kerbelin::backend
