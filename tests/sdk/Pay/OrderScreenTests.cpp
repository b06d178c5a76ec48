// The order screen as the buyer meets it: the bill request, the sections of an order, the terms
// checkbox and the pay rules, and what happens when the bill never arrives.

#include "PayTestSupport.h"

#include <Class/Pay/Cell/HeaderPaymentTableViewCell.h>
#include <Class/Pay/Cell/InfoPaymentTableViewCell.h>
#include <Class/Pay/Cell/NameCardTableViewCell.h>
#include <Class/Pay/Cell/TermPayTableViewCell.h>
#include <Class/Pay/Cell/TitleCardTableViewCell.h>
#include <Class/Pay/Model/PaymentModel.h>
#include <UIKit/UIImage.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Handle/NibBundle.h>

#include <functional>
#include <sstream>

namespace kerbelin::test {
namespace {

using ios::Dictionary;
using ios::IndexPath;

class OrderScreen : public PayTest {
 protected:
  std::shared_ptr<ios::UITableView> table() const { return screen->table.lock(); }

  std::shared_ptr<ios::UITableViewCell> cellAt(IndexPath indexPath) {
    table()->scrollToRow(indexPath, ios::UITableViewScrollPosition::top, false);
    table()->layoutIfNeeded();
    return table()->cellForRow(indexPath);
  }

  static std::string text(const std::weak_ptr<ios::UILabel>& label) {
    return label.lock()->text().value_or("(none)");
  }

  // One line per section header ("# title @header/footer") and per row ("Kind texts @height").
  std::vector<std::string> shown() {
    std::vector<std::string> lines;
    for (int section = 0; section < table()->numberOfSections(); ++section) {
      table()->scrollToRow({section, 0}, ios::UITableViewScrollPosition::top, false);
      table()->layoutIfNeeded();
      auto header = std::dynamic_pointer_cast<HeaderPaymentTableViewCell>(table()->headerView(section));
      std::ostringstream line;
      line << "# " << (header ? text(header->titleLabel) : "?") << " @" << table()->rectForHeader(section).height()
           << "/" << table()->rectForFooter(section).height();
      lines.push_back(line.str());
      for (int row = 0; row < table()->numberOfRows(section); ++row) lines.push_back(describe({section, row}));
    }
    return lines;
  }

  std::string describe(IndexPath indexPath) {
    auto cell = cellAt(indexPath);
    std::ostringstream line;
    if (auto provider = std::dynamic_pointer_cast<NameCardTableViewCell>(cell)) {
      line << "Provider " << text(provider->titleLabel) << " | " << text(provider->desLabel);
    } else if (auto name = std::dynamic_pointer_cast<TitleCardTableViewCell>(cell)) {
      line << "Card " << text(name->titleLabel);
    } else if (auto info = std::dynamic_pointer_cast<InfoPaymentTableViewCell>(cell)) {
      line << "Info " << text(info->titleLabel) << " | " << text(info->desLabel);
    } else if (std::dynamic_pointer_cast<TermPayTableViewCell>(cell)) {
      line << "Terms";
    } else {
      line << "Plain";
    }
    line << " @" << table()->rectForRow(indexPath).height();
    return line.str();
  }

  std::shared_ptr<TermPayTableViewCell> termsRow() {
    const int last = table()->numberOfSections() - 1;
    return std::dynamic_pointer_cast<TermPayTableViewCell>(cellAt({last, 0}));
  }

  void tapPay() { tap(*screen->viewPayment.lock()); }

  std::shared_ptr<WaitPaymentViewController> waitingScreen() const {
    return std::dynamic_pointer_cast<WaitPaymentViewController>(navigation->topViewController());
  }

  static std::shared_ptr<ios::UIImage> icon(const std::string& name) {
    return ios::UIImage::named(name, frameworkBundle());
  }
};

TEST_F(OrderScreen, BillRequestCarriesTheFixedCustomerAndTheCardCode) {
  openOrder("PKG-SWIM-10");
  auto withoutCode = PaymentViewController::create();
  navigation->pushViewController(withoutCode, false);
  runUntilIdle();

  const auto bills = requestsTo(kBillPath);
  ASSERT_EQ(bills.size(), 2u);
  for (const auto& [index, code] : {std::pair{bills[0], "PKG-SWIM-10"}, std::pair{bills[1], ""}}) {
    EXPECT_EQ(sentParams(index),
              (Dictionary{{"customerName", nameUser}, {"defCardCode", code}, {"mobilePhone", phoneUser}}));
  }
  EXPECT_EQ(screen->numberOfSections(*table()), 0);
}

TEST_F(OrderScreen, ShowsTheSectionsAnOrderHas) {
  Dictionary threeProviders = orderJSON();
  auto& providers = threeProviders["providerDTOs"];
  providers.push_back({{"name", "Hai"}, {"email", "hai@x.vn"}});
  providers.push_back({{"name", "Ba"}});
  Dictionary partial = {{"customerName", ""}, {"customerMobilePhone", "0912345678"}, {"orderNo", ""},
                        {"defCardName", "Không hiện"}, {"providerDTOs", Dictionary::array()}};
  const std::vector<std::string> paymentAndTerms = {"# Hình thức thanh toán @50/0.01", "Info Tiền mặt |  @50",
                                                    "#  @0.01/0.01", "Terms @80"};
  struct Case {
    const char* name;
    Dictionary order;
    std::vector<std::string> head;  // the lines before the payment and terms sections
  };
  const std::vector<Case> cases = {
      {"complete, first provider only", threeProviders,
       {"# Nhà cung cấp dịch vụ @50/0.01", "Provider Hồ bơi Xanh | 12 Lê Lợi, Hà Nội @60",
        "Info Số điện thoại | 0241234567 @50", "Info Email | lienhe@hoboixanh.vn @50", "# Khách hàng @50/0.01",
        "Info Họ tên | Nguyễn Văn An @50", "Info Số điện thoại | 0912345678 @50", "# Thông tin đơn hàng @50/0.01",
        "Card Thẻ 10 buổi bơi @50", "Info Mã đơn hàng | DH0001 @50", "Info Số tiền (VNĐ) | 520.000 @50"}},
      {"phone only, no order number", partial,
       {"# Khách hàng @50/0.01", "Info Họ tên |  @50", "Info Số điện thoại | 0912345678 @50"}},
      {"every field absent", Dictionary::object(), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    openOrder();
    answer(requestsTo(kBillPath).back(), c.order);
    auto expected = c.head;
    expected.insert(expected.end(), paymentAndTerms.begin(), paymentAndTerms.end());
    EXPECT_EQ(shown(), expected);
  }
}

TEST_F(OrderScreen, RowsReadTheirDictionariesDefensively) {
  openOrder();
  using Kind = TypeSubPaymentCell;
  screen->dataPayment = {
      {{{{"type", Kind::Payment}, {"title", "Chuyển khoản"}, {"des", "x"}},
        {{"type", Kind::defaultCell}, {"title", "Họ tên"}},
        {{"type", std::string("Info")}, {"name", "Sai kiểu"}},
        {{"title", "Không có kiểu"}}},
       TypePaymentCell::Guest}};
  table()->reloadData();
  EXPECT_EQ(shown(), (std::vector<std::string>{"# Khách hàng @50/0.01", "Info Tiền mặt |  @50",
                                                "Info Họ tên | (none) @50", "Plain @0", "Plain @0"}));
}

TEST_F(OrderScreen, TermsCheckboxDecidesWhetherPayGoesOn) {
  openOrder();
  answerBill();
  auto row = termsRow();
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->selectButton.lock()->image(ios::UIControl::normal), icon("Icon_dieukhoan-check"));

  tap(*row->selectButton.lock());
  EXPECT_FALSE(screen->checkTerm);
  EXPECT_EQ(row->selectButton.lock()->image(ios::UIControl::normal), icon("Icon_dieukhoan-uncheck"));
  tapPay();
  EXPECT_EQ(toastText(), "Bạn cần chấp nhận điều khoản dịch vụ");
  EXPECT_EQ(navigation->topViewController(), screen);
  advance(4);  // the toast covers the pay control until it has gone

  tap(*row->selectButton.lock());
  EXPECT_TRUE(screen->checkTerm);
  EXPECT_EQ(row->selectButton.lock()->image(ios::UIControl::normal), icon("Icon_dieukhoan-check"));
  tapPay();
  auto waiting = waitingScreen();
  ASSERT_NE(waiting, nullptr);
  EXPECT_EQ(waiting->paymentModel, screen->paymentModel);
}

TEST_F(OrderScreen, FillingTheTermsRowShowsTheScreensAcceptance) {
  openOrder();
  answerBill();
  auto row = termsRow();
  tap(*row->selectButton.lock());
  ASSERT_FALSE(screen->checkTerm);
  row->isCheckTerm = true;  // as a row made anew would start
  table()->reloadData();
  row = termsRow();
  EXPECT_FALSE(row->isCheckTerm);
  EXPECT_EQ(row->selectButton.lock()->image(ios::UIControl::normal), icon("Icon_dieukhoan-uncheck"));
  tap(*row->selectButton.lock());
  EXPECT_TRUE(screen->checkTerm);
}

TEST_F(OrderScreen, PayWithoutACreatedOrderStaysAndSaysWhy) {
  Dictionary withoutCardNo = orderJSON();
  withoutCardNo.erase("cardNo");
  struct Case {
    const char* name;
    std::function<void(std::size_t bill)> outcome;
    std::string toast;
  };
  const std::vector<Case> cases = {
      {"reply still on its way", [](std::size_t) {}, PaymentViewController::orderMissingMessage},
      {"unreadable reply",
       [&](std::size_t bill) {
         ASSERT_TRUE(fake->respond(bill, ios::FakeTransport::reply(502, "<html>Bad gateway</html>")));
         runUntilIdle();
       },
       std::string(APIService::kReplyNotObjectMessage)},
      {"refused by the server",
       [&](std::size_t bill) { answer(bill, Dictionary::object(), 40402, "Không tìm thấy thẻ \"X\""); },
       "Không tìm thấy thẻ \"X\""},
      {"reply without body", [&](std::size_t bill) { answer(bill, std::nullopt); },
       PaymentViewController::orderMissingMessage},
      {"order without card number", [&](std::size_t bill) { answer(bill, withoutCardNo); },
       PaymentViewController::orderMissingMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    openOrder();
    c.outcome(requestsTo(kBillPath).back());
    tapPay();
    EXPECT_EQ(toastText(), c.toast);
    EXPECT_EQ(navigation->topViewController(), screen);
  }
  EXPECT_EQ(requestsTo(kBillPath).size(), cases.size());
  EXPECT_TRUE(requestsTo(kWaitPath).empty());
}

TEST_F(OrderScreen, DoubleTapOnPayOpensOneWaitingScreen) {
  openOrder();
  answerBill();
  touches->tap(centerOf(*screen->viewPayment.lock()));
  touches->tap(centerOf(*screen->viewPayment.lock()));
  screen->didSelectPayment();  // as a second tap that reached the control during the slide would
  advance(1);
  EXPECT_EQ(navigation->viewControllers().size(), 3u);
  EXPECT_NE(waitingScreen(), nullptr);
  EXPECT_EQ(requestsTo(kWaitPath).size(), 1u);
  EXPECT_EQ(requestsTo(kBillPath).size(), 1u);
}

TEST_F(OrderScreen, CancelAndBackReturnAndALateReplyFindsNoScreen) {
  for (const char* control : {"cancel", "back"}) {
    SCOPED_TRACE(control);
    openOrder();
    auto target = std::string(control) == "cancel" ? screen->viewCancel.lock() : find(screen->view(), "btnBack");
    ASSERT_NE(target, nullptr);
    tap(*target);
    EXPECT_TRUE(navigation->isTransitioning());  // animated
    advance(1);
    EXPECT_EQ(navigation->topViewController(), caller);
    target.reset();
    std::weak_ptr<PaymentViewController> gone = screen;
    screen.reset();
    EXPECT_TRUE(gone.expired());
    answer(requestsTo(kBillPath).back(), orderJSON());
    EXPECT_EQ(navigation->topViewController(), caller);
  }
}

}  // namespace
}  // namespace kerbelin::test
