#include <Class/DetailCard/ViewController/TutorialGiftViewController.h>

#include <Class/DetailCard/ViewController/TutorialPayViewController.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {

using Screen = TutorialGiftViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>("TutorialGiftViewController")
                              .property("textView", &Screen::textView)
                              .property("text", &Screen::text)
                              .method("backButtonClicked:", &Screen::backButtonClicked);

}  // namespace

std::shared_ptr<TutorialGiftViewController> TutorialGiftViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<TutorialGiftViewController>(std::move(nibName), std::move(bundle));
}

TutorialGiftViewController::TutorialGiftViewController(std::optional<std::string> nibName,
                                                       std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

void TutorialGiftViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  if (auto view = textView.lock()) renderHtml(*view, text);
}

void TutorialGiftViewController::backButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  dismiss(true, nullptr);
}

}  // namespace kerbelin
