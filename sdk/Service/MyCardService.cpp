#include <Service/MyCardService.h>

#include <Service/Domain.h>

namespace kerbelin {

void MyCardService::getListMyCard(const ios::Dictionary& params,
                                  APIService::CompletionHandler completionHandler,
                                  APIService::Failure failure) const {
  APIService::post(Domain::MyCard::ListMyCard, params, std::move(completionHandler), std::move(failure));
}

void MyCardService::generateQRCard(const ios::Dictionary& params,
                                   APIService::CompletionHandler completionHandler,
                                   APIService::Failure failure) const {
  APIService::post(Domain::MyCard::GenerateQR, params, std::move(completionHandler), std::move(failure));
}

void MyCardService::getDetailMyCard(const ios::Dictionary& params,
                                    APIService::CompletionHandler completionHandler,
                                    APIService::Failure failure) const {
  APIService::post(Domain::MyCard::DetailMyCard, params, std::move(completionHandler), std::move(failure));
}

void MyCardService::getInforService(const ios::Dictionary& params,
                                    APIService::CompletionHandler completionHandler,
                                    APIService::Failure failure) const {
  APIService::post(Domain::MyCard::InforService, params, std::move(completionHandler), std::move(failure));
}

void MyCardService::getListBranch(const ios::Dictionary& params,
                                  APIService::CompletionHandler completionHandler,
                                  APIService::Failure failure) const {
  APIService::post(Domain::MyCard::ListBranch, params, std::move(completionHandler), std::move(failure));
}

void MyCardService::getArea(const ios::Dictionary& params, APIService::CompletionHandler completionHandler,
                            APIService::Failure failure) const {
  APIService::post(Domain::MyCard::Area, params, std::move(completionHandler), std::move(failure));
}

}  // namespace kerbelin
