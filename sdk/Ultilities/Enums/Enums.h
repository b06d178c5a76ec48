#pragma once

// The server codes and screen states shared by every screen of the framework.
// Enumerations with server codes have `rawValue(e)` and `fromRawValue<E>(text)`;
// the others have `caseName(e)`, the text used in console output.

#include <optional>
#include <string_view>

namespace kerbelin {

// An owned card's status letter as the server sends it.
enum class StatusCard { A, O, E, C, W };

// A card's (or a service's) state in the detail screens.
enum class TypeDetailCard { WaitPay, Expire, UnPaid, Paid };

// The section kinds of the card-detail table.
enum class TypeCellDetailCard { InfomationService, Condition, ConditionWait, Promotion, Infomation, Cover };

// The selected tab of a card's service section: its services, or its usage terms.
enum class TypeDetailCardTabAction { InfoButton, RuleButton };

// The list that opened a card detail.
enum class TypeController { BuyCard, MyCard, MyCode };

// The kinds of a card's rows in the lists.
enum class TypeInfoCard { Cover, Info, Service, Promotion, OtherPromotion };

// The unit a service's limit is counted in.
enum class UnitType { Times, Limit, Day };

// The period of the usage history, sent as "searchType".
enum class SearchType { Tran5, Tran10, Week, Month, Range };

// The kind of a usage-history entry.
enum class TranType { Payment, Usage };

// The store's sort orders, picked on its sort row.
enum class FilterType { Newest, Savest, PriceUp, PriceDown };

std::string_view rawValue(StatusCard value);
std::string_view rawValue(UnitType value);
std::string_view rawValue(SearchType value);
std::string_view rawValue(TranType value);
// The card search's "sort" code for an order ("LASTEST", "SAVING", "PASC", "PDESC").
std::string_view sortCode(FilterType value);

// The case whose raw value is exactly `text` (case-sensitive), or none.
template <class E>
std::optional<E> fromRawValue(std::string_view text);
template <>
std::optional<StatusCard> fromRawValue<StatusCard>(std::string_view text);
template <>
std::optional<UnitType> fromRawValue<UnitType>(std::string_view text);
template <>
std::optional<SearchType> fromRawValue<SearchType>(std::string_view text);
template <>
std::optional<TranType> fromRawValue<TranType>(std::string_view text);

std::string_view caseName(TypeDetailCard value);
std::string_view caseName(TypeCellDetailCard value);
std::string_view caseName(TypeController value);
std::string_view caseName(TypeInfoCard value);

// The one rule from a status letter to a screen state: "A" or "O" is Paid, "E" or "C" is
// Expire, "W" is WaitPay, anything else (lower case, empty, longer text) is UnPaid.
TypeDetailCard typeDetailCardFromStatus(std::string_view status);

}  // namespace kerbelin
