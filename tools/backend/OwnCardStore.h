#pragma once

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "OwnCard.h"

namespace kerbelin::backend {

class Catalog;

// The customer's owned cards: the seed of the data folder plus the orders made
// while the process runs. Safe to use from several request threads at once;
// every read returns copies.
class OwnCardStore {
 public:
  using TimePoint = std::chrono::system_clock::time_point;

  // Reads "own_cards.json". Its times are relative ("purchasedDaysAgo" with a
  // "purchaseTime", or "createdMinutesAgo" for an order waiting for payment) and
  // are fixed against `now`, so the sample history always looks recent.
  static std::vector<OwnCard> loadSeed(const std::filesystem::path& dataDir, const Catalog& catalog,
                                       TimePoint now);

  // Keeps every seed card and the last `maxOrders` (at least one) orders; an
  // order beyond that drops the oldest one made.
  explicit OwnCardStore(std::vector<OwnCard> seed, size_t maxOrders = 5000);

  // The cards of one phone number, newest order first.
  std::vector<OwnCard> cardsOf(const std::string& mobilePhone) const;
  std::optional<OwnCard> findByCardNo(const std::string& cardNo) const;
  std::optional<OwnCard> findByOrderNo(const std::string& orderNo) const;
  std::optional<OwnCard> findByTransaction(const std::string& transactionCode) const;

  // Records a new order for the card for sale `defCardCode`: a card with status
  // "W" and fresh card, order and transaction numbers.
  OwnCard createOrder(const std::string& defCardCode, const std::string& mobilePhone,
                      const std::string& customerName, TimePoint now);

  // A fresh unguessable token for a QR code (32 hexadecimal digits after "KBQR").
  std::string newQrToken();

 private:
  static std::vector<OwnCard> readSeed(const std::filesystem::path& dataDir, const Catalog& catalog,
                                       TimePoint now);
  bool numberTaken(const std::string& cardNo, const std::string& orderNo) const;

  mutable std::mutex mutex_;
  std::vector<OwnCard> cards_;  // the seed, then the orders, oldest first
  const size_t seedCount_;
  const size_t maxOrders_;
  uint64_t nextSequence_ = 1;
  std::mt19937_64 random_;
};

}  // namespace kerbelin::backend
