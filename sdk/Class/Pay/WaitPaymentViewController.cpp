#include <Class/Pay/WaitPaymentViewController.h>

#include <Class/Pay/Model/PaymentModel.h>
#include <Class/Pay/Model/WaitPayment.h>
#include <Class/Pay/PaymentHtml.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/NotificationCenter.h>
#include <ObjectMapper/Mapper.h>
#include <Service/DetailCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = WaitPaymentViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("moneyLabel", &Screen::moneyLabel)
                              .property("codeLabel", &Screen::codeLabel)
                              .property("dteLabel", &Screen::dteLabel)
                              .property("desLabel", &Screen::desLabel)
                              .property("viewPay", &Screen::viewPay)
                              .method("didSelectPayment:", &Screen::didSelectPayment)
                              .method("didSelectBack:", &Screen::didSelectBack);

const std::string kNibName = "WaitPaymentViewController";

void setText(const std::weak_ptr<ios::UILabel>& label, std::string text) {
  if (auto shown = label.lock()) shown->setText(std::move(text));
}
}  // namespace

std::shared_ptr<WaitPaymentViewController> WaitPaymentViewController::create() {
  return std::make_shared<WaitPaymentViewController>();
}

WaitPaymentViewController::WaitPaymentViewController()
    : ios::UIViewController(kNibName, resolveNibBundle(kNibName, nullptr)) {}

void WaitPaymentViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  if (auto pay = viewPay.lock()) pay->layer()->setCornerRadius(4);
  getData();
}

void WaitPaymentViewController::getData() {
  if (!paymentModel || !paymentModel->cardNo || !paymentModel->orderNo || !paymentModel->amount) return;
  const ios::Dictionary params = {{"amount", *paymentModel->amount},
                                  {"defCardNo", *paymentModel->cardNo},
                                  {"mobilePhone", phoneUser},
                                  {"orderNo", *paymentModel->orderNo}};
  auto weak = weakAs<Screen>();
  DetailCardService::create()->waitPayment(
      params,
      [weak](ios::Dictionary&& reply) {
        if (auto self = weak.lock()) self->applyReply(std::move(reply));
      },
      [](const std::string&) {});
}

void WaitPaymentViewController::applyReply(ios::Dictionary reply) {
  auto body = bodyIgnoringResultCode(std::move(reply));
  if (!body) return;
  auto payment = ios::mapObject<WaitPayment>(std::move(*body));
  if (!payment) payment = WaitPayment::create();
  setText(moneyLabel, payment->amount.value_or(""));
  setText(codeLabel, orderPrefix + payment->orderNo.value_or(""));
  setText(dteLabel,
          deadlinePrefix + payment->expirationTime.value_or("") + deadlineJoin + payment->expirationDate.value_or(""));
  auto guide = htmlToAttributedString(paymentHtml(payment->paymentGuide.value_or("")));
  auto label = desLabel.lock();
  if (guide && label) label->setAttributedText(guide);
}

void WaitPaymentViewController::didSelectPayment() {
  ios::NotificationCenter::defaultCenter().post(NotificationName::RefreshMyCardPage);
  TabbarViewController::sharedInstance()->setSelectedIndex(1);
  if (auto navigation = navigationController()) navigation->popToRootViewController(false);
}

void WaitPaymentViewController::didSelectBack() {
  if (auto navigation = navigationController()) navigation->popToRootViewController(false);
}

}  // namespace kerbelin
