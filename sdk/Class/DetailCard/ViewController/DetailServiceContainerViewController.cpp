#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {

const auto registration = ios::ClassRegistration<DetailServiceContainerViewController, ios::UIViewController>(
    "DetailServiceContainerViewController");

}  // namespace

std::shared_ptr<DetailServiceContainerViewController> DetailServiceContainerViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<DetailServiceContainerViewController>(std::move(nibName), std::move(bundle));
}

DetailServiceContainerViewController::DetailServiceContainerViewController(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

}  // namespace kerbelin
