#include <Ultilities/Common/Common.h>

#include <Foundation/Data.h>
#include <Foundation/JSONSerialization.h>

namespace kerbelin {

std::string Common::convertDictionaryToBase64(const ios::Dictionary& params) {
  if (params.is_null()) return ios::JSONSerialization::data(ios::Dictionary::object()).base64EncodedString();
  return ios::JSONSerialization::data(params).base64EncodedString();
}

std::optional<ios::Dictionary> Common::convertBase64ToDictionary(std::string_view base64Text) {
  std::optional<ios::Data> bytes = ios::Data::fromBase64(base64Text);
  if (!bytes) return std::nullopt;
  std::optional<ios::Dictionary> json = ios::JSONSerialization::jsonObject(*bytes);
  if (!json || !json->is_object()) return std::nullopt;
  return json;
}

TypeDetailCard Common::convertStatusToType(std::string_view status) {
  return typeDetailCardFromStatus(status);
}

}  // namespace kerbelin
