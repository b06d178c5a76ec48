#include <Class/DetailCard/ViewController/DetailServiceViewController.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<DetailServiceViewController, ios::UIViewController>("DetailServiceViewController");

}  // namespace

std::shared_ptr<DetailServiceViewController> DetailServiceViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<DetailServiceViewController>(std::move(nibName), std::move(bundle));
}

DetailServiceViewController::DetailServiceViewController(std::optional<std::string> nibName,
                                                         std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

}  // namespace kerbelin
