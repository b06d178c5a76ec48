#pragma once

#include <Ultilities/Enums/Enums.h>

#include <optional>
#include <string_view>

namespace kerbelin {

// The HTTP method of a request; the raw value is the method's name on the wire. Every endpoint of
// the back-end takes POST.
enum class MethodApi { GET, POST, PUT, DELETE };

std::string_view rawValue(MethodApi method);

// The method whose raw value is exactly `text` ("POST", not "post"), or none.
template <>
std::optional<MethodApi> fromRawValue<MethodApi>(std::string_view text);

}  // namespace kerbelin
