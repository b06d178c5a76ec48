#pragma once

// Light text scrambling used to keep a handler name out of plain sight among the constants: ROT13
// over ASCII letters, and base64 wrapped in ROT13. Each free function stands for the string member of
// the same name.

#include <optional>
#include <string>
#include <string_view>

namespace kerbelin {

// Letters A-Z and a-z turned 13 places, every other byte copied. Nullopt when the text is not ASCII.
std::optional<std::string> mlRot13(std::string_view text);
// The UTF-8 bytes as base64 text, then ROT13.
std::optional<std::string> mlEncryptString(std::string_view text);
// ROT13, then base64-decoded and read as UTF-8; nullopt when either step fails.
std::optional<std::string> mlDecryptString(std::string_view text);

}  // namespace kerbelin
