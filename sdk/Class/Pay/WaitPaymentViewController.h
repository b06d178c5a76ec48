#pragma once

#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

class PaymentModel;

// The waiting-for-payment screen with the cash payment guide.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class WaitPaymentViewController : public ios::UIViewController {
 public:
  static std::shared_ptr<WaitPaymentViewController> create();

  void loadView() override;

  std::shared_ptr<PaymentModel> paymentModel;  // the created order
};

}  // namespace kerbelin
