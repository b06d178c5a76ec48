#include <Class/MyCode/PopupQRController/PopupQRCodeViewController.h>

#include <Class/MyCode/QRCountdownLine.h>

#include <Class/MyCode/Model/MyCodeQRCodeModel.h>
#include <CoreText/NSTextAttachment.h>
#include <Foundation/ClassRegistry.h>
#include <ObjectMapper/Mapper.h>
#include <Photos/UIImageWriteToSavedPhotosAlbum.h>
#include <Service/MyCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/UIAlertController.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/NSTextAttachmentExtension.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Popup = PopupQRCodeViewController;
const auto registration = ios::ClassRegistration<Popup, ios::UIViewController>()
                              .property("viewSaveAndShareImage", &Popup::viewSaveAndShareImage)
                              .property("labelTime", &Popup::labelTime)
                              .property("labelName", &Popup::labelName)
                              .property("imageQRCode", &Popup::imageQRCode)
                              .property("labelDescription", &Popup::labelDescription)
                              .method("fireTimer", &Popup::fireTimer)
                              .method("pressedSaveImage:", &Popup::pressedSaveImage)
                              .method("pressedShareImage:", &Popup::pressedShareImage);

std::shared_ptr<ios::NSMutableAttributedString> run(std::string_view text, std::shared_ptr<ios::UIFont> font,
                                                    const std::shared_ptr<ios::UIColor>& color) {
  return Common::SetAttribuedText(text, std::move(font), color, color, ios::UIColor::clear());
}

// The check mark of the renewal line: looked up by name as the host would, then in the framework.
std::shared_ptr<ios::UIImage> checkMark() {
  if (auto image = ios::UIImage::named("Icon_check_fill")) return image;
  return ios::UIImage::named("Icon_check_fill", frameworkBundle());
}
}  // namespace

std::shared_ptr<PopupQRCodeViewController> PopupQRCodeViewController::create() {
  return std::make_shared<PopupQRCodeViewController>();
}

PopupQRCodeViewController::PopupQRCodeViewController() = default;

PopupQRCodeViewController::~PopupQRCodeViewController() {
  if (timer) timer->invalidate();
}

void PopupQRCodeViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  const bool codeMode = code.has_value();
  if (auto bar = viewSaveAndShareImage.lock()) bar->setHidden(!codeMode);
  if (auto time = labelTime.lock()) time->setHidden(codeMode);
  if (auto description = labelDescription.lock()) description->setHidden(codeMode);
  if (codeMode) {
    if (auto name = labelName.lock()) name->setText(nameTitle);
    if (auto image = imageQRCode.lock()) image->setImage(Common::generateQRCode(*code));
    return;
  }
  if (params) generateQR(*params);
  timer = ios::Timer::scheduledTimer(tick, weak_from_this(), "fireTimer", {}, true);
}

void PopupQRCodeViewController::stopCountdown() {
  stopped_ = true;
  if (timer) timer->invalidate();
}

// ---- Token mode

void PopupQRCodeViewController::generateQR(const ios::Dictionary& parameters) {
  if (requestInFlight_ || stopped_) return;
  requestInFlight_ = true;
  const auto overlay = WSLoadingView::showWithMask();
  auto weak = weakAs<Popup>();
  MyCardService::create()->generateQRCard(
      parameters,
      [weak, overlay](ios::Dictionary&& reply) {
        WSLoadingView::hide(overlay);
        if (auto self = weak.lock()) {
          self->requestInFlight_ = false;
          self->applyReply(std::move(reply));
        }
      },
      [weak, overlay](const std::string&) {
        WSLoadingView::hide(overlay);
        if (auto self = weak.lock()) self->requestInFlight_ = false;
      });
}

void PopupQRCodeViewController::applyReply(ios::Dictionary reply) {
  if (stopped_) return;
  auto body = bodyRequiringResultCodeZero(std::move(reply));
  if (!body) return;
  auto token = ios::mapObject<MyCodeQRCodeModel>(std::move(*body));
  // A token that draws nothing is no code to show: the next tick asks again.
  if (!token || token->token.empty()) return;
  objGenQRCode = token;
  getData(*objGenQRCode);
}

void PopupQRCodeViewController::getData(const MyCodeQRCodeModel& obj) {
  if (auto image = imageQRCode.lock()) image->setImage(Common::generateQRCode(obj.token));
  if (auto name = labelName.lock()) name->setText(nameTitle);
  if (isCheckUpdateQR) {
    timeCountDown = saturatingSum(obj.timeToken, 2);
    setTextLabelTimeUpdateSucce();
  } else {
    timeCountDown = obj.timeToken;
    setTextLabelTime();
  }
  deadline_.start(timeCountDown);
  isCheckUpdateQR = true;
}

void PopupQRCodeViewController::fireTimer() {
  if (deadline_.passed()) {
    runOut();
    if (params) generateQR(*params);
    return;
  }
  timeCountDown = deadline_.secondsLeft();
  const std::int64_t lifetime = objGenQRCode ? objGenQRCode->timeToken : 0;
  if (lifetime < timeCountDown && isCheckUpdateQR) {
    setTextLabelTimeUpdateSucce();
  } else {
    setTextLabelTime();
  }
}

// The deadline went by while the line still read time left (the loop held up).
void PopupQRCodeViewController::runOut() {
  if (timeCountDown <= 0) return;
  timeCountDown = 0;
  setTextLabelTime();
}

void PopupQRCodeViewController::setTextLabelTime() {
  auto label = labelTime.lock();
  if (!label) return;
  label->setAttributedText(qrCountdownLine(timeCountDown));
}

void PopupQRCodeViewController::setTextLabelTimeUpdateSucce() {
  auto label = labelTime.lock();
  if (!label) return;
  auto attachment = ios::NSTextAttachment::create();
  attachment->image = checkMark();
  setImageHeight(*attachment, 11);
  auto line = ios::NSMutableAttributedString::create(*ios::NSAttributedString::create(attachment));
  line->append(*run(renewedText, ios::UIFont::systemFont(12, ios::UIFontWeight::regular), ios::UIColor::black()));
  label->setAttributedText(line);
}

// ---- Code mode

void PopupQRCodeViewController::pressedSaveImage() {
  if (!code) return;
  auto picture = Common::generateQRCode(*code);
  if (!picture || Common::saveImage(imageFileName, *picture).empty()) return;
  auto saved = Common::loadImageFromDiskWith(imageFileName);
  if (!saved) return;
  auto weak = weakAs<Popup>();
  ios::UIImageWriteToSavedPhotosAlbum(saved, [weak](const auto&, const std::optional<std::string>& error) {
    if (auto self = weak.lock()) self->didFinishSaving(error);
  });
}

void PopupQRCodeViewController::didFinishSaving(const std::optional<std::string>& error) {
  auto alert = ios::UIAlertController::create("", error ? notSavedText : savedText, ios::UIAlertControllerStyle::alert);
  present(alert, true);
  auto weak = weakAs<Popup>();
  const bool saved = !error;
  ios::Timer::scheduledTimer(alertDuration, false, [alert, weak, saved](ios::Timer&) {
    alert->dismiss(true, [weak, saved] {
      auto self = weak.lock();
      if (!self || !saved) return;
      if (auto owner = self->delegate.lock()) owner->dissmisPopup(true);
    });
  });
}

void PopupQRCodeViewController::pressedShareImage() {
  if (!code) return;
  if (auto owner = delegate.lock()) owner->shareQRcode(*code);
}

}  // namespace kerbelin
