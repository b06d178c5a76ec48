#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::backend {

// One use of an owned service at a branch.
struct Usage {
  std::chrono::system_clock::time_point at;
  int64_t amount = 0;  // in the service's unit: uses, money or days
  int64_t branchId = 0;
};

// A card the customer owns: bought (paid, "A"/"O"/"E"/"C") or ordered and
// waiting for payment ("W"). Its services are those of the card for sale
// `defCardCode`; `usages` holds the uses of each, by service index.
struct OwnCard {
  std::string cardNo;
  std::string defCardCode;
  std::string status;
  std::string orderNo;
  std::string transactionCode;
  std::string mobilePhone;
  std::string customerName;
  std::chrono::system_clock::time_point createdAt;  // when the order was made
  std::optional<std::chrono::system_clock::time_point> paidAt;
  std::map<size_t, std::vector<Usage>> usages;
};

}  // namespace kerbelin::backend
