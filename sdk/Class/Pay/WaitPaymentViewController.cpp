#include <Class/Pay/WaitPaymentViewController.h>

#include <Class/CustomView/PlaceholderContentView.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UIScreen.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<WaitPaymentViewController, ios::UIViewController>("WaitPaymentViewController");

constexpr const char* kTitle = "Chờ thanh toán";

}  // namespace

std::shared_ptr<WaitPaymentViewController> WaitPaymentViewController::create() {
  return std::make_shared<WaitPaymentViewController>();
}

void WaitPaymentViewController::loadView() {
  auto content = PlaceholderContentView::create(kTitle);
  content->setFrame(ios::UIScreen::main()->bounds());
  setView(content);
}

}  // namespace kerbelin
