#include <Class/MyCard/MyCardViewController.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<MyCardViewController, ios::UIViewController>("MyCardViewController");

}  // namespace

std::shared_ptr<MyCardViewController> MyCardViewController::create() {
  return std::make_shared<MyCardViewController>();
}

}  // namespace kerbelin
