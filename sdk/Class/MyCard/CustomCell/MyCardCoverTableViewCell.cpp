#include <Class/MyCard/CustomCell/MyCardCoverTableViewCell.h>

#include <Class/MyCard/CustomCell/ViewTypeDetailCard.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UIImage.h>
#include <Ultilities/Enums/Enums.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Extensions/UIViewStyleExtension.h>
#include <Ultilities/Handle/NibBundle.h>

#include <optional>

namespace kerbelin {

namespace {
using Cell = MyCardCoverTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewRadius", &Cell::viewRadius)
                              .property("viewMain", &Cell::viewMain)
                              .property("lbNameCard", &Cell::lbNameCard)
                              .property("imgCard", &Cell::imgCard)
                              .property("viewTypeCard", &Cell::viewTypeCard)
                              .property("cstWidthViewTypeCard", &Cell::cstWidthViewTypeCard)
                              .property("lbNumberCard", &Cell::lbNumberCard)
                              .property("viewLine", &Cell::viewLine)
                              .property("viewShadow", &Cell::viewShadow)
                              .property("cstBottomMain", &Cell::cstBottomMain);

struct BadgeLook {
  ios::CGFloat width;
  const char* title;
  const char* icon;
  ios::CGFloat red, green, blue;
};

std::optional<BadgeLook> badgeFor(std::string_view status) {
  if (status == rawValue(StatusCard::W)) {
    return BadgeLook{Cell::waitingBadgeWidth, "Chờ thanh toán", "icon_chot", 255, 193, 7};
  }
  if (status == rawValue(StatusCard::E) || status == rawValue(StatusCard::C)) {
    return BadgeLook{Cell::lapsedBadgeWidth, "Hết hiệu lực", "icon_check_white", 137, 137, 137};
  }
  return std::nullopt;
}

std::shared_ptr<ViewTypeDetailCard> makeBadge(const BadgeLook& look) {
  const std::string name = ios::NSObject::className<ViewTypeDetailCard>();
  auto badge = std::dynamic_pointer_cast<ViewTypeDetailCard>(loadFromNibNamed(name, resolveNibBundle(name, nullptr)));
  if (!badge) return nullptr;
  if (auto background = badge->viewBackground.lock()) {
    background->setBackgroundColor(colorWith255(look.red, look.green, look.blue, 1));
  }
  if (auto title = badge->lbTitle.lock()) {
    title->setTextColor(ios::UIColor::white());
    title->setText(look.title);
  }
  if (auto icon = badge->icon.lock()) icon->setImage(ios::UIImage::named(look.icon));
  return badge;
}

// The badge follows its container as the new width takes effect at the next layout pass.
void fill(ios::UIView& container, const std::shared_ptr<ios::UIView>& badge) {
  badge->setFrame(container.bounds());
  container.addSubview(badge);
  badge->setTranslatesAutoresizingMaskIntoConstraints(false);
  ios::NSLayoutConstraint::activate({badge->leadingAnchor().constraintEqualTo(container.leadingAnchor()),
                                     badge->trailingAnchor().constraintEqualTo(container.trailingAnchor()),
                                     badge->topAnchor().constraintEqualTo(container.topAnchor()),
                                     badge->bottomAnchor().constraintEqualTo(container.bottomAnchor())});
}
}  // namespace

std::shared_ptr<MyCardCoverTableViewCell> MyCardCoverTableViewCell::create() {
  return std::make_shared<MyCardCoverTableViewCell>();
}

MyCardCoverTableViewCell::MyCardCoverTableViewCell() = default;

void MyCardCoverTableViewCell::checkUICardType(std::string_view status) {
  auto container = viewTypeCard.lock();
  auto width = cstWidthViewTypeCard.lock();
  if (!container || !width) return;
  clearSubviews(*container);
  container->setHidden(true);
  width->setConstant(0);
  const auto look = badgeFor(status);
  if (!look) return;
  width->setConstant(look->width);
  container->setHidden(false);
  if (auto badge = makeBadge(*look)) fill(*container, badge);
}

}  // namespace kerbelin
