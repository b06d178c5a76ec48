#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationTableViewCell/DetailCardInfomationTableViewCell.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/DefServiceUnitDtos.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>

namespace kerbelin {

namespace {
using Cell = DetailCardInfomationTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("view1", &Cell::view1)
                              .property("view2", &Cell::view2)
                              .property("view3", &Cell::view3)
                              .property("titleLabel1", &Cell::titleLabel1)
                              .property("titleLabel2", &Cell::titleLabel2)
                              .property("tileLabel3", &Cell::tileLabel3)
                              .property("valueLabel1", &Cell::valueLabel1)
                              .property("valueLabel2", &Cell::valueLabel2)
                              .property("valueLabel3", &Cell::valueLabel3)
                              .property("qrButton", &Cell::qrButton)
                              .property("viewContent", &Cell::viewContent)
                              .method("qrButtonClicked:", &Cell::qrButtonClicked)
                              .method("detailButtonClicked:", &Cell::detailButtonClicked);

// Server text read as HTML at size 15; none when it does not read.
std::shared_ptr<ios::NSMutableAttributedString> rich(const std::string& text) {
  return htmlToAttributedString(convertHtml(text, 15));
}

std::shared_ptr<ios::NSMutableAttributedString> richSemiBold(const std::string& text) {
  auto converted = rich(text);
  if (converted) semiBold(*converted);
  return converted;
}

void hide(const std::weak_ptr<ios::UIView>& view) {
  if (auto shown = view.lock()) shown->setHidden(true);
}
}  // namespace

std::shared_ptr<DetailCardInfomationTableViewCell> DetailCardInfomationTableViewCell::create() {
  return std::make_shared<DetailCardInfomationTableViewCell>();
}

DetailCardInfomationTableViewCell::DetailCardInfomationTableViewCell() = default;

void DetailCardInfomationTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto content = viewContent.lock()) Common::SetShadowAndcornerRadiusView(*content, 8);
}

void DetailCardInfomationTableViewCell::setCardModel(std::shared_ptr<CardModel> card) {
  cardModel_ = std::move(card);
  if (!cardModel_) return;
  switch (cardModel_->type) {
    case TypeDetailCard::UnPaid:
      fillForSale(*cardModel_);
      break;
    case TypeDetailCard::Paid:
    case TypeDetailCard::Expire:
      fillOwned(*cardModel_, false);
      break;
    case TypeDetailCard::WaitPay:
      hide(qrButton);
      fillOwned(*cardModel_, true);
      break;
  }
}

void DetailCardInfomationTableViewCell::fillForSale(const CardModel& card) {
  hide(view1);
  if (auto title = titleLabel2.lock()) title->setText("Hạn mức thẻ");
  if (auto title = tileLabel3.lock()) title->setText("Hạn sử dụng");
  const auto& root = card.rootService;
  if (auto expiry = valueLabel3.lock()) expiry->setAttributedText(root ? richSemiBold(root->expiryDate) : nullptr);
  if (auto limit = valueLabel2.lock()) {
    std::shared_ptr<ios::NSMutableAttributedString> text;
    if (root && root->usageDesciption) {
      text = rich(*root->usageDesciption);
    } else if (root && root->defServiceUnitDtos && !root->defServiceUnitDtos->empty() &&
               root->defServiceUnitDtos->front()) {
      text = richSemiBold(root->defServiceUnitDtos->front()->displayLimitUnit);
    }
    limit->setAttributedText(text);
  }
  hide(qrButton);
}

void DetailCardInfomationTableViewCell::fillOwned(const CardModel& card, bool awaitingPayment) {
  const auto& root = card.rootService;
  if (!root) return;
  const OwnAccountDtosModel* account =
      root->ownAccountDtos.empty() ? nullptr : root->ownAccountDtos.front().get();
  if (auto expiry = valueLabel3.lock()) expiry->setText(awaitingPayment ? root->expiryDate : root->expirationDate);
  if (auto granted = valueLabel1.lock()) {
    granted->setText(account ? account->allocatedUnit : "");
    // The server writes the description in HTML, as for the service rows: shown as text it would
    // show its tags.
    if (root->usageDescription) granted->setAttributedText(rich(*root->usageDescription));
  }
  if (auto left = valueLabel2.lock()) {
    left->setText(account ? std::optional<std::string>(account->availableUnit) : std::nullopt);
  }
}

void DetailCardInfomationTableViewCell::qrButtonClicked() {
  if (!cardModel_) return;
  auto panel = ContainerFloatingQRCodeViewController::instantiate();
  if (!panel) return;
  panel->params = ios::Dictionary{
      {"mobilePhone", phoneUser}, {"ownServiceCode", cardModel_->code}, {"cardNo", cardModel_->cardNo}};
  panel->nameTitle = cardModel_->name;
  panel->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  if (auto root = rootViewController.lock()) root->present(panel, false, [] {});
}

void DetailCardInfomationTableViewCell::detailButtonClicked() {
  if (auto host = delegate.lock()) host->detailCardInfomationAction();
}

}  // namespace kerbelin
