#pragma once

#include <Service/APIService.h>

namespace kerbelin {

// The requests about the customer's own cards, QR codes and providers. Stateless: make one for each
// request. Every operation posts `params` in the request envelope and answers exactly once, on the
// main queue, as APIService::httpBodyRequestAPI describes.
class MyCardService : public ios::NSObject {
 public:
  static std::shared_ptr<MyCardService> create() { return std::make_shared<MyCardService>(); }

  // The search of owned cards ("/v1/own-card/search/req"); the reply's body holds "ownCardDtos".
  void getListMyCard(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                     APIService::Failure failure) const;

  // A QR token for the customer or one service ("/generate-qr/req"); the reply's body is the token.
  void generateQRCard(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                      APIService::Failure failure) const;

  // One owned card ("/own-card/detail/req"); the reply's body holds "ownCardDto".
  void getDetailMyCard(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                       APIService::Failure failure) const;

  // A provider's record ("/provider/req"); the reply's body holds "list".
  void getInforService(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                       APIService::Failure failure) const;

  // A page of a provider's branches ("/branch/req"); the reply's body holds "list".
  void getListBranch(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                     APIService::Failure failure) const;

  // Provinces, districts or wards ("/area/req"); the reply's body holds "listArea".
  void getArea(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
               APIService::Failure failure) const;
};

}  // namespace kerbelin
