#include "DtoBuilder.h"

#include <algorithm>
#include <cmath>

#include "Catalog.h"
#include "DisplayText.h"

namespace kerbelin::backend {
namespace {

using nlohmann::json;

int64_t servicePrice(const json& service) {
  const int64_t unitPrice = service["unitPrice"];
  return service["unitType"] == "LIMIT" ? unitPrice : unitPrice * service["limit"].get<int64_t>();
}

std::string limitDetail(const json& service) {
  if (service.contains("limitDetail")) return service["limitDetail"];
  const std::string unit = service["unitType"];
  const int64_t limit = service["limit"];
  if (unit == "DAY") return "Sử dụng không giới hạn số lần trong " + DisplayText::unitAmount(unit, limit);
  if (unit == "LIMIT") return "Hạn mức chi tiêu " + DisplayText::unitAmount(unit, limit);
  return "Tối đa " + DisplayText::unitAmount(unit, limit) + " sử dụng";
}

std::string relativeExpiry(const json& service) {
  return std::to_string(service["validityDays"].get<int64_t>()) + " ngày kể từ ngày thanh toán";
}

// "KB2611000101" -> "KB26 1100 0101".
std::string spacedCardNo(const std::string& cardNo) {
  std::string out;
  for (size_t i = 0; i < cardNo.size(); ++i) {
    if (i > 0 && i % 4 == 0) out += ' ';
    out += cardNo[i];
  }
  return out;
}

int64_t digitsOf(const std::string& text) {
  int64_t value = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9' && value < 100000000000000LL) value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

DtoBuilder::DtoBuilder(const Catalog& catalog, std::string baseURL)
    : catalog_(catalog), baseURL_(std::move(baseURL)) {}

std::string DtoBuilder::imageURL(const std::string& name) const {
  return baseURL_ + "/images/" + name + ".png";
}

json DtoBuilder::category(const json& record) const {
  return {{"id", record["id"]},
          {"status", record["status"]},
          {"objectType", record["objectType"]},
          {"code", record["code"]},
          {"orderNo", record["orderNo"]},
          {"name", record["name"]},
          {"icon", imageURL(record["icon"])}};
}

json DtoBuilder::providerSummary(int64_t providerId) const {
  const json* provider = catalog_.provider(providerId);
  if (!provider) return {{"id", providerId}};
  return {{"id", providerId},
          {"code", (*provider)["code"]},
          {"name", (*provider)["name"]},
          {"logo", imageURL((*provider)["logo"])}};
}

json DtoBuilder::providerInfo(const json& record) const {
  json info = record;
  info.erase("usageTerms");
  info["logo"] = imageURL(record["logo"]);
  info["image"] = imageURL(record["image"]);
  return info;
}

json DtoBuilder::promotion(const std::string& id) const {
  const json& promotion = *catalog_.promotion(id);
  return {{"id", id},
          {"urlIcon", imageURL(promotion["icon"])},
          {"description", promotion["description"]},
          {"attribute", promotion["attribute"]}};
}

// The price fields shared by a card for sale and an owned card.
json DtoBuilder::priced(const json& card) const {
  const int64_t price = card["price"];
  const int64_t listed = card["listedPrice"];
  const int64_t saving = std::max<int64_t>(0, listed - price);
  const int64_t percent = listed > 0 ? int64_t(std::llround(100.0 * double(saving) / double(listed))) : 0;
  const json* provider = catalog_.provider(card["providerId"]);
  json promotions = json::array();
  for (const auto& id : card.value("promotions", json::array())) promotions.push_back(promotion(id));
  return {
      {"name", card["name"]},
      {"image", imageURL(card["image"])},
      {"description", card["description"]},
      {"usageTerms", card.value("usageTerms", provider ? (*provider)["usageTerms"].get<std::string>() : "")},
      {"price", DisplayText::money(price)},
      {"priceNumber", price},
      {"listedPrice", DisplayText::money(listed)},
      {"listedPriceNumber", listed},
      {"discountValue", DisplayText::money(saving)},
      {"discountValueNumber", saving},
      {"discount", saving > 0 ? "-" + std::to_string(percent) + "%" : ""},
      {"categoryId", card["categoryId"]},
      {"providerDtos", json::array({providerSummary(card["providerId"])})},
      {"promotionDtos", promotions},
      {"templatePromotion", card.value("templatePromotion", "")},
      {"styleDto", {{"rgb", card["rgb"]}}}};
}

json DtoBuilder::defService(const json& card, size_t index) const {
  const json& service = card["services"][index];
  const int64_t price = servicePrice(service);
  const int64_t cardPrice = card["price"], cardListed = card["listedPrice"];
  const int64_t listed = cardPrice > 0 ? price * cardListed / cardPrice / 1000 * 1000 : price;
  const std::string unit = service["unitType"];
  json dto = {{"id", card["id"].get<int64_t>() * 100 + int64_t(index) + 1},
              {"code", service["code"]},
              {"name", service["name"]},
              {"namDefService", service["name"]},
              {"description", service.value("description", "")},
              {"image", imageURL(card["image"])},
              {"unitType", unit},
              {"unitPrice", DisplayText::money(service["unitPrice"])},
              {"price", DisplayText::money(price)},
              {"priceNumber", price},
              {"listedPrice", DisplayText::money(std::max(listed, price))},
              {"listedPriceNumber", std::max(listed, price)},
              {"limitDetailDescription", limitDetail(service)},
              {"expiryDate", relativeExpiry(service)},
              {"expirationDate", ""},
              {"defServiceUnitDtos",
               json::array({{{"id", card["id"].get<int64_t>() * 100 + int64_t(index) + 1},
                             {"unitType", unit},
                             {"limit", service["limit"]},
                             {"displayLimitUnit", DisplayText::unitAmount(unit, service["limit"])}}})},
              {"providerDto", providerSummary(card["providerId"])}};
  if (service.contains("usageDesciption")) dto["usageDesciption"] = service["usageDesciption"];
  return dto;
}

json DtoBuilder::defCard(const json& record) const {
  json dto = priced(record);
  dto["id"] = record["id"];
  dto["code"] = record["code"];
  const std::string published = record["publishedAt"];  // yyyy-MM-dd, checked when loaded
  dto["publishedDate"] = published.substr(8, 2) + "/" + published.substr(5, 2) + "/" + published.substr(0, 4);
  json services = json::array();
  for (size_t i = 0; i < record["services"].size(); ++i) services.push_back(defService(record, i));
  dto["rootService"] = services[0];
  dto["defServiceUnitDtos"] = services[0]["defServiceUnitDtos"];
  dto["defServiceDtos"] = std::move(services);
  return dto;
}

std::optional<DtoBuilder::TimePoint> DtoBuilder::serviceExpiration(const OwnCard& card, size_t index) const {
  const json* defCard = catalog_.defCard(card.defCardCode);
  if (!card.paidAt || !defCard) return std::nullopt;
  return *card.paidAt + std::chrono::days((*defCard)["services"][index]["validityDays"].get<int64_t>());
}

DtoBuilder::Balance DtoBuilder::balance(const OwnCard& card, size_t index, TimePoint now) const {
  const json& service = (*catalog_.defCard(card.defCardCode))["services"][index];
  Balance result;
  result.allocated = service["limit"];
  if (!card.paidAt) {
    result.available = result.allocated;
  } else if (service["unitType"] == "DAY") {
    const auto end = *serviceExpiration(card, index);
    const auto left = std::chrono::ceil<std::chrono::days>(end - std::max(now, *card.paidAt)).count();
    result.available = std::clamp<int64_t>(left, 0, result.allocated);
  } else {
    int64_t used = 0;
    if (auto it = card.usages.find(index); it != card.usages.end()) {
      for (const auto& usage : it->second) used += usage.amount;
    }
    result.available = std::max<int64_t>(0, result.allocated - used);
  }
  if (card.status == "E" || card.status == "C") result.available = 0;
  return result;
}

json DtoBuilder::ownService(const OwnCard& card, const json& defCard, size_t index, TimePoint now) const {
  json dto = defService(defCard, index);
  const json& service = defCard["services"][index];
  const std::string unit = service["unitType"];
  dto.erase("usageDesciption");
  dto.erase("defServiceUnitDtos");
  dto["id"] = digitsOf(card.cardNo) * 10 + int64_t(index) + 1;
  dto["code"] = card.cardNo + "-" + std::to_string(index + 1);
  dto["status"] = card.status;
  const auto expiration = serviceExpiration(card, index);
  dto["expirationDate"] = expiration ? DisplayText::date(*expiration) : "";
  if (service.contains("usageDesciption")) dto["usageDescription"] = service["usageDesciption"];
  const Balance b = balance(card, index, now);
  dto["ownAccountDtos"] = json::array({{{"id", dto["id"]},
                                        {"unitType", unit},
                                        {"allocated", b.allocated},
                                        {"available", b.available},
                                        {"allocatedUnit", DisplayText::unitAmount(unit, b.allocated)},
                                        {"availableUnit", DisplayText::unitAmount(unit, b.available)}}});
  return dto;
}

json DtoBuilder::ownCard(const OwnCard& card, TimePoint now) const {
  const json& defCard = *catalog_.defCard(card.defCardCode);
  json dto = priced(defCard);
  dto["id"] = digitsOf(card.cardNo);
  dto["cardNo"] = card.cardNo;
  dto["cardNoDisplay"] = spacedCardNo(card.cardNo);
  dto["code"] = "OC" + card.cardNo;
  dto["defCardCode"] = card.defCardCode;
  dto["status"] = card.status;
  dto["orderNo"] = card.orderNo;
  dto["transactionCode"] = card.transactionCode;
  dto["paymentTime"] = card.paidAt ? DisplayText::timeAndDate(*card.paidAt) : "";
  dto["paymentExpirationDate"] =
      card.status == "W" ? DisplayText::timeAndDate(card.createdAt + std::chrono::hours(24)) : "";
  dto["purchaseDate"] = DisplayText::date(card.createdAt);
  json services = json::array();
  for (size_t i = 0; i < defCard["services"].size(); ++i)
    services.push_back(ownService(card, defCard, i, now));
  dto["rootService"] = services[0];
  dto["ownServiceDtos"] = std::move(services);
  return dto;
}

json DtoBuilder::branch(const json& record, TimePoint now, bool withProvider) const {
  const json& ward = *catalog_.area(record["wardCode"]);
  const json* district = catalog_.area(ward["parentCode"]);
  const json* province = district ? catalog_.area((*district)["parentCode"]) : nullptr;
  const CivilTime local = DisplayText::vietnamTime(now);
  char clock[8];
  std::snprintf(clock, sizeof clock, "%02d:%02d", local.hour, local.minute);
  const std::string open = record["open"], close = record["close"];
  const bool isOpen = open <= clock && clock < close;
  const int64_t id = record["id"];
  json dto = {{"id", id},
              {"code", record["code"]},
              {"name", record["name"]},
              {"providerId", record["providerId"]},
              {"fullAddress",
               record["street"].get<std::string>() + ", " + ward["fullName"].get<std::string>() + ", " +
                   ward["district"].get<std::string>() + ", " + ward["province"].get<std::string>()},
              {"businessHourDisplay", open + " - " + close + " (" + record["days"].get<std::string>() + ")"},
              {"phone", record["phone"]},
              {"openStatus", isOpen ? "1" : "0"},
              {"location", {{"latitude", record["latitude"]}, {"longitude", record["longitude"]}}},
              {"distance", double((id * 37) % 150) / 10.0 + 0.4},
              {"areaCode", record["wardCode"]},
              {"wardCode", record["wardCode"]},
              {"districtCode", district ? (*district)["areaCode"] : json("")},
              {"provinceCode", province ? (*province)["areaCode"] : json("")}};
  if (withProvider) dto["providerDto"] = providerSummary(record["providerId"]);
  return dto;
}

}  // namespace kerbelin::backend
