#include <Ultilities/lib/MLTransitionEncrypt.h>

#include <Foundation/Data.h>
#include <Foundation/NSString.h>

namespace kerbelin {

std::optional<std::string> mlRot13(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (static_cast<unsigned char>(c) > 0x7F) return std::nullopt;  // no ASCII form
    if (c >= 'A' && c <= 'Z') {
      out.push_back(static_cast<char>((c - 'A' + 13) % 26 + 'A'));
    } else if (c >= 'a' && c <= 'z') {
      out.push_back(static_cast<char>((c - 'a' + 13) % 26 + 'a'));
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::optional<std::string> mlEncryptString(std::string_view text) {
  return mlRot13(ios::Data::fromText(text).base64EncodedString());
}

std::optional<std::string> mlDecryptString(std::string_view text) {
  const auto rotated = mlRot13(text);
  if (!rotated) return std::nullopt;
  const auto data = ios::Data::fromBase64(*rotated);
  if (!data || !ios::isValidUTF8(data->bytes)) return std::nullopt;
  return data->bytes;
}

}  // namespace kerbelin
