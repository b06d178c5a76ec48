#include <Service/MethodApi.h>

#include <array>

namespace kerbelin {

namespace {
constexpr std::array kAllMethods = {MethodApi::GET, MethodApi::POST, MethodApi::PUT, MethodApi::DELETE};
}  // namespace

std::string_view rawValue(MethodApi method) {
  switch (method) {
    case MethodApi::GET:
      return "GET";
    case MethodApi::POST:
      return "POST";
    case MethodApi::PUT:
      return "PUT";
    case MethodApi::DELETE:
      return "DELETE";
  }
  return "POST";
}

template <>
std::optional<MethodApi> fromRawValue<MethodApi>(std::string_view text) {
  for (MethodApi method : kAllMethods) {
    if (rawValue(method) == text) return method;
  }
  return std::nullopt;
}

}  // namespace kerbelin
