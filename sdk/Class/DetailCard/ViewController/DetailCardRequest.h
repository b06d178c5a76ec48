#pragma once

#include <Foundation/Dictionary.h>
#include <Ultilities/Enums/Enums.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class BaseModel;
class CardModel;

// The card detail's one request, apart from the screen: the parameters the opening list names the
// card by, the loading overlay while it runs, and the card read from the reply.
//
// The store names a card for sale by its "code" and the answer comes under "defCardDto"; my cards
// and my codes name an owned card by "cardNo" and "mobilePhone" with "isPaid" (true for my codes)
// and the answer comes under "ownCardDto". The reply's "resultCode" is not read: a body holding the
// card is the answer.
class DetailCardRequest {
 public:
  using Done = std::function<void(std::shared_ptr<CardModel>)>;

  // Shows the loading overlay and asks for the card `opener` names. A usable reply hands its card to
  // `done` before the overlay goes; a failure, or a reply without a card, only takes the overlay away.
  static void send(const BaseModel* opener, std::optional<TypeController> from, Done done);

  static ios::Dictionary params(const BaseModel* opener, std::optional<TypeController> from);
  // The body key the card comes under.
  static std::string replyKey(std::optional<TypeController> from);
  // The card under `key` in the reply's body; null when there is none.
  static std::shared_ptr<CardModel> card(ios::Dictionary reply, const std::string& key);
};

}  // namespace kerbelin
