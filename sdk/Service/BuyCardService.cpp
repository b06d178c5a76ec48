#include <Service/BuyCardService.h>

#include <Service/Domain.h>

namespace kerbelin {

void BuyCardService::getListCategoryBuyCard(const ios::Dictionary& params,
                                            APIService::CompletionHandler completionHandler,
                                            APIService::Failure failure) const {
  APIService::post(Domain::BuyCard::ListCategory, params, std::move(completionHandler), std::move(failure));
}

void BuyCardService::getListBuyCard(const ios::Dictionary& params,
                                    APIService::CompletionHandler completionHandler,
                                    APIService::Failure failure) const {
  APIService::post(Domain::BuyCard::ListBuyCard, params, std::move(completionHandler), std::move(failure));
}

}  // namespace kerbelin
