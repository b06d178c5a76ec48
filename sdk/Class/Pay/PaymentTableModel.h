#pragma once

// The order screen's table model: one section per part of the order, each a list of row
// dictionaries that the screen turns into cells.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kerbelin {

class PaymentModel;

// The kind of a section.
enum class TypePaymentCell { InfoOrder, Guest, Payment, Supplier, Terms };

// The kind of a row, kept under the key "type" of its dictionary.
enum class TypeSubPaymentCell { Info, defaultCell, Payment, NameCardBold, Terms };

// A row: "type" holds its kind; "title", "des", "name", "headquarterAddress", "logo" and
// "defCardName" hold texts, as the kind needs them. A value may be of the other alternative, which
// the screen treats as missing.
using PaymentRow = std::map<std::string, std::variant<std::string, TypeSubPaymentCell>>;
using PaymentSection = std::pair<std::vector<PaymentRow>, TypePaymentCell>;

// The sections an order shows, in this order: the first provider (when there is one), the customer
// (when it has a name or a phone), the order (when it has a number or an amount), then always the
// payment method and the terms. A field that is absent gives "".
std::vector<PaymentSection> paymentSections(const PaymentModel& order);

// The row's kind, or none when "type" is missing or holds a text.
std::optional<TypeSubPaymentCell> rowKind(const PaymentRow& row);
// The row's text under `key`, or none when it is missing or not a text.
std::optional<std::string> rowText(const PaymentRow& row, const std::string& key);

}  // namespace kerbelin
