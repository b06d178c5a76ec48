#include <Service/ReplyDecoding.h>

#include <Class/BuyCard/Model/MetaReponse.h>
#include <ObjectMapper/Mapper.h>

#include <utility>

namespace kerbelin {

namespace {

// The reply's own fields without its body, which can be most of the reply and is not read here. A
// value that is not a reply object reads as null, which no rule reads either.
ios::Dictionary envelopeOf(const ios::Dictionary& reply) {
  if (!reply.is_object()) return nullptr;
  ios::Dictionary envelope = ios::Dictionary::object();
  for (const auto& [key, value] : reply.items()) {
    if (key != "body") envelope[key] = value;
  }
  return envelope;
}

}  // namespace

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

std::optional<std::string> resultDescOfNonZeroCode(const ios::Dictionary& reply) {
  auto meta = ios::mapObject<MetaReponse>(envelopeOf(reply));
  if (!meta || meta->resultCode == 0 || meta->resultDesc.empty()) return std::nullopt;
  return std::move(meta->resultDesc);
}

}  // namespace kerbelin
