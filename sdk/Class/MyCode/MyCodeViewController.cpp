#include <Class/MyCode/MyCodeViewController.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<MyCodeViewController, ios::UIViewController>("MyCodeViewController");

}  // namespace

std::shared_ptr<MyCodeViewController> MyCodeViewController::create() {
  return std::make_shared<MyCodeViewController>();
}

}  // namespace kerbelin
