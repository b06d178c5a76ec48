#pragma once

#include "BackendContext.h"
#include "OwnCard.h"

namespace kerbelin::backend {

// The customer's side: owned cards, ordering and paying, QR codes, usage
// history and the payment guide.
class MyCardApi {
 public:
  explicit MyCardApi(BackendContext& context) : context_(context) {}
  void addTo(EndpointTable& table);

  nlohmann::json searchOwnCards(const Params& params) const;  // "/v1/own-card/search/req"
  nlohmann::json ownCardDetail(const Params& params) const;   // "/own-card/detail/req"
  nlohmann::json createBill(const Params& params) const;      // "/initialization-bill/req"
  nlohmann::json paymentWait(const Params& params) const;     // "/payment-wait/req"
  nlohmann::json generateQr(const Params& params) const;      // "/generate-qr/req"
  nlohmann::json history(const Params& params) const;         // "/transaction/history/req"
  nlohmann::json paymentGuide(const Params& params) const;    // "/payment-guide/req"

 private:
  // The card of `mobilePhone` that owns service `code` ("<cardNo>-<n>"), with the service's index.
  std::pair<OwnCard, size_t> ownService(const std::string& code, const std::string& mobilePhone) const;
  std::vector<nlohmann::json> historyEntries(const OwnCard& card, size_t index) const;

  BackendContext& context_;
};

}  // namespace kerbelin::backend
