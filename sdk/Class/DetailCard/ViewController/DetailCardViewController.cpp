#include <Class/DetailCard/ViewController/DetailCardViewController.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<DetailCardViewController, ios::UIViewController>("DetailCardViewController");

}  // namespace

std::shared_ptr<DetailCardViewController> DetailCardViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<DetailCardViewController>(std::move(nibName), std::move(bundle));
}

DetailCardViewController::DetailCardViewController(std::optional<std::string> nibName,
                                                   std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

}  // namespace kerbelin
