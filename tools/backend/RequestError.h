#pragma once

#include <stdexcept>
#include <string>

namespace kerbelin::backend {

// Application result codes carried in the reply envelope's "resultCode". The
// first three digits are the HTTP status the reply is sent with, so a client
// that only looks at one of the two still classifies the error the same way.
enum class ResultCode : int {
  Success = 0,
  BadRequest = 40000,          // the HTTP request itself is malformed
  InvalidJson = 40001,         // the HTTP body is not JSON text
  InvalidEnvelope = 40002,     // not an object, or "body"/"restHeader" missing or mistyped
  InvalidBase64 = 40003,       // the envelope's "body" is not base64 text
  BodyNotObject = 40004,       // the decoded "body" is not the JSON text of an object
  MissingParameter = 40005,    // a required parameter is absent
  WrongParameterType = 40006,  // a parameter has the wrong JSON type
  InvalidParameter = 40007,    // a parameter has the right type but an unusable value
  Unauthorized = 40101,        // the Authorization header is missing or wrong
  UnknownPath = 40401,         // no endpoint at this path
  NotFound = 40402,            // the endpoint exists, the record asked for does not
  MethodNotAllowed = 40501,    // an API path asked with another method than POST
  PayloadTooLarge = 41301,     // the request is larger than the server accepts
  Internal = 50001,
};

int rawValue(ResultCode code);
// The HTTP status a reply with this code is sent with.
int httpStatus(ResultCode code);

// Thrown by request decoding and by the endpoints to end a request with an
// error reply. `description` is the Vietnamese "resultDesc"; `field` names the
// offending parameter when there is one (it is reported in the reply body).
class RequestError : public std::runtime_error {
 public:
  RequestError(ResultCode code, std::string description, std::string field = {});

  ResultCode code() const { return code_; }
  const std::string& description() const { return description_; }
  const std::string& field() const { return field_; }

 private:
  ResultCode code_;
  std::string description_;
  std::string field_;
};

}  // namespace kerbelin::backend
