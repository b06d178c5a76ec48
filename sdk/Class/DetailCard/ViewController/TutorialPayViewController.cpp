#include <Class/DetailCard/ViewController/TutorialPayViewController.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<TutorialPayViewController, ios::UIViewController>("TutorialPayViewController");

}  // namespace

std::shared_ptr<TutorialPayViewController> TutorialPayViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<TutorialPayViewController>(std::move(nibName), std::move(bundle));
}

TutorialPayViewController::TutorialPayViewController(std::optional<std::string> nibName,
                                                     std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

}  // namespace kerbelin
