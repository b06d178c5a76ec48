// Any bytes, read as JSON, mapped into the reply envelope and into cards, then written back.
// Nothing may crash, throw or leak, whatever the shapes and types of the values.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/MetaReponse.h>
#include <Class/DetailCard/Model/HistoryModel.h>
#include <Foundation/JSONSerialization.h>
#include <ObjectMapper/Mapper.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

namespace {

void writeBack(const std::shared_ptr<ios::Mappable>& model) {
  if (model) (void)model->toJSONString();
}

void mapCards(const ios::Dictionary& value) {
  for (const auto& card : ios::mapArray<kerbelin::CardModel>(value)) writeBack(card);
  if (auto cards = ios::mapArrayIfAllObjects<kerbelin::CardModel>(value)) {
    for (const auto& card : *cards) writeBack(card);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto parsed = ios::JSONSerialization::read(text, ios::JSONSerialization::ReadingOptions::fragmentsAllowed);
  if (!std::holds_alternative<ios::Dictionary>(parsed)) return 0;
  const ios::Dictionary& json = std::get<ios::Dictionary>(parsed);

  const auto reply = ios::mapObject<kerbelin::MetaReponse>(json);
  writeBack(reply);
  if (reply && reply->body) {
    for (const char* key : {"defCardDtos", "ownCardDtos", "lstCate"}) {
      if (const auto found = reply->body->find(key); found != reply->body->end()) mapCards(*found);
    }
    writeBack(ios::mapObject<kerbelin::CardModel>(reply->body->value("ownCardDto", ios::Dictionary())));
    writeBack(ios::mapObject<kerbelin::HistoryModel>(*reply->body));
  }
  writeBack(ios::mapObject<kerbelin::CardModel>(json));
  writeBack(ios::mapObject<kerbelin::DefServiceDtos>(json));
  mapCards(json);
  return 0;
}
