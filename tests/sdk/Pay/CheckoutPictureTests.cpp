// What the checkout looks like with fixed data: the order, the terms sheet over it and the waiting
// screen, each a reference picture recorded on purpose and checked by eye.

#include "PayTestSupport.h"

#include <QuartzCore/Renderer.h>
#include <support/ReferenceImage.h>

namespace kerbelin::test {
namespace {

class CheckoutPicture : public PayTest {
 protected:
  bool matches(const std::string& reference) {
    runUntilIdle();
    window->layoutIfNeeded();
    auto picture = ios::Renderer::renderImage(*window->layer(), 1);
    return picture && ios::test::matchesReference(*picture, reference);
  }
};

TEST_F(CheckoutPicture, OrderTermsSheetAndWaitingScreen) {
  openOrder();
  answer(lastBill(), orderJSON());
  EXPECT_TRUE(matches("checkout-order"));

  const int terms = screen->table.lock()->numberOfSections() - 1;
  screen->table.lock()->scrollToRow({terms, 0}, ios::UITableViewScrollPosition::bottom, false);
  screen->table.lock()->layoutIfNeeded();
  tap(*find(screen->view(), "termButton"));
  advance(1);
  EXPECT_TRUE(matches("checkout-terms-sheet"));

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
  EXPECT_TRUE(matches("checkout-waiting"));
}

}  // namespace
}  // namespace kerbelin::test
