#include <Class/CustomView/ViewAlertNoInternet.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {

const auto registration = ios::ClassRegistration<ViewAlertNoInternet, ios::UIView>("ViewAlertNoInternet");

}  // namespace

std::shared_ptr<ViewAlertNoInternet> ViewAlertNoInternet::create(const ios::CGRect& frame) {
  return std::make_shared<ViewAlertNoInternet>(frame);
}

}  // namespace kerbelin
