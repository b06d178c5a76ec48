#include <Ultilities/Enums/Enums.h>

#include <array>
#include <utility>

namespace kerbelin {
namespace {

template <class E, std::size_t N>
using CodeTable = std::array<std::pair<E, std::string_view>, N>;

constexpr CodeTable<StatusCard, 5> kStatusCodes{{{StatusCard::A, "A"},
                                                 {StatusCard::O, "O"},
                                                 {StatusCard::E, "E"},
                                                 {StatusCard::C, "C"},
                                                 {StatusCard::W, "W"}}};

constexpr CodeTable<UnitType, 3> kUnitCodes{
    {{UnitType::Times, "TIMES"}, {UnitType::Limit, "LIMIT"}, {UnitType::Day, "DAY"}}};

constexpr CodeTable<SearchType, 5> kSearchCodes{{{SearchType::Tran5, "5TRAN"},
                                                 {SearchType::Tran10, "10TRAN"},
                                                 {SearchType::Week, "1W"},
                                                 {SearchType::Month, "1MONTH"},
                                                 {SearchType::Range, "RANGE_TIME"}}};

constexpr CodeTable<TranType, 2> kTranCodes{{{TranType::Payment, "PAYMENT"}, {TranType::Usage, "USAGE"}}};

constexpr CodeTable<FilterType, 4> kSortCodes{{{FilterType::Newest, "LASTEST"},
                                               {FilterType::Savest, "SAVING"},
                                               {FilterType::PriceUp, "PASC"},
                                               {FilterType::PriceDown, "PDESC"}}};

template <class E, std::size_t N>
std::string_view codeOf(const CodeTable<E, N>& table, E value) {
  for (const auto& [item, code] : table) {
    if (item == value) return code;
  }
  return {};
}

template <class E, std::size_t N>
std::optional<E> caseOf(const CodeTable<E, N>& table, std::string_view text) {
  for (const auto& [item, code] : table) {
    if (code == text) return item;
  }
  return std::nullopt;
}

}  // namespace

std::string_view rawValue(StatusCard value) {
  return codeOf(kStatusCodes, value);
}
std::string_view rawValue(UnitType value) {
  return codeOf(kUnitCodes, value);
}
std::string_view rawValue(SearchType value) {
  return codeOf(kSearchCodes, value);
}
std::string_view rawValue(TranType value) {
  return codeOf(kTranCodes, value);
}
std::string_view sortCode(FilterType value) {
  return codeOf(kSortCodes, value);
}

template <>
std::optional<StatusCard> fromRawValue<StatusCard>(std::string_view text) {
  return caseOf(kStatusCodes, text);
}
template <>
std::optional<UnitType> fromRawValue<UnitType>(std::string_view text) {
  return caseOf(kUnitCodes, text);
}
template <>
std::optional<SearchType> fromRawValue<SearchType>(std::string_view text) {
  return caseOf(kSearchCodes, text);
}
template <>
std::optional<TranType> fromRawValue<TranType>(std::string_view text) {
  return caseOf(kTranCodes, text);
}

std::string_view caseName(TypeDetailCard value) {
  switch (value) {
    case TypeDetailCard::WaitPay:
      return "WaitPay";
    case TypeDetailCard::Expire:
      return "Expire";
    case TypeDetailCard::UnPaid:
      return "UnPaid";
    case TypeDetailCard::Paid:
      return "Paid";
  }
  return {};
}

std::string_view caseName(TypeCellDetailCard value) {
  switch (value) {
    case TypeCellDetailCard::InfomationService:
      return "InfomationService";
    case TypeCellDetailCard::Condition:
      return "Condition";
    case TypeCellDetailCard::ConditionWait:
      return "ConditionWait";
    case TypeCellDetailCard::Promotion:
      return "Promotion";
    case TypeCellDetailCard::Infomation:
      return "Infomation";
    case TypeCellDetailCard::Cover:
      return "Cover";
  }
  return {};
}

std::string_view caseName(TypeController value) {
  switch (value) {
    case TypeController::BuyCard:
      return "BuyCard";
    case TypeController::MyCard:
      return "MyCard";
    case TypeController::MyCode:
      return "MyCode";
  }
  return {};
}

std::string_view caseName(TypeInfoCard value) {
  switch (value) {
    case TypeInfoCard::Cover:
      return "Cover";
    case TypeInfoCard::Info:
      return "Info";
    case TypeInfoCard::Service:
      return "Service";
    case TypeInfoCard::Promotion:
      return "Promotion";
    case TypeInfoCard::OtherPromotion:
      return "OtherPromotion";
  }
  return {};
}

TypeDetailCard typeDetailCardFromStatus(std::string_view status) {
  if (status == rawValue(StatusCard::A) || status == rawValue(StatusCard::O)) return TypeDetailCard::Paid;
  if (status == rawValue(StatusCard::E) || status == rawValue(StatusCard::C)) return TypeDetailCard::Expire;
  if (status == rawValue(StatusCard::W)) return TypeDetailCard::WaitPay;
  return TypeDetailCard::UnPaid;
}

}  // namespace kerbelin
