#include <Foundation/JSONSerialization.h>

namespace ios {

std::optional<Dictionary> JSONSerialization::jsonObject(const Data& data) {
  // allow_exceptions = false turns every parse error (bad UTF-8 included) into a discarded value.
  Dictionary value = Dictionary::parse(data.bytes, nullptr, /*allow_exceptions=*/false);
  if (value.is_discarded()) return std::nullopt;
  if (!value.is_object() && !value.is_array()) return std::nullopt;
  return value;
}

Data JSONSerialization::data(const Dictionary& withJSONObject) {
  return Data(withJSONObject.dump(-1, ' ', false, Dictionary::error_handler_t::replace));
}

}  // namespace ios
