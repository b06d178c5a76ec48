#pragma once

// Every endpoint of the back-end, as a path under "<base>/kerbelin-app". `Domain::url` turns one into
// the address a request is sent to, so the server can be redirected (APIService::setBaseURL) without
// touching the paths.

#include <string>
#include <string_view>

namespace kerbelin {

class Domain {
 public:
  Domain() = delete;

  // The cards for sale.
  struct BuyCard {
    static constexpr std::string_view ListCategory = "/category/req";
    static constexpr std::string_view ListBuyCard = "/v1/def-card/search/req";
    static constexpr std::string_view DetailBuyCard = "/def-card/detail/req";
  };

  // The customer's own cards, their orders and payments, QR codes and providers.
  struct MyCard {
    static constexpr std::string_view ListMyCard = "/v1/own-card/search/req";
    static constexpr std::string_view DetailMyCard = "/own-card/detail/req";
    static constexpr std::string_view InitializationCard = "/initialization-bill/req";
    static constexpr std::string_view WaitPayment = "/payment-wait/req";
    static constexpr std::string_view GenerateQR = "/generate-qr/req";
    static constexpr std::string_view InforService = "/provider/req";
    static constexpr std::string_view ListBranch = "/branch/req";
    static constexpr std::string_view Area = "/area/req";
  };

  // A service's usage history and the payment guide.
  struct DetailCard {
    static constexpr std::string_view HistoryService = "/transaction/history/req";
    static constexpr std::string_view TutorialPay = "/payment-guide/req";
  };

  // "<base>/kerbelin-app<path>" with the base address in force now.
  static std::string url(std::string_view path);
};

}  // namespace kerbelin
