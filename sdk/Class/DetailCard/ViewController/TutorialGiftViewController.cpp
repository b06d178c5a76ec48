#include <Class/DetailCard/ViewController/TutorialGiftViewController.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<TutorialGiftViewController, ios::UIViewController>("TutorialGiftViewController");

}  // namespace

std::shared_ptr<TutorialGiftViewController> TutorialGiftViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<TutorialGiftViewController>(std::move(nibName), std::move(bundle));
}

TutorialGiftViewController::TutorialGiftViewController(std::optional<std::string> nibName,
                                                       std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

}  // namespace kerbelin
