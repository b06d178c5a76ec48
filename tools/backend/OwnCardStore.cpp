#include "OwnCardStore.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "Catalog.h"
#include "DisplayText.h"

namespace kerbelin::backend {
namespace {

using nlohmann::json;
constexpr const char* kDefaultPhone = "0912345678";
constexpr const char* kDefaultName = "Nguyễn Văn An";

// "HH:mm" of a seed record, as hours and minutes.
std::pair<int, int> clockTime(const json& record, const char* key, const std::string& file) {
  const std::string text = record.value(key, std::string("09:00"));
  int h = 0, m = 0;
  if (std::sscanf(text.c_str(), "%d:%d", &h, &m) != 2 || h < 0 || h > 23 || m < 0 || m > 59) {
    throw std::runtime_error(file + ": bad time " + text);
  }
  return {h, m};
}

// The moment `daysAgo` days before `now`'s Vietnamese date, at the record's time.
OwnCardStore::TimePoint daysBefore(OwnCardStore::TimePoint now, int64_t daysAgo, std::pair<int, int> hm) {
  const CivilTime today = DisplayText::vietnamTime(now);
  const auto midnight = DisplayText::fromVietnamTime(today.year, today.month, today.day);
  return midnight - std::chrono::days(daysAgo) + std::chrono::hours(hm.first) +
         std::chrono::minutes(hm.second);
}

std::string dayStamp(OwnCardStore::TimePoint moment) {
  const CivilTime c = DisplayText::vietnamTime(moment);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", c.year, c.month, c.day);
  return buffer;
}

}  // namespace

std::vector<OwnCard> OwnCardStore::loadSeed(const std::filesystem::path& dataDir, const Catalog& catalog,
                                            TimePoint now) {
  try {
    return readSeed(dataDir, catalog, now);
  } catch (const json::exception& e) {  // a value of an unexpected type in the file
    throw std::runtime_error((dataDir / "own_cards.json").string() + ": " + e.what());
  }
}

std::vector<OwnCard> OwnCardStore::readSeed(const std::filesystem::path& dataDir, const Catalog& catalog,
                                            TimePoint now) {
  const auto file = (dataDir / "own_cards.json").string();
  const json document = readDataFile(dataDir / "own_cards.json");
  if (!document.is_array()) throw std::runtime_error(file + ": the top level must be an array");
  std::vector<OwnCard> cards;
  for (const auto& record : document) {
    OwnCard card;
    try {
      card.cardNo = record.at("cardNo").get<std::string>();
      card.defCardCode = record.at("defCardCode").get<std::string>();
      card.status = record.at("status").get<std::string>();
      card.orderNo = record.at("orderNo").get<std::string>();
      card.transactionCode = record.at("transactionCode").get<std::string>();
      card.mobilePhone = record.value("mobilePhone", std::string(kDefaultPhone));
      card.customerName = record.value("customerName", std::string(kDefaultName));
    } catch (const json::exception& e) {
      throw std::runtime_error(file + ": " + e.what());
    }
    const json* defCard = catalog.defCard(card.defCardCode);
    if (!defCard) throw std::runtime_error(file + ": unknown defCardCode " + card.defCardCode);
    if (card.status == "W") {
      card.createdAt = now - std::chrono::minutes(record.value("createdMinutesAgo", int64_t(30)));
    } else {
      card.paidAt = daysBefore(now, record.value("purchasedDaysAgo", int64_t(1)),
                               clockTime(record, "purchaseTime", file));
      card.createdAt = *card.paidAt - std::chrono::minutes(5);
    }
    const json usages = record.value("usages", json::array());
    if (!usages.is_array())
      throw std::runtime_error(file + ": usages of " + card.cardNo + " must be an array");
    for (const auto& usage : usages) {
      const auto index = usage.value("service", int64_t(0));
      if (index < 0 || size_t(index) >= (*defCard)["services"].size()) {
        throw std::runtime_error(file + ": usage of a missing service in " + card.cardNo);
      }
      card.usages[size_t(index)].push_back(
          Usage{daysBefore(now, usage.value("daysAgo", int64_t(0)), clockTime(usage, "time", file)),
                usage.value("amount", int64_t(1)), usage.value("branchId", int64_t(0))});
    }
    cards.push_back(std::move(card));
  }
  return cards;
}

OwnCardStore::OwnCardStore(std::vector<OwnCard> seed, size_t maxOrders)
    : cards_(std::move(seed)), seedCount_(cards_.size()), maxOrders_(std::max<size_t>(1, maxOrders)), random_(std::random_device{}()) {}

std::vector<OwnCard> OwnCardStore::cardsOf(const std::string& mobilePhone) const {
  std::vector<OwnCard> out;
  {
    std::lock_guard lock(mutex_);
    for (const auto& card : cards_) {
      if (card.mobilePhone == mobilePhone) out.push_back(card);
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const OwnCard& a, const OwnCard& b) { return a.createdAt > b.createdAt; });
  return out;
}

std::optional<OwnCard> OwnCardStore::findByCardNo(const std::string& cardNo) const {
  std::lock_guard lock(mutex_);
  for (const auto& card : cards_) {
    if (card.cardNo == cardNo) return card;
  }
  return std::nullopt;
}

std::optional<OwnCard> OwnCardStore::findByOrderNo(const std::string& orderNo) const {
  std::lock_guard lock(mutex_);
  for (const auto& card : cards_) {
    if (card.orderNo == orderNo) return card;
  }
  return std::nullopt;
}

std::optional<OwnCard> OwnCardStore::findByTransaction(const std::string& transactionCode) const {
  std::lock_guard lock(mutex_);
  for (const auto& card : cards_) {
    if (card.transactionCode == transactionCode) return card;
  }
  return std::nullopt;
}

bool OwnCardStore::numberTaken(const std::string& cardNo, const std::string& orderNo) const {
  return std::any_of(cards_.begin(), cards_.end(),
                     [&](const OwnCard& c) { return c.cardNo == cardNo || c.orderNo == orderNo; });
}

OwnCard OwnCardStore::createOrder(const std::string& defCardCode, const std::string& mobilePhone,
                                  const std::string& customerName, TimePoint now) {
  std::lock_guard lock(mutex_);
  const std::string day = dayStamp(now);
  OwnCard card;
  do {
    char sequence[16];
    std::snprintf(sequence, sizeof sequence, "%04llu",
                  static_cast<unsigned long long>(nextSequence_++ % 10000));
    card.cardNo = "KB" + day.substr(2) + sequence;
    card.orderNo = "DH" + day + sequence;
    card.transactionCode = "GD" + day + sequence;
  } while (numberTaken(card.cardNo, card.orderNo));
  card.defCardCode = defCardCode;
  card.status = "W";
  card.mobilePhone = mobilePhone;
  card.customerName = customerName;
  card.createdAt = now;
  if (cards_.size() - seedCount_ >= maxOrders_) cards_.erase(cards_.begin() + static_cast<std::ptrdiff_t>(seedCount_));
  cards_.push_back(card);
  return card;
}

std::string OwnCardStore::newQrToken() {
  std::lock_guard lock(mutex_);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "KBQR%016llX%016llX", static_cast<unsigned long long>(random_()),
                static_cast<unsigned long long>(random_()));
  return buffer;
}

}  // namespace kerbelin::backend
