#include <Class/BuyCard/CustomCell/CardCoverTableViewCell.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/ProviderDTO.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/URL.h>
#include <QuartzCore/CALayer.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Handle/HandlePush.h>
#include <WebImage/UIImageViewWebCache.h>

namespace kerbelin {

namespace {
using Cell = CardCoverTableViewCell;
const auto registration = ios::ClassRegistration<Cell, BaseTableCell>()
                              .property("viewShadow", &Cell::viewShadow)
                              .property("imgCover", &Cell::imgCover)
                              .property("imgAvatar", &Cell::imgAvatar)
                              .property("viewDiscount", &Cell::viewDiscount)
                              .property("viewTextDiscount", &Cell::viewTextDiscount)
                              .property("lbDiscountPrice", &Cell::lbDiscountPrice)
                              .property("viewRadius", &Cell::viewRadius)
                              .property("providerId", &Cell::providerId)
                              .method("didGoProvider:", &Cell::didGoProvider);
}  // namespace

std::shared_ptr<CardCoverTableViewCell> CardCoverTableViewCell::create() {
  return std::make_shared<CardCoverTableViewCell>();
}

CardCoverTableViewCell::CardCoverTableViewCell() = default;

void CardCoverTableViewCell::awakeFromNib() {
  BaseTableCell::awakeFromNib();
  if (auto text = viewTextDiscount.lock())
    text->setTransform(ios::CGAffineTransform::rotation(discountAngle));
  if (auto avatar = imgAvatar.lock()) {
    avatar->layer()->setBorderColor(ios::UIColor::lightGray()->withAlphaComponent(0.4)->cgColor());
    avatar->layer()->setBorderWidth(1);
  }
  if (auto shadow = viewShadow.lock()) Common::SetShadowAndcornerRadiusView(*shadow, 5);
  if (auto radius = viewRadius.lock()) Common::SetShadowAndcornerRadiusView(*radius, 0);
}

void CardCoverTableViewCell::fill(const CardModel& card,
                                  const std::shared_ptr<ios::UIViewController>& screen) {
  selectionStyle = ios::UITableViewCellSelectionStyle::none;
  if (auto cover = imgCover.lock()) ios::sd_setImage(*cover, ios::URL::fromString(card.image));
  providerId.clear();
  auto avatar = imgAvatar.lock();
  if (avatar) ios::sd_setImage(*avatar, std::nullopt);
  if (!card.providerDtos.empty() && card.providerDtos.front()) {
    const ProviderDTO& provider = *card.providerDtos.front();
    if (provider.id) providerId = std::to_string(*provider.id);
    if (avatar) ios::sd_setImage(*avatar, ios::URL::fromString(provider.logo));
  }
  rootViewController = screen;
  if (auto badge = lbDiscountPrice.lock()) badge->setText(card.discountValue);
}

void CardCoverTableViewCell::didGoProvider(const std::shared_ptr<ios::UIButton>&) {
  HandlePush::create()->pushToShopService(rootViewController.lock(), providerId);
}

}  // namespace kerbelin
