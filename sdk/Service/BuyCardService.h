#pragma once

#include <Service/APIService.h>

namespace kerbelin {

// The store's requests. Stateless: make one for each request. Every operation posts `params` in the
// request envelope and answers exactly once, on the main queue, as APIService::httpBodyRequestAPI
// describes.
class BuyCardService : public ios::NSObject {
 public:
  static std::shared_ptr<BuyCardService> create() { return std::make_shared<BuyCardService>(); }

  // The store's categories ("/category/req"); the reply's body holds "lstCate".
  void getListCategoryBuyCard(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                              APIService::Failure failure) const;

  // The search of cards for sale ("/v1/def-card/search/req"); the reply's body holds "defCardDtos".
  void getListBuyCard(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                      APIService::Failure failure) const;
};

}  // namespace kerbelin
