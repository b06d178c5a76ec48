#include <Class/DetailCard/ViewController/DetailCardRequest.h>

#include <Class/BuyCard/Model/BaseModel.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <ObjectMapper/Mapper.h>
#include <Service/DetailCardService.h>
#include <Service/ReplyDecoding.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/lib/WSLoadingView.h>

namespace kerbelin {

void DetailCardRequest::send(const BaseModel* opener, std::optional<TypeController> from, Done done) {
  const auto overlay = WSLoadingView::show();
  DetailCardService::create()->getDetailCard(
      params(opener, from), from,
      [key = replyKey(from), overlay, done = std::move(done)](ios::Dictionary&& reply) {
        if (auto found = card(std::move(reply), key)) done(std::move(found));
        WSLoadingView::hideWithAnimation(overlay);
      },
      [overlay](const std::string&) { WSLoadingView::hideWithAnimation(overlay); });
}

ios::Dictionary DetailCardRequest::params(const BaseModel* opener, std::optional<TypeController> from) {
  if (from == TypeController::BuyCard) return {{"code", opener ? opener->code : ""}};
  return {{"cardNo", opener ? opener->cardNo : ""}, {"mobilePhone", phoneUser}, {"isPaid", from == TypeController::MyCode}};
}

std::string DetailCardRequest::replyKey(std::optional<TypeController> from) {
  return from == TypeController::BuyCard ? "defCardDto" : "ownCardDto";
}

std::shared_ptr<CardModel> DetailCardRequest::card(ios::Dictionary reply, const std::string& key) {
  auto body = bodyIgnoringResultCode(std::move(reply));
  if (!body) return nullptr;
  auto entry = body->find(key);
  if (entry == body->end() || !entry->is_object()) return nullptr;
  return ios::mapObject<CardModel>(std::move(*entry));
}

}  // namespace kerbelin
