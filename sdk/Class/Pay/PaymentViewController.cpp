#include <Class/Pay/PaymentViewController.h>

#include <Class/Pay/Cell/HeaderPaymentTableViewCell.h>
#include <Class/Pay/Cell/InfoPaymentTableViewCell.h>
#include <Class/Pay/Cell/NameCardTableViewCell.h>
#include <Class/Pay/Cell/TermPayTableViewCell.h>
#include <Class/Pay/Cell/TitleCardTableViewCell.h>
#include <Class/Pay/ContainerFloatingTermPayViewController.h>
#include <Class/Pay/Model/PaymentModel.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <Foundation/DispatchQueue.h>
#include <Foundation/URL.h>
#include <ObjectMapper/Mapper.h>
#include <Service/DetailCardService.h>
#include <Service/ReplyDecoding.h>
#include <Toast/UIViewToast.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Handle/HandlePush.h>
#include <Ultilities/Handle/NibBundle.h>
#include <WebImage/UIImageViewWebCache.h>

namespace kerbelin {

namespace {
using Screen = PaymentViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("table", &Screen::table)
                              .property("viewCancel", &Screen::viewCancel)
                              .property("viewPayment", &Screen::viewPayment)
                              .property("defCardCode", &Screen::defCardCode)
                              .method("didSelectPayment:", &Screen::didSelectPayment)
                              .method("didSelectCancel:", &Screen::didSelectCancel)
                              .method("didSelectBack:", &Screen::didSelectBack);

const std::string kNibName = "PaymentViewController";

bool nonEmpty(const std::optional<std::string>& text) {
  return text && !text->empty();
}

void setText(const std::weak_ptr<ios::UILabel>& label, std::optional<std::string> text) {
  if (auto shown = label.lock()) shown->setText(std::move(text));
}

std::shared_ptr<ios::UITableViewCell> fillProvider(const std::shared_ptr<NameCardTableViewCell>& cell,
                                                   const PaymentRow& row) {
  if (auto logo = cell->logoImage.lock()) {
    ios::sd_setImage(*logo, ios::URL::fromString(rowText(row, "logo").value_or("")));
  }
  setText(cell->titleLabel, rowText(row, "name").value_or(""));
  setText(cell->desLabel, rowText(row, "headquarterAddress").value_or(""));
  return cell;
}

std::shared_ptr<ios::UITableViewCell> fillCardName(const std::shared_ptr<TitleCardTableViewCell>& cell,
                                                   const PaymentRow& row) {
  setText(cell->titleLabel, rowText(row, "defCardName").value_or(""));
  return cell;
}

// A value row starts blank on a white panel, so nothing of an earlier row stays; the payment row
// always reads "Tiền mặt" with no value.
std::shared_ptr<ios::UITableViewCell> fillValue(const std::shared_ptr<InfoPaymentTableViewCell>& cell,
                                                const PaymentRow& row, bool isPayment) {
  setText(cell->desLabel, "");
  setText(cell->titleLabel, "");
  if (auto panel = cell->viewContent.lock()) panel->setBackgroundColor(ios::UIColor::white());
  setText(cell->titleLabel, isPayment ? "Tiền mặt" : rowText(row, "title"));
  setText(cell->desLabel, isPayment ? "" : rowText(row, "des"));
  return cell;
}

// The accept-terms sentence: plain black, then the terms' name in bold orange.
std::shared_ptr<ios::NSMutableAttributedString> termsSentence() {
  return Common::createAttributeMessageSimple({{"Bằng việc mua thẻ trả trước này, bạn đã đồng ý với ", false},
                                               {"Điều khoản và điều kiện và chính sách bảo mật", true}},
                                              15, colorWithRGBA("#FF5C37"), ios::UIColor::black());
}
}  // namespace

std::shared_ptr<PaymentViewController> PaymentViewController::create() {
  return std::make_shared<PaymentViewController>();
}

PaymentViewController::PaymentViewController()
    : ios::UIViewController(kNibName, resolveNibBundle(kNibName, nullptr)) {}

void PaymentViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  if (auto cancel = viewCancel.lock()) cancel->layer()->setCornerRadius(4);
  if (auto pay = viewPayment.lock()) pay->layer()->setCornerRadius(4);
  getData();
  initTable();
}

void PaymentViewController::initTable() {
  auto tableView = table.lock();
  if (!tableView) return;
  auto self = sharedAs<PaymentViewController>();
  tableView->setDelegate(std::static_pointer_cast<ios::UITableViewDelegate>(self));
  tableView->setDataSource(std::static_pointer_cast<ios::UITableViewDataSource>(self));
  for (const char* identifier :
       {HeaderPaymentTableViewCell::identifier, InfoPaymentTableViewCell::identifier,
        NameCardTableViewCell::identifier, TitleCardTableViewCell::identifier, TermPayTableViewCell::identifier}) {
    tableView->registerNib(ios::UINib::create(identifier, frameworkBundle()), identifier);
  }
  tableView->separatorColor = ios::UIColor::clear();
}

// ---- Bill

void PaymentViewController::getData() {
  const ios::Dictionary params = {
      {"customerName", nameUser}, {"defCardCode", defCardCode.value_or("")}, {"mobilePhone", phoneUser}};
  auto weak = weakAs<PaymentViewController>();
  DetailCardService::create()->initializationCard(
      params,
      [weak](ios::Dictionary&& reply) {
        if (auto self = weak.lock()) self->applyBill(std::move(reply));
      },
      [weak](const std::string& message) {
        ios::print(message);
        if (auto self = weak.lock()) self->billFailure_ = message;
      });
}

void PaymentViewController::applyBill(ios::Dictionary reply) {
  if (auto refusal = resultDescOfNonZeroCode(reply)) billFailure_ = std::move(*refusal);
  auto body = bodyIgnoringResultCode(std::move(reply));
  if (!body) return;
  auto order = ios::mapObject<PaymentModel>(std::move(*body));
  if (!order) return;
  paymentModel = order;
  sortData(order);
}

void PaymentViewController::sortData(const std::shared_ptr<PaymentModel>& order) {
  if (order) {
    for (auto& section : paymentSections(*order)) dataPayment.push_back(std::move(section));
  }
  if (auto tableView = table.lock()) tableView->reloadData();
}

bool PaymentViewController::orderCreated() const {
  return paymentModel && nonEmpty(paymentModel->orderNo) && nonEmpty(paymentModel->cardNo) &&
         paymentModel->amount.has_value();
}

// ---- Actions

void PaymentViewController::didSelectPayment() {
  if (!checkTerm) {
    ios::makeToast(*view(), termsRequiredMessage);
    return;
  }
  if (!orderCreated()) {
    ios::makeToast(*view(), billFailure_.value_or(orderMissingMessage));
    return;
  }
  // A second tap while the waiting screen slides in must not stack another one.
  auto navigation = navigationController();
  if (navigation && navigation->topViewController().get() != this) return;
  HandlePush::create()->pushWaitPayment(sharedAs<ios::UIViewController>(), paymentModel);
}

void PaymentViewController::didSelectCancel() {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

void PaymentViewController::didSelectBack() {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

// ---- Table

ios::CGFloat PaymentViewController::rowHeight(std::optional<TypeSubPaymentCell> kind) {
  if (!kind) return 0;
  switch (*kind) {
    case TypeSubPaymentCell::Info:
      return 60;
    case TypeSubPaymentCell::Terms:
      return 80;
    case TypeSubPaymentCell::defaultCell:
    case TypeSubPaymentCell::Payment:
    case TypeSubPaymentCell::NameCardBold:
      return 50;
  }
  return 0;
}

std::string PaymentViewController::headerTitle(TypePaymentCell kind) {
  switch (kind) {
    case TypePaymentCell::Supplier:
      return "Nhà cung cấp dịch vụ";
    case TypePaymentCell::InfoOrder:
      return "Thông tin đơn hàng";
    case TypePaymentCell::Guest:
      return "Khách hàng";
    case TypePaymentCell::Payment:
      return "Hình thức thanh toán";
    case TypePaymentCell::Terms:
      return "";
  }
  return "";
}

const PaymentRow* PaymentViewController::rowAt(const ios::IndexPath& indexPath) const {
  if (indexPath.section < 0 || static_cast<std::size_t>(indexPath.section) >= dataPayment.size()) return nullptr;
  const auto& rows = dataPayment[indexPath.section].first;
  if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= rows.size()) return nullptr;
  return &rows[indexPath.row];
}

int PaymentViewController::numberOfSections(ios::UITableView&) {
  return static_cast<int>(dataPayment.size());
}

int PaymentViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  if (section < 0 || static_cast<std::size_t>(section) >= dataPayment.size()) return 0;
  return static_cast<int>(dataPayment[section].first.size());
}

std::shared_ptr<ios::UITableViewCell> PaymentViewController::cellForRowAt(ios::UITableView& tableView,
                                                                          const ios::IndexPath& indexPath) {
  const PaymentRow* row = rowAt(indexPath);
  auto kind = row ? rowKind(*row) : std::nullopt;
  if (!kind) return ios::UITableViewCell::create();
  return cellFor(tableView, *row, *kind, indexPath);
}

std::shared_ptr<ios::UITableViewCell> PaymentViewController::cellFor(ios::UITableView& tableView,
                                                                     const PaymentRow& row, TypeSubPaymentCell kind,
                                                                     const ios::IndexPath& indexPath) {
  switch (kind) {
    case TypeSubPaymentCell::Info:
      return fillProvider(
          tableView.dequeueReusableCell<NameCardTableViewCell>(NameCardTableViewCell::identifier, indexPath),
          row);
    case TypeSubPaymentCell::NameCardBold:
      return fillCardName(tableView.dequeueReusableCell<TitleCardTableViewCell>(
                              TitleCardTableViewCell::identifier, indexPath),
                          row);
    case TypeSubPaymentCell::Terms: {
      auto cell =
          tableView.dequeueReusableCell<TermPayTableViewCell>(TermPayTableViewCell::identifier, indexPath);
      fillTerms(*cell);
      return cell;
    }
    case TypeSubPaymentCell::defaultCell:
    case TypeSubPaymentCell::Payment:
      return fillValue(tableView.dequeueReusableCell<InfoPaymentTableViewCell>(
                           InfoPaymentTableViewCell::identifier, indexPath),
                       row, kind == TypeSubPaymentCell::Payment);
  }
  return ios::UITableViewCell::create();
}

void PaymentViewController::fillTerms(TermPayTableViewCell& cell) {
  if (auto label = cell.titleLabel.lock()) label->setAttributedText(termsSentence());
  auto weak = weakAs<PaymentViewController>();
  cell.checkTerm = [weak](bool accepted) {
    if (auto self = weak.lock()) self->checkTerm = accepted;
  };
  cell.selectGuideTerm = [weak](bool) { presentTerms(weak); };
  // A row made anew (or reused) must show the screen's own acceptance, not its fresh default.
  cell.isCheckTerm = checkTerm;
  cell.setIcon();
}

void PaymentViewController::presentTerms(const std::weak_ptr<PaymentViewController>& screen) {
  ios::DispatchQueue::main().async([screen] {
    auto host = ContainerFloatingTermPayViewController::create();
    auto self = screen.lock();
    host->paymentModel = self ? self->paymentModel : nullptr;
    host->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
    if (self && !self->presentedViewController()) self->present(host, true);
  });
}

ios::CGFloat PaymentViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  const PaymentRow* row = rowAt(indexPath);
  return rowHeight(row ? rowKind(*row) : std::nullopt);
}

std::shared_ptr<ios::UIView> PaymentViewController::viewForHeaderInSection(ios::UITableView& tableView,
                                                                           int section) {
  auto header =
      tableView.dequeueReusableCell<HeaderPaymentTableViewCell>(HeaderPaymentTableViewCell::identifier);
  if (!header) return nullptr;
  setText(header->titleLabel, "");
  if (section >= 0 && static_cast<std::size_t>(section) < dataPayment.size()) {
    setText(header->titleLabel, headerTitle(dataPayment[section].second));
  }
  return header;
}

ios::CGFloat PaymentViewController::heightForHeaderInSection(ios::UITableView&, int section) {
  const bool terms = section >= 0 && static_cast<std::size_t>(section) < dataPayment.size() &&
                     dataPayment[section].second == TypePaymentCell::Terms;
  return terms ? noViewHeight : headerHeight;
}

ios::CGFloat PaymentViewController::heightForFooterInSection(ios::UITableView&, int) {
  return noViewHeight;
}

}  // namespace kerbelin
