#include <Class/Pay/PaymentViewController.h>

#include <Class/CustomView/PlaceholderContentView.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UIScreen.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<PaymentViewController, ios::UIViewController>("PaymentViewController");

constexpr const char* kTitle = "Thanh toán";

}  // namespace

std::shared_ptr<PaymentViewController> PaymentViewController::create() {
  return std::make_shared<PaymentViewController>();
}

void PaymentViewController::loadView() {
  auto content = PlaceholderContentView::create(kTitle);
  content->setFrame(ios::UIScreen::main()->bounds());
  setView(content);
}

}  // namespace kerbelin
