#include "RequestError.h"

namespace kerbelin::backend {

int rawValue(ResultCode code) {
  return static_cast<int>(code);
}

int httpStatus(ResultCode code) {
  const int raw = rawValue(code);
  return raw == 0 ? 200 : raw / 100;
}

RequestError::RequestError(ResultCode code, std::string description, std::string field)
    : std::runtime_error(description),
      code_(code),
      description_(std::move(description)),
      field_(std::move(field)) {}

}  // namespace kerbelin::backend
