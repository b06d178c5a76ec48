#include <Class/MyCode/Cell/MyCodeInfomationServiceTableViewCell.h>

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/ProviderDTO.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/URL.h>
#include <QuartzCore/CALayer.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Handle/HandlePush.h>
#include <WebImage/UIImageViewWebCache.h>

namespace kerbelin {

namespace {
using Cell = MyCodeInfomationServiceTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewContent", &Cell::viewContent)
                              .property("viewIcon", &Cell::viewIcon)
                              .property("valueLabel1", &Cell::valueLabel1)
                              .property("valueLabel2", &Cell::valueLabel2)
                              .property("valueLabel3", &Cell::valueLabel3)
                              .property("buttonAction", &Cell::buttonAction)
                              .property("imageIconService", &Cell::imageIconService)
                              .property("viewEffect", &Cell::viewEffect)
                              .property("labelEffect", &Cell::labelEffect)
                              .property("nameLabel", &Cell::nameLabel)
                              .property("detailButton", &Cell::detailButton)
                              .method("detailButtonClicked:", &Cell::detailButtonClicked)
                              .method("pressedShowQR:", &Cell::pressedShowQR)
                              .method("pressedGoToShopService:", &Cell::pressedGoToShopService);

void setText(const std::weak_ptr<ios::UILabel>& label, std::optional<std::string> text) {
  if (auto shown = label.lock()) shown->setText(std::move(text));
}

void setBadge(ios::UILabel& label, ios::UIView& background, const std::string& text,
              std::shared_ptr<ios::UIColor> textColor, std::shared_ptr<ios::UIColor> color) {
  label.setText(text);
  label.setTextColor(std::move(textColor));
  background.setBackgroundColor(std::move(color));
}
}  // namespace

std::shared_ptr<MyCodeInfomationServiceTableViewCell> MyCodeInfomationServiceTableViewCell::create() {
  return std::make_shared<MyCodeInfomationServiceTableViewCell>();
}

MyCodeInfomationServiceTableViewCell::MyCodeInfomationServiceTableViewCell() = default;

void MyCodeInfomationServiceTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto label = valueLabel1.lock()) nibLook_.value1 = label->text();
  if (auto label = valueLabel2.lock()) nibLook_.value2 = label->text();
  if (auto label = labelEffect.lock()) {
    nibLook_.effect = label->text();
    nibLook_.effectTextColor = label->textColor();
  }
  if (auto badge = viewEffect.lock()) nibLook_.effectBackground = badge->backgroundColor();
}

void MyCodeInfomationServiceTableViewCell::restoreNibLook() {
  setText(valueLabel1, nibLook_.value1);
  setText(valueLabel2, nibLook_.value2);
  auto label = labelEffect.lock();
  auto badge = viewEffect.lock();
  if (!label || !badge) return;
  label->setText(nibLook_.effect);
  label->setTextColor(nibLook_.effectTextColor);
  badge->setBackgroundColor(nibLook_.effectBackground);
}

void MyCodeInfomationServiceTableViewCell::getDataServiceDetail(const std::shared_ptr<DefServiceDtos>& obj) {
  if (!obj) return;
  restoreNibLook();
  setText(nameLabel, obj->namDefService);
  objOwnServiceDetail = obj;
  setText(valueLabel3, obj->expirationDate);
  if (!obj->ownAccountDtos.empty() && obj->ownAccountDtos.front()) {
    setText(valueLabel1, obj->ownAccountDtos.front()->allocatedUnit);
    setText(valueLabel2, obj->ownAccountDtos.front()->availableUnit);
  }
  if (auto icon = imageIconService.lock()) {
    ios::sd_setImage(*icon, ios::URL::fromString(obj->providerDto ? obj->providerDto->logo : ""));
  }
  if (obj->usageDescription) {
    if (auto label = valueLabel1.lock()) {
      label->setAttributedText(htmlToAttributedString(convertHtml(*obj->usageDescription, 13)));
    }
  }
  auto label = labelEffect.lock();
  auto badge = viewEffect.lock();
  if (label && badge && obj->type == TypeDetailCard::Paid) {
    setBadge(*label, *badge, validText, ios::UIColor::white(), colorWithRGBA("#4DAF50"));
  } else if (label && badge && obj->type == TypeDetailCard::Expire) {
    setBadge(*label, *badge, expiredText, colorWithRGBA("#8A8A8A"), colorWithRGBA("#DEDEDE"));
  }
  if (auto content = viewContent.lock()) Common::SetShadowAndcornerRadiusView(*content, 8);
  if (auto frame = viewIcon.lock()) Common::SetShadowAndcornerRadiusView(*frame, 10);
  if (auto icon = imageIconService.lock()) {
    icon->layer()->setCornerRadius(5);
    icon->setClipsToBounds(true);
  }
}

void MyCodeInfomationServiceTableViewCell::detailButtonClicked(const std::shared_ptr<ios::UIButton>& sender) {
  if (auto host = delegate.lock(); host && sender) host->detailInfomationServiceAction(static_cast<int>(sender->tag));
}

void MyCodeInfomationServiceTableViewCell::pressedShowQR() {
  auto panel = ContainerFloatingQRCodeViewController::instantiate();
  if (!panel) return;
  panel->params = ios::Dictionary{{"mobilePhone", phoneUser},
                                  {"ownServiceCode", objOwnServiceDetail ? objOwnServiceDetail->code : ""}};
  panel->nameTitle = objOwnServiceDetail ? objOwnServiceDetail->namDefService : "";
  panel->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  if (auto root = rootViewController.lock()) root->present(panel, false, [] {});
}

void MyCodeInfomationServiceTableViewCell::pressedGoToShopService() {
  auto root = rootViewController.lock();
  if (!root || !objOwnServiceDetail || !objOwnServiceDetail->providerDto) return;
  if (auto id = objOwnServiceDetail->providerDto->id) {
    HandlePush::create()->pushToShopService(root, std::to_string(*id));
  }
}

}  // namespace kerbelin
