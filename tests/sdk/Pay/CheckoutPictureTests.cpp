// What the checkout looks like with fixed data: the order, the terms sheet over it and the waiting
// screen, each a reference picture recorded on purpose and checked by eye.

#include "PayTestSupport.h"

namespace kerbelin::test {
namespace {

using CheckoutPicture = PayTest;

TEST_F(CheckoutPicture, OrderTermsSheetAndWaitingScreen) {
  openOrder();
  answer(lastBill(), orderJSON());
  EXPECT_TRUE(looksAsRecorded("checkout-order"));

  const int terms = screen->table.lock()->numberOfSections() - 1;
  screen->table.lock()->scrollToRow({terms, 0}, ios::UITableViewScrollPosition::bottom, false);
  screen->table.lock()->layoutIfNeeded();
  tap(*findIdentified(screen->view(), "termButton"));
  advance(1);
  EXPECT_TRUE(looksAsRecorded("checkout-terms-sheet"));

  screen->presentedViewController()->dismiss(false);
  advance(1);
  tap(*screen->viewPayment.lock());
  advance(1);
  answer(requestsTo(kWaitPath).front(),
         ios::Dictionary{{"orderNo", "DH0001"},
                         {"amount", "520.000 đ"},
                         {"expirationTime", "10:30"},
                         {"expirationDate", "08/12/2026"},
                         {"paymentGuide",
                          "<p><b>Hướng dẫn thanh toán tiền mặt</b></p><ol><li>Đến quầy lễ tân.</li>"
                          "<li>Đọc <b>mã đơn hàng</b>.</li><li>Thanh toán và nhận biên lai.</li></ol>"}});
  EXPECT_TRUE(looksAsRecorded("checkout-waiting"));
}

}  // namespace
}  // namespace kerbelin::test
