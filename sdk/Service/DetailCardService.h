#pragma once

#include <Service/APIService.h>
#include <Ultilities/Enums/Enums.h>

#include <optional>

namespace kerbelin {

// The requests of the card detail, the checkout and the service history. Stateless: make one for
// each request. Every operation posts `params` in the request envelope and answers exactly once, on
// the main queue, as APIService::httpBodyRequestAPI describes.
class DetailCardService : public ios::NSObject {
 public:
  static std::shared_ptr<DetailCardService> create() { return std::make_shared<DetailCardService>(); }

  // A card's detail: an owned card ("/own-card/detail/req", body key "ownCardDto") when the detail
  // was opened from my cards or my codes, otherwise a card for sale ("/def-card/detail/req", body key
  // "defCardDto"), also when no list is given.
  void getDetailCard(const ios::Dictionary& params, std::optional<TypeController> typeController,
                     APIService::CompletionHandler completionHandler, APIService::Failure failure) const;

  // Creates the order (bill) for a card ("/initialization-bill/req").
  void initializationCard(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                          APIService::Failure failure) const;

  // The payment awaiting the customer ("/payment-wait/req").
  void waitPayment(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                   APIService::Failure failure) const;

  // A service's usage history for a period ("/transaction/history/req").
  void getHistoryService(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                         APIService::Failure failure) const;

  // The payment guide ("/payment-guide/req").
  void getTutorialPay(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                      APIService::Failure failure) const;
};

}  // namespace kerbelin
