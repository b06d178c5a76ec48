#include <Service/ReplyDecoding.h>

#include <Class/BuyCard/Model/MetaReponse.h>
#include <ObjectMapper/Mapper.h>

#include <utility>

namespace kerbelin {

std::optional<ios::Dictionary> bodyIgnoringResultCode(ios::Dictionary reply) {
  auto meta = ios::mapObject<MetaReponse>(std::move(reply));
  if (!meta) return std::nullopt;
  return std::move(meta->body);
}

std::optional<ios::Dictionary> bodyUnlessResultCodePresentAndNonZero(ios::Dictionary reply) {
  const bool hasCode = reply.is_object() && reply.contains("resultCode");
  auto meta = ios::mapObject<MetaReponse>(std::move(reply));
  if (!meta || (hasCode && meta->resultCode != 0)) return std::nullopt;
  return std::move(meta->body);
}

std::optional<ios::Dictionary> bodyRequiringResultCodeZero(ios::Dictionary reply) {
  auto meta = ios::mapObject<MetaReponse>(std::move(reply));
  if (!meta || meta->resultCode != 0) return std::nullopt;
  return std::move(meta->body).value_or(ios::Dictionary::object());
}

std::optional<std::string> resultDescOfNonZeroCode(ios::Dictionary reply) {
  auto meta = ios::mapObject<MetaReponse>(std::move(reply));
  if (!meta || meta->resultCode == 0 || meta->resultDesc.empty()) return std::nullopt;
  return std::move(meta->resultDesc);
}

}  // namespace kerbelin
