#include <Class/DetailCard/ViewController/DetailCardRoutes.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/DetailCard/Model/DetailCardTableModel.h>
#include <UIKit/UIActivityViewController.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Handle/HandlePush.h>

namespace kerbelin {

DetailCardRoutes::DetailCardRoutes(std::weak_ptr<ios::UIViewController> detail) : detail_(std::move(detail)) {}

std::optional<TypeDetailCard> DetailCardRoutes::cardType() const {
  return card ? std::optional(card->type) : std::nullopt;
}

std::shared_ptr<DefServiceDtos> DetailCardRoutes::ownService(int index) const {
  return card ? serviceAt(card->ownServiceDtos, index) : nullptr;
}

void DetailCardRoutes::openRootService() {
  auto detail = detail_.lock();
  if (!detail) return;
  auto root = card ? card->rootService : nullptr;
  const auto state = cardType();
  if (state && isNotYetPaid(*state)) {
    HandlePush::create()->pushDetaiService(detail, root, true, state);
  } else {
    HandlePush::create()->pushDetaiServiceContainer(detail, root, true, state);
  }
}

void DetailCardRoutes::openService(int index) {
  auto detail = detail_.lock();
  const auto state = cardType();
  auto service = state ? serviceAt(detailCardServices(*card, *state), index) : nullptr;
  if (!detail || !service) return;
  if (isNotYetPaid(*state)) {
    HandlePush::create()->pushDetaiService(detail, service, state);
  } else {
    HandlePush::create()->pushDetaiServiceContainer(detail, service, state);
  }
}

void DetailCardRoutes::detailAction(int index) {
  if (isNotYetPaid(cardType().value_or(TypeDetailCard::Paid))) openService(index);
}

void DetailCardRoutes::detailInfomationServiceAction(int index) {
  auto detail = detail_.lock();
  auto service = ownService(index);
  if (detail && service) HandlePush::create()->pushDetaiServiceContainer(detail, service, cardType());
}

void DetailCardRoutes::detailCardInfomationAction() {
  openRootService();
}

void DetailCardRoutes::tutorialAction() {
  if (auto detail = detail_.lock()) HandlePush::create()->presentTutorialGift(detail, card ? card->templatePromotion : "");
}

void DetailCardRoutes::tutorialPayAction() {
  if (auto detail = detail_.lock()) HandlePush::create()->pushTutorialPay(detail, card ? card->transactionCode : "");
}

void DetailCardRoutes::qrCodeAction() {
  auto detail = detail_.lock();
  auto panel = detail ? ContainerFloatingQRCodeViewController::instantiate() : nullptr;
  if (!panel) return;
  if (card) panel->code = card->type == TypeDetailCard::UnPaid ? card->code : card->defCardCode;
  panel->nameTitle = card ? card->name : "";
  panel->delegate = weak_from_this();
  panel->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  detail->present(panel, false, [] {});
}

void DetailCardRoutes::shareQRcode(const std::string& qr) {
  auto detail = detail_.lock();
  auto image = detail ? Common::generateQRCode(qr) : nullptr;
  if (!image) return;
  auto sheet = ios::UIActivityViewController::create({std::any(image)});
  sheet->excludedActivityTypes = {ios::UIActivityType::airDrop, ios::UIActivityType::postToFacebook};
  detail->present(sheet, true);
}

}  // namespace kerbelin
