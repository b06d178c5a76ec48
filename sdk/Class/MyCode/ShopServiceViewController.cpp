#include <Class/MyCode/ShopServiceViewController.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<ShopServiceViewController, ios::UIViewController>("ShopServiceViewController");

}  // namespace

std::shared_ptr<ShopServiceViewController> ShopServiceViewController::create() {
  return std::make_shared<ShopServiceViewController>();
}

void ShopServiceViewController::scrollTableView(ios::CGFloat) {}

}  // namespace kerbelin
