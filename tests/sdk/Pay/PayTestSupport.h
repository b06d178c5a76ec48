#pragma once

// A fixture for the checkout: the screen fixture with a plain screen at the bottom of the navigation
// stack, standing for the card detail from which the router opens the order screen.

#include <Class/Pay/PaymentViewController.h>
#include <Class/Pay/WaitPaymentViewController.h>
#include <Toast/UIViewToast.h>
#include <Ultilities/Handle/HandlePush.h>
#include <support/ScreenTest.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin::test {

inline const char kBillPath[] = "/kerbelin-app/initialization-bill/req";
inline const char kWaitPath[] = "/kerbelin-app/payment-wait/req";

// An order as the back-end creates it.
inline ios::Dictionary orderJSON() {
  ios::Dictionary provider = {{"name", "Hồ bơi Xanh"}, {"headquarterAddress", "12 Lê Lợi, Hà Nội"}, {"logo", ""},
                              {"headquarterPhone", "0241234567"}, {"email", "lienhe@hoboixanh.vn"}};
  return {{"customerName", "Nguyễn Văn An"}, {"customerMobilePhone", "0912345678"},
          {"defCardName", "Thẻ 10 buổi bơi"}, {"cardNo", "KB000123"}, {"amount", 520000}, {"amountVnd", "520.000"},
          {"orderNo", "DH0001"}, {"usageTerms", "<p><b>Điều khoản</b></p><p>Không hoàn tiền.</p>"},
          {"providerDTOs", ios::Dictionary::array({provider})}};
}

class PayTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    caller = ios::UIViewController::create();
    showInNavigation(caller);
    navigation->setNavigationBarHidden(true);
    runUntilIdle();
  }

  void TearDown() override {
    screen.reset();
    ScreenTest::TearDown();
  }

  // Opens the order screen for `code` as the card detail's buy button does, once it has slid in.
  void openOrder(const std::string& code = "PKG-SWIM-10") {
    HandlePush::create()->pushPayment(caller, code);
    screen = top<PaymentViewController>();
    ASSERT_NE(screen, nullptr);
    advance(1);
  }
  std::size_t lastBill() const { return lastRequestTo(kBillPath); }

  std::shared_ptr<ios::UIViewController> caller;
  std::shared_ptr<PaymentViewController> screen;
};

}  // namespace kerbelin::test
