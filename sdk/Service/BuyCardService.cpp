#include <Service/BuyCardService.h>

#include <Service/Domain.h>

namespace kerbelin {

void BuyCardService::getListCategoryBuyCard(const ios::Dictionary& params,
                                            APIService::CompletionHandler completionHandler,
                                            APIService::Failure failure) const {
  APIService::sharedInstance()->httpBodyRequestAPI(Domain::url(Domain::BuyCard::ListCategory), params,
                                                   MethodApi::POST, std::move(completionHandler),
                                                   std::move(failure));
}

void BuyCardService::getListBuyCard(const ios::Dictionary& params,
                                    APIService::CompletionHandler completionHandler,
                                    APIService::Failure failure) const {
  APIService::sharedInstance()->httpBodyRequestAPI(Domain::url(Domain::BuyCard::ListBuyCard), params,
                                                   MethodApi::POST, std::move(completionHandler),
                                                   std::move(failure));
}

}  // namespace kerbelin
