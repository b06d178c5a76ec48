#include <Class/QRCode/QRCodeViewController.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<QRCodeViewController, ios::UIViewController>("QRCodeViewController");

}  // namespace

std::shared_ptr<QRCodeViewController> QRCodeViewController::create() {
  return std::make_shared<QRCodeViewController>();
}

}  // namespace kerbelin
