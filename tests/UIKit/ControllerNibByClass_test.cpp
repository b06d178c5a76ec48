#include <Foundation/Bundle.h>
#include <UIKit/UIViewController.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

// Controllers made with no nib name, as `PaymentViewController()` is.
class PaymentViewController : public UIViewController {
 public:
  PaymentViewController() : UIViewController(std::nullopt, bundle()) {}
  static std::shared_ptr<Bundle> bundle() {
    return Bundle::create(
        "Halvet.ControllerNibTests",
        Bundle::ResourceMap{
            {"PaymentView.nib.json", R"({"objects": [{"class": "UIView", "properties": {"tag": 1}}]})"},
            {"PaymentViewController.nib.json",
             R"({"objects": [{"class": "UIView", "properties": {"tag": 2}}]})"},
            {"WaitPaymentViewController.nib.json",
             R"({"objects": [{"class": "UIView", "properties": {"tag": 3}}]})"},
        });
  }
};

class WaitPaymentViewController : public PaymentViewController {};
class TermPayViewController : public PaymentViewController {};

TEST(ControllerNibByClass, ANamelessControllerTakesTheNibNamedAfterItsClassShortNameFirst) {
  EXPECT_EQ(std::make_shared<PaymentViewController>()->view()->tag, 1);      // "PaymentView" wins
  EXPECT_EQ(std::make_shared<WaitPaymentViewController>()->view()->tag, 3);  // only the full name exists
  auto plain = std::make_shared<TermPayViewController>();                    // no nib: a plain view
  EXPECT_EQ(plain->view()->tag, 0);
  EXPECT_GT(plain->view()->bounds().width(), 0);
  // An explicit name is taken as given.
  auto named = std::make_shared<UIViewController>("PaymentViewController", PaymentViewController::bundle());
  EXPECT_EQ(named->view()->tag, 2);
}

}  // namespace
}  // namespace ios
