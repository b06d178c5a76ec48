#pragma once

#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// The order screen: creates the bill for one card.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class PaymentViewController : public ios::UIViewController {
 public:
  static std::shared_ptr<PaymentViewController> create();

  void loadView() override;

  std::optional<std::string> defCardCode;  // the code of the card being bought
};

}  // namespace kerbelin
