// The order screen as the buyer meets it: the bill request, the sections of an order, the terms
// checkbox and the pay rules, and what happens when the bill never arrives.

#include "PayTestSupport.h"

#include <Class/Pay/Cell/HeaderPaymentTableViewCell.h>
#include <Class/Pay/Cell/InfoPaymentTableViewCell.h>
#include <Class/Pay/Cell/NameCardTableViewCell.h>
#include <Class/Pay/Cell/TermPayTableViewCell.h>
#include <Class/Pay/Cell/TitleCardTableViewCell.h>
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

  std::shared_ptr<ios::UITableViewCell> cellAt(IndexPath indexPath) { return rowOf(*table(), indexPath); }

  static std::string text(const std::weak_ptr<ios::UILabel>& label) {
    return label.lock()->text().value_or("(none)");
  }

  // One line per section ("# title @header/footer height") and per row ("Kind texts @height").
  std::vector<std::string> shown() {
    std::vector<std::string> lines;
    for (int section = 0; section < table()->numberOfSections(); ++section) {
      cellAt({section, 0});
      auto header = std::dynamic_pointer_cast<HeaderPaymentTableViewCell>(table()->headerView(section));
      std::ostringstream line;
      line << "# " << text(header->titleLabel) << " @" << table()->rectForHeader(section).height() << "/"
           << table()->rectForFooter(section).height();
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
    } else {
      line << (std::dynamic_pointer_cast<TermPayTableViewCell>(cell) ? "Terms" : "Plain");
    }
    line << " @" << table()->rectForRow(indexPath).height();
    return line.str();
  }

  std::shared_ptr<TermPayTableViewCell> termsRow() {
    return rowOf<TermPayTableViewCell>(*table(), {table()->numberOfSections() - 1, 0});
  }
  static bool ticked(const TermPayTableViewCell& row) {
    auto image = row.selectButton.lock()->image(ios::UIControl::normal);
    EXPECT_NE(image, nullptr);
    return image == ios::UIImage::named("Icon_dieukhoan-check", frameworkBundle());
  }

  void tapPay() { tap(*screen->viewPayment.lock()); }
  std::string toastText() const {
    auto toast = ios::activeToast(*screen->view());
    return toast ? toast->message() : "";
  }
};

TEST_F(OrderScreen, BillRequestCarriesTheFixedCustomerAndTheCardCode) {
  openOrder("PKG-SWIM-10");
  navigation->pushViewController(PaymentViewController::create(), false);  // no code given
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
  threeProviders["providerDTOs"].push_back({{"name", "Hai"}, {"email", "hai@x.vn"}});
  threeProviders["providerDTOs"].push_back({{"name", "Ba"}});
  const Dictionary phoneOnly = {{"customerName", ""}, {"customerMobilePhone", "0912345678"}, {"orderNo", ""},
                                {"defCardName", "Không hiện"}, {"providerDTOs", Dictionary::array()}};
  const std::vector<std::pair<Dictionary, std::vector<std::string>>> cases = {
      {threeProviders,
       {"# Nhà cung cấp dịch vụ @50/0.01", "Provider Hồ bơi Xanh | 12 Lê Lợi, Hà Nội @60",
        "Info Số điện thoại | 0241234567 @50", "Info Email | lienhe@hoboixanh.vn @50", "# Khách hàng @50/0.01",
        "Info Họ tên | Nguyễn Văn An @50", "Info Số điện thoại | 0912345678 @50", "# Thông tin đơn hàng @50/0.01",
        "Card Thẻ 10 buổi bơi @50", "Info Mã đơn hàng | DH0001 @50", "Info Số tiền (VNĐ) | 520.000 @50"}},
      {phoneOnly, {"# Khách hàng @50/0.01", "Info Họ tên |  @50", "Info Số điện thoại | 0912345678 @50"}},
      {Dictionary::object(), {}},
  };
  for (auto [order, expected] : cases) {
    SCOPED_TRACE(order.dump());
    openOrder();
    answer(lastBill(), order);
    for (const char* line : {"# Hình thức thanh toán @50/0.01", "Info Tiền mặt |  @50", "#  @0.01/0.01", "Terms @80"})
      expected.push_back(line);
    EXPECT_EQ(shown(), expected);
  }
}

TEST_F(OrderScreen, RowsReadTheirDictionariesDefensively) {
  openOrder();
  using Kind = TypeSubPaymentCell;
  screen->dataPayment = {{{{{"type", Kind::Payment}, {"title", "Chuyển khoản"}, {"des", "x"}},
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
  answer(lastBill(), orderJSON());
  auto row = termsRow();
  EXPECT_TRUE(ticked(*row));
  tap(*row->selectButton.lock());
  EXPECT_FALSE(screen->checkTerm);
  EXPECT_FALSE(ticked(*row));
  tapPay();
  EXPECT_EQ(toastText(), "Bạn cần chấp nhận điều khoản dịch vụ");
  EXPECT_EQ(navigation->topViewController(), screen);
  advance(4);  // the toast covers the pay control until it has gone

  // A row filled again shows the screen's acceptance, whatever the row held (a new row starts ticked).
  row->isCheckTerm = true;
  table()->reloadData();
  row = termsRow();
  EXPECT_FALSE(ticked(*row));
  tap(*row->selectButton.lock());
  EXPECT_TRUE(screen->checkTerm);
  EXPECT_TRUE(ticked(*row));
  tapPay();
  auto waiting = top<WaitPaymentViewController>();
  ASSERT_NE(waiting, nullptr);
  EXPECT_EQ(waiting->paymentModel, screen->paymentModel);
}

TEST_F(OrderScreen, PayWithoutACreatedOrderStaysAndSaysWhy) {
  Dictionary withoutCardNo = orderJSON();
  withoutCardNo.erase("cardNo");
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[] {}, PaymentViewController::orderMissingMessage},  // the reply is still on its way
      {[&] { fake->respond(lastBill(), ios::FakeTransport::reply(502, "<html>Bad gateway</html>")); },
       std::string(APIService::kReplyNotObjectMessage)},
      {[&] { answer(lastBill(), Dictionary::object(), 40402, "Không tìm thấy thẻ"); }, "Không tìm thấy thẻ"},
      {[&] { answer(lastBill(), std::nullopt); }, PaymentViewController::orderMissingMessage},
      {[&] { answer(lastBill(), withoutCardNo); }, PaymentViewController::orderMissingMessage},
  };
  for (const auto& [outcome, toast] : cases) {
    SCOPED_TRACE(toast);
    openOrder();
    outcome();
    runUntilIdle();
    tapPay();
    EXPECT_EQ(toastText(), toast);
    EXPECT_EQ(navigation->topViewController(), screen);
  }
  EXPECT_EQ(requestsTo(kBillPath).size(), cases.size());
  EXPECT_TRUE(requestsTo(kWaitPath).empty());
}

TEST_F(OrderScreen, DoubleTapOnPayOpensOneWaitingScreen) {
  openOrder();
  answer(lastBill(), orderJSON());
  tapPay();
  tapPay();
  screen->didSelectPayment();  // as a second tap that reached the control during the slide would
  advance(1);
  EXPECT_EQ(navigation->viewControllers().size(), 3u);
  EXPECT_EQ(requestsTo(kWaitPath).size(), 1u);
  EXPECT_EQ(requestsTo(kBillPath).size(), 1u);
}

TEST_F(OrderScreen, CancelAndBackReturnAndALateReplyFindsNoScreen) {
  for (const char* control : {"cancel", "btnBack"}) {
    SCOPED_TRACE(control);
    openOrder();
    tap(std::string(control) == "cancel" ? *screen->viewCancel.lock() : *findIdentified(screen->view(), control));
    EXPECT_TRUE(navigation->isTransitioning());  // animated
    advance(1);
    EXPECT_EQ(navigation->topViewController(), caller);
    std::weak_ptr<PaymentViewController> gone = screen;
    screen.reset();
    EXPECT_TRUE(gone.expired());
    answer(lastBill(), orderJSON());
    EXPECT_EQ(navigation->topViewController(), caller);
  }
}

}  // namespace
}  // namespace kerbelin::test
