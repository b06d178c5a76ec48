#include <Class/Pay/PaymentTableModel.h>

#include <Class/MyCode/Model/ProvideInforModel.h>
#include <Class/Pay/Model/PaymentModel.h>

namespace kerbelin {

namespace {

using Kind = TypeSubPaymentCell;

bool nonEmpty(const std::optional<std::string>& text) {
  return text && !text->empty();
}

PaymentRow titled(Kind kind, std::string title) {
  return {{"type", kind}, {"title", std::move(title)}};
}

PaymentRow valueRow(std::string title, const std::string& des) {
  return {{"type", Kind::defaultCell}, {"title", std::move(title)}, {"des", des}};
}

PaymentSection supplier(const ProvideInforModel& provider) {
  return {{{{"type", Kind::Info},
            {"name", provider.name},
            {"headquarterAddress", provider.headquarterAddress},
            {"logo", provider.logo}},
           valueRow("Số điện thoại", provider.headquarterPhone),
           valueRow("Email", provider.email)},
          TypePaymentCell::Supplier};
}

}  // namespace

std::vector<PaymentSection> paymentSections(const PaymentModel& order) {
  std::vector<PaymentSection> sections;
  if (order.providerDTOs && !order.providerDTOs->empty() && order.providerDTOs->front()) {
    sections.push_back(supplier(*order.providerDTOs->front()));
  }
  if (nonEmpty(order.customerName) || nonEmpty(order.customerMobilePhone)) {
    sections.push_back({{valueRow("Họ tên", order.customerName.value_or("")),
                         valueRow("Số điện thoại", order.customerMobilePhone.value_or(""))},
                        TypePaymentCell::Guest});
  }
  if (nonEmpty(order.orderNo) || nonEmpty(order.amountVnd)) {
    sections.push_back({{{{"type", Kind::NameCardBold}, {"defCardName", order.defCardName.value_or("")}},
                         valueRow("Mã đơn hàng", order.orderNo.value_or("")),
                         valueRow("Số tiền (VNĐ)", order.amountVnd.value_or(""))},
                        TypePaymentCell::InfoOrder});
  }
  sections.push_back({{titled(Kind::Payment, "Tiền mặt")}, TypePaymentCell::Payment});
  sections.push_back({{titled(Kind::Terms, "Điều khoản")}, TypePaymentCell::Terms});
  return sections;
}

std::optional<TypeSubPaymentCell> rowKind(const PaymentRow& row) {
  auto found = row.find("type");
  if (found == row.end()) return std::nullopt;
  if (const auto* kind = std::get_if<TypeSubPaymentCell>(&found->second)) return *kind;
  return std::nullopt;
}

std::optional<std::string> rowText(const PaymentRow& row, const std::string& key) {
  auto found = row.find(key);
  if (found == row.end()) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&found->second)) return *text;
  return std::nullopt;
}

}  // namespace kerbelin
