#include <Class/DetailCard/ViewController/TutorialPayViewController.h>

#include <Class/DetailCard/Model/TutorialPayModel.h>
#include <Foundation/ClassRegistry.h>
#include <ObjectMapper/Mapper.h>
#include <Service/DetailCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {

using Screen = TutorialPayViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>("TutorialPayViewController")
                              .property("textView", &Screen::textView)
                              .property("transId", &Screen::transId)
                              .method("backButtonClicked:", &Screen::backButtonClicked);

constexpr float kGuideFontSize = 15;

}  // namespace

void renderHtml(ios::UITextView& textView, const std::string& text) {
  textView.setAttributedText(htmlToAttributedString(convertHtml(text, kGuideFontSize)));
}

std::shared_ptr<TutorialPayViewController> TutorialPayViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<TutorialPayViewController>(std::move(nibName), std::move(bundle));
}

TutorialPayViewController::TutorialPayViewController(std::optional<std::string> nibName,
                                                     std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

void TutorialPayViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  loadData();
}

void TutorialPayViewController::loadData() {
  auto self = sharedAs<TutorialPayViewController>();
  DetailCardService::create()->getTutorialPay(
      ios::Dictionary{{"transId", transId}}, [self](ios::Dictionary&& reply) { self->showGuide(std::move(reply)); },
      [](const std::string&) {});
}

void TutorialPayViewController::showGuide(ios::Dictionary reply) {
  auto body = bodyIgnoringResultCode(std::move(reply));
  if (!body) return;
  auto guide = ios::mapObject<TutorialPayModel>(std::move(*body));
  if (auto view = textView.lock(); view && guide) renderHtml(*view, guide->paymentGuide);
}

void TutorialPayViewController::backButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

}  // namespace kerbelin
