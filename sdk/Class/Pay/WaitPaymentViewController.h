#pragma once

#include <Foundation/Dictionary.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <string>

namespace kerbelin {

class PaymentModel;

// The screen that follows a placed order. When it loads it asks for the payment awaiting the
// customer ("/payment-wait/req" with the order's amount, card number and order number) and shows
// the amount, the order number, the payment deadline and the cash payment guide (HTML). An order
// without card number, order number or amount sends nothing, and the labels stay empty; so does a
// failure. A reply that arrives after the screen is gone is dropped.
//
// Done posts "RefreshMyCardPage", selects the my-cards tab of the shared tab shell and returns the
// navigation stack to its root, without animation; back only returns to the root. Main thread only.
class WaitPaymentViewController : public ios::UIViewController {
 public:
  static constexpr char orderPrefix[] = "Mã đơn hàng ";
  static constexpr char deadlinePrefix[] = "Hạn thanh toán đến ";
  static constexpr char deadlineJoin[] = " ngày ";

  // Loads the nib "WaitPaymentViewController" of the framework's bundle (or the host's).
  static std::shared_ptr<WaitPaymentViewController> create();
  WaitPaymentViewController();

  void viewDidLoad() override;

  std::weak_ptr<ios::UILabel> moneyLabel;
  std::weak_ptr<ios::UILabel> codeLabel;
  std::weak_ptr<ios::UILabel> dteLabel;
  std::weak_ptr<ios::UILabel> desLabel;
  std::weak_ptr<ios::UIView> viewPay;
  std::shared_ptr<PaymentModel> paymentModel;  // the created order; set by the router

  void getData();
  void didSelectPayment();
  void didSelectBack();

 private:
  void applyReply(ios::Dictionary reply);
};

}  // namespace kerbelin
