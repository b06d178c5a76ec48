#include "MyCardApi.h"

#include <algorithm>

#include "Catalog.h"
#include "DisplayText.h"
#include "DtoBuilder.h"
#include "OwnCardStore.h"
#include "Paging.h"
#include "RequestError.h"

namespace kerbelin::backend {
namespace {

using nlohmann::json;
using TimePoint = std::chrono::system_clock::time_point;

constexpr size_t kMaxStoredTextBytes = 200;

std::string requiredPhone(const Params& params) {
  const std::string phone = params.requiredString("mobilePhone");
  if (phone.empty()) {
    throw RequestError(ResultCode::InvalidParameter, "Tham số \"mobilePhone\" không được để trống",
                       "mobilePhone");
  }
  return phone;
}

[[noreturn]] void notFound(const std::string& what, const std::string& field) {
  throw RequestError(ResultCode::NotFound, "Không tìm thấy " + what, field);
}

std::string asciiLower(std::string text) {
  for (auto& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The start of the period a history search code names, or none for a count or a range.
std::optional<TimePoint> periodStart(const std::string& searchType, TimePoint now) {
  const CivilTime today = DisplayText::vietnamTime(now);
  const TimePoint midnight = DisplayText::fromVietnamTime(today.year, today.month, today.day);
  if (searchType == "1W") return midnight - std::chrono::days(today.weekday);
  if (searchType == "1MONTH") return DisplayText::fromVietnamTime(today.year, today.month, 1);
  return std::nullopt;
}

}  // namespace

void MyCardApi::addTo(EndpointTable& table) {
  table["/v1/own-card/search/req"] = [this](const Params& p) { return searchOwnCards(p); };
  table["/own-card/detail/req"] = [this](const Params& p) { return ownCardDetail(p); };
  table["/initialization-bill/req"] = [this](const Params& p) { return createBill(p); };
  table["/payment-wait/req"] = [this](const Params& p) { return paymentWait(p); };
  table["/generate-qr/req"] = [this](const Params& p) { return generateQr(p); };
  table["/transaction/history/req"] = [this](const Params& p) { return history(p); };
  table["/payment-guide/req"] = [this](const Params& p) { return paymentGuide(p); };
}

json MyCardApi::searchOwnCards(const Params& params) const {
  const std::string phone = requiredPhone(params);
  const bool paidOnly = params.optionalBool("isPaid", false);
  const std::string keyword = asciiLower(params.optionalString("keySearch"));
  const int64_t pageIndex = params.optionalIntInRange("pageIndex", 1, 0, 1000000);
  const int64_t pageSize = params.optionalIntInRange("pageSize", 10, 1, 100);
  const TimePoint now = context_.now();
  const DtoBuilder dto(context_.catalog, context_.baseURL);
  std::vector<json> cards;
  for (const auto& card : context_.cards.cardsOf(phone)) {
    if (paidOnly && card.status == "W") continue;
    json item = dto.ownCard(card, now);
    if (!keyword.empty() &&
        asciiLower(item["name"].get<std::string>() + " " + card.cardNo).find(keyword) == std::string::npos) {
      continue;
    }
    cards.push_back(std::move(item));
  }
  return {{"ownCardDtos", pageOf(cards, pageIndex, pageSize)},
          {"totalRecord", cards.size()},
          {"pageIndex", pageIndex},
          {"pageSize", pageSize}};
}

json MyCardApi::ownCardDetail(const Params& params) const {
  const std::string cardNo = params.requiredString("cardNo");
  const std::string phone = requiredPhone(params);
  const bool paidOnly = params.optionalBool("isPaid", false);
  const auto card = context_.cards.findByCardNo(cardNo);
  if (!card || card->mobilePhone != phone || (paidOnly && card->status == "W")) {
    notFound("thẻ \"" + cardNo + "\"", "cardNo");
  }
  return {{"ownCardDto", DtoBuilder(context_.catalog, context_.baseURL).ownCard(*card, context_.now())}};
}

json MyCardApi::createBill(const Params& params) const {
  const std::string code = params.requiredString("defCardCode");
  const std::string phone = requiredPhone(params);
  const std::string name = params.optionalString("customerName");
  // Both are kept with the order for the life of the process.
  for (const auto& [key, value] : {std::pair{"mobilePhone", &phone}, std::pair{"customerName", &name}}) {
    if (value->size() > kMaxStoredTextBytes) {
      throw RequestError(ResultCode::InvalidParameter,
                         "Tham số \"" + std::string(key) + "\" dài quá " + std::to_string(kMaxStoredTextBytes) +
                             " byte",
                         key);
    }
  }
  const json* defCard = context_.catalog.defCard(code);
  if (!defCard) notFound("thẻ \"" + code + "\"", "defCardCode");
  const OwnCard card = context_.cards.createOrder(code, phone, name, context_.now());
  const DtoBuilder dto(context_.catalog, context_.baseURL);
  const int64_t amount = (*defCard)["price"];
  json providers = json::array();
  if (const json* provider = context_.catalog.provider((*defCard)["providerId"])) {
    providers.push_back(dto.providerInfo(*provider));
  }
  const json priced = dto.defCard(*defCard);
  return {{"cost", 0},
          {"customerName", name},
          {"customerMobilePhone", phone},
          {"defCardName", (*defCard)["name"]},
          {"defCardCode", code},
          {"cardNo", card.cardNo},
          {"amount", amount},
          {"amountVnd", DisplayText::groupedNumber(amount)},
          {"orderNo", card.orderNo},
          {"transactionCode", card.transactionCode},
          {"usageTerms", priced["usageTerms"]},
          {"providerDTOs", providers}};
}

json MyCardApi::paymentWait(const Params& params) const {
  const std::string orderNo = params.requiredString("orderNo");
  const std::string phone = requiredPhone(params);
  const std::optional<std::string> cardNo =
      params.has("defCardNo") ? std::optional(params.optionalString("defCardNo")) : std::nullopt;
  // Read (and so type-checked) before any record is looked up.
  const bool amountGiven = params.has("amount");
  const int64_t givenAmount = params.optionalInt("amount", 0);
  const auto order = context_.cards.findByOrderNo(orderNo);
  if (!order || order->mobilePhone != phone || order->status != "W") {
    notFound("đơn hàng chờ thanh toán \"" + orderNo + "\"", "orderNo");
  }
  const json& defCard = *context_.catalog.defCard(order->defCardCode);
  const int64_t amount = defCard["price"];
  if (cardNo && *cardNo != order->cardNo) {
    throw RequestError(ResultCode::InvalidParameter, "Số thẻ không khớp với đơn hàng", "defCardNo");
  }
  if (amountGiven && givenAmount != amount) {
    throw RequestError(ResultCode::InvalidParameter, "Số tiền không khớp với đơn hàng", "amount");
  }
  const TimePoint deadline = order->createdAt + std::chrono::hours(24);
  const int64_t providerId = defCard["providerId"];
  return {{"cost", 0},
          {"orderNo", orderNo},
          {"cardNo", order->cardNo},
          {"amount", DisplayText::money(amount)},
          {"amountNumber", amount},
          {"paymentGuide", context_.catalog.paymentGuide(providerId)["paymentGuide"]},
          {"providerIds", json::array({std::to_string(providerId)})},
          {"expirationDate", DisplayText::date(deadline)},
          {"expirationTime", DisplayText::time(deadline)}};
}

json MyCardApi::generateQr(const Params& params) const {
  const std::string phone = requiredPhone(params);
  const std::string serviceCode = params.optionalString("ownServiceCode");
  const std::string cardNo = params.optionalString("cardNo");
  if (!cardNo.empty()) {
    const auto card = context_.cards.findByCardNo(cardNo);
    if (!card || card->mobilePhone != phone) notFound("thẻ \"" + cardNo + "\"", "cardNo");
  }
  if (!serviceCode.empty()) {
    bool known = false;
    for (const auto& card : context_.cards.cardsOf(phone)) {
      if (serviceCode == "OC" + card.cardNo) known = true;
    }
    if (!known) ownService(serviceCode, phone);  // throws when it names no service of this customer
  }
  const TimePoint now = context_.now();
  const int validity = context_.qrValiditySeconds;
  return {{"cost", 0},
          {"resultCode", 0},
          {"resultDesc", "Thành công"},
          {"timeToken", validity},
          {"token", context_.cards.newQrToken()},
          {"ownServiceCode", serviceCode},
          {"expiredTime", DisplayText::timeAndDate(now + std::chrono::seconds(validity))}};
}

std::pair<OwnCard, size_t> MyCardApi::ownService(const std::string& code, const std::string& phone) const {
  const auto dash = code.rfind('-');
  if (dash != std::string::npos && dash + 1 < code.size() && code.size() - dash <= 4) {
    const std::string digits = code.substr(dash + 1);
    if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      const size_t number = std::stoul(digits);
      const auto card = context_.cards.findByCardNo(code.substr(0, dash));
      if (card && card->mobilePhone == phone && number >= 1 &&
          number <= (*context_.catalog.defCard(card->defCardCode))["services"].size()) {
        return {*card, number - 1};
      }
    }
  }
  notFound("dịch vụ \"" + code + "\"", "ownServiceCode");
}

std::vector<json> MyCardApi::historyEntries(const OwnCard& card, size_t index) const {
  const json& defCard = *context_.catalog.defCard(card.defCardCode);
  const json& service = defCard["services"][index];
  const std::string unit = service["unitType"];
  const int64_t limit = service["limit"];
  const json* provider = context_.catalog.provider(defCard["providerId"]);
  const std::string providerName = provider ? (*provider)["name"].get<std::string>() : "";
  const int64_t base =
      (std::stoll("0" + card.cardNo.substr(std::min<size_t>(card.cardNo.size(), 6))) % 100000) * 100;

  struct Entry {
    TimePoint at;
    json dto;
  };
  std::vector<Entry> entries;
  if (!card.paidAt) return {};
  entries.push_back({*card.paidAt,
                     {{"transType", "PAYMENT"},
                      {"amountUnit", "+" + DisplayText::unitAmount(unit, limit)},
                      {"availableAfterUnit", DisplayText::unitAmount(unit, limit)},
                      {"providerName", providerName},
                      {"branchName", ""}}});
  std::vector<Usage> usages;
  if (auto it = card.usages.find(index); it != card.usages.end()) usages = it->second;
  std::stable_sort(usages.begin(), usages.end(), [](const Usage& a, const Usage& b) { return a.at < b.at; });
  const DtoBuilder dto(context_.catalog, context_.baseURL);
  const auto expiration = dto.serviceExpiration(card, index);
  int64_t balance = limit;
  for (const auto& usage : usages) {
    std::string branchName;
    for (const auto& branch : context_.catalog.branches()) {
      if (branch["id"] == usage.branchId) branchName = branch["name"];
    }
    std::string amountText, afterText;
    if (unit == "DAY") {
      const auto left = expiration ? std::chrono::ceil<std::chrono::days>(*expiration - usage.at).count() : 0;
      amountText = "1 lượt";
      afterText = DisplayText::unitAmount(unit, std::clamp<int64_t>(left, 0, limit));
    } else {
      balance = std::max<int64_t>(0, balance - usage.amount);
      amountText = "-" + DisplayText::unitAmount(unit, usage.amount);
      afterText = DisplayText::unitAmount(unit, balance);
    }
    entries.push_back(
        {usage.at,
         {{"transType", "USAGE"},
          {"amountUnit", amountText},
          {"availableAfterUnit", afterText},
          {"providerName", branchName.empty() ? providerName : providerName + " - " + branchName},
          {"branchName", branchName}}});
  }
  std::vector<json> out;
  for (size_t i = 0; i < entries.size(); ++i) {
    json& entry = entries[i].dto;
    entry["id"] = base + int64_t(i) + 1;
    entry["transactionId"] = 700000000 + base + int64_t(i) + 1;
    entry["entryTime"] = DisplayText::date(entries[i].at);
    entry["entryTimeDetail"] = DisplayText::time(entries[i].at) + " - " + DisplayText::date(entries[i].at);
    entry["at"] = std::chrono::duration_cast<std::chrono::seconds>(entries[i].at.time_since_epoch()).count();
    out.push_back(std::move(entry));
  }
  std::reverse(out.begin(), out.end());  // newest first
  return out;
}

json MyCardApi::history(const Params& params) const {
  const std::string phone = requiredPhone(params);
  const std::string code = params.requiredString("ownServiceCode");
  const int64_t pageIndex = params.optionalIntInRange("pageIndex", 1, 0, 1000000);
  const int64_t pageSize = params.optionalIntInRange("pageSize", 10, 1, 100);
  const std::string searchType = params.optionalString("searchType", "5TRAN");
  const std::string startText = params.optionalString("searchStartTime");
  const std::string endText = params.optionalString("searchEndTime");
  if (searchType != "5TRAN" && searchType != "10TRAN" && searchType != "1W" && searchType != "1MONTH" &&
      searchType != "RANGE_TIME") {
    throw RequestError(ResultCode::InvalidParameter,
                       "Tham số \"searchType\" phải là một trong 5TRAN, 10TRAN, 1W, 1MONTH, RANGE_TIME",
                       "searchType");
  }
  std::optional<TimePoint> from, until;
  if (searchType == "RANGE_TIME") {
    auto parse = [](const std::string& text, const char* key) -> std::optional<TimePoint> {
      if (text.empty()) return std::nullopt;
      auto day = DisplayText::parseDate(text);
      if (!day) {
        throw RequestError(ResultCode::InvalidParameter,
                           std::string("Tham số \"") + key + "\" phải có dạng dd/MM/yyyy", key);
      }
      return day;
    };
    from = parse(startText, "searchStartTime");
    until = parse(endText, "searchEndTime");
    if (until) *until += std::chrono::days(1);
    if (from && until && *from >= *until) {
      throw RequestError(ResultCode::InvalidParameter, "Ngày bắt đầu phải trước hoặc bằng ngày kết thúc",
                         "searchStartTime");
    }
  }
  const auto [card, index] = ownService(code, phone);
  const TimePoint now = context_.now();
  if (auto start = periodStart(searchType, now)) from = start;

  std::vector<json> entries;
  for (auto& entry : historyEntries(card, index)) {
    const TimePoint at{std::chrono::seconds(entry["at"].get<int64_t>())};
    entry.erase("at");
    if ((from && at < *from) || (until && at >= *until)) continue;
    entries.push_back(std::move(entry));
  }
  if (searchType == "5TRAN" && entries.size() > 5) entries.resize(5);
  if (searchType == "10TRAN" && entries.size() > 10) entries.resize(10);

  const DtoBuilder dto(context_.catalog, context_.baseURL);
  const json owned = dto.ownCard(card, now)["ownServiceDtos"][index];
  json reply = {{"serviceName", owned["namDefService"]},
                {"ownServiceCode", code},
                {"status", card.status},
                {"expirationDate", owned["expirationDate"]},
                {"unitType", owned["unitType"]},
                {"ownAccountDtos", owned["ownAccountDtos"]},
                {"accountEntryDtos", pageOf(entries, pageIndex, pageSize)},
                {"searchType", searchType},
                {"totalRecord", entries.size()}};
  if (owned.contains("usageDescription")) reply["usageDescription"] = owned["usageDescription"];
  return reply;
}

json MyCardApi::paymentGuide(const Params& params) const {
  const std::string transId = params.requiredString("transId");
  const json* guide = &context_.catalog.generalPaymentGuide();
  if (!transId.empty()) {
    const auto card = context_.cards.findByTransaction(transId);
    if (!card) notFound("giao dịch \"" + transId + "\"", "transId");
    guide = &context_.catalog.paymentGuide((*context_.catalog.defCard(card->defCardCode))["providerId"]);
  }
  return {{"paymentGuideCash", (*guide)["paymentGuideCash"]},
          {"transferInstruction", (*guide)["transferInstruction"]},
          {"paymentGuide", (*guide)["paymentGuide"]},
          {"noteTransfer", (*guide)["noteTransfer"]}};
}

}  // namespace kerbelin::backend
