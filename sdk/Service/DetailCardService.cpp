#include <Service/DetailCardService.h>

#include <Service/Domain.h>

namespace kerbelin {

namespace {

bool opensOwnedCard(std::optional<TypeController> typeController) {
  return typeController == TypeController::MyCard || typeController == TypeController::MyCode;
}

}  // namespace

void DetailCardService::getDetailCard(const ios::Dictionary& params,
                                      std::optional<TypeController> typeController,
                                      APIService::CompletionHandler completionHandler,
                                      APIService::Failure failure) const {
  std::string_view path =
      opensOwnedCard(typeController) ? Domain::MyCard::DetailMyCard : Domain::BuyCard::DetailBuyCard;
  APIService::post(path, params, std::move(completionHandler), std::move(failure));
}

void DetailCardService::initializationCard(const ios::Dictionary& params,
                                           APIService::CompletionHandler completionHandler,
                                           APIService::Failure failure) const {
  APIService::post(Domain::MyCard::InitializationCard, params, std::move(completionHandler), std::move(failure));
}

void DetailCardService::waitPayment(const ios::Dictionary& params,
                                    APIService::CompletionHandler completionHandler,
                                    APIService::Failure failure) const {
  APIService::post(Domain::MyCard::WaitPayment, params, std::move(completionHandler), std::move(failure));
}

void DetailCardService::getHistoryService(const ios::Dictionary& params,
                                          APIService::CompletionHandler completionHandler,
                                          APIService::Failure failure) const {
  APIService::post(Domain::DetailCard::HistoryService, params, std::move(completionHandler), std::move(failure));
}

void DetailCardService::getTutorialPay(const ios::Dictionary& params,
                                       APIService::CompletionHandler completionHandler,
                                       APIService::Failure failure) const {
  APIService::post(Domain::DetailCard::TutorialPay, params, std::move(completionHandler), std::move(failure));
}

}  // namespace kerbelin
