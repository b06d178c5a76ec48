#include <Class/BuyCard/Model/MetaReponse.h>

#include <Class/BuyCard/Model/RedisMetaModel.h>
#include <ObjectMapper/ObjectMapper.h>

#include <charconv>
#include <optional>
#include <string>
#include <system_error>

namespace kerbelin {

namespace {

// The server sends the code as a number or as decimal text ("0"); anything else does not read.
std::optional<std::int64_t> decimalCode(const std::string& text) {
  std::int64_t code = 0;
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, code);
  if (text.empty() || error != std::errc() || next != end) return std::nullopt;
  return code;
}

ios::TransformOf<std::int64_t> resultCodeTransform() {
  return ios::TransformOf<std::int64_t>(
      [](const ios::Dictionary& value) -> std::optional<std::int64_t> {
        if (value.is_string()) return decimalCode(value.get_ref<const std::string&>());
        return ios::JSONValue<std::int64_t>::fromJSON(value);
      },
      [](const std::int64_t& code) -> std::optional<ios::Dictionary> { return ios::Dictionary(code); });
}

}  // namespace

std::shared_ptr<MetaReponse> MetaReponse::create() {
  return std::make_shared<MetaReponse>();
}

void MetaReponse::mapping(ios::Map& map) {
  map("resultCode", resultCode, resultCodeTransform());
  map("resultDesc", resultDesc);
  map("secure", secure);
  map("cost", cost);
  map("body", body);
  map("restHeader", restHeader);
}

}  // namespace kerbelin
