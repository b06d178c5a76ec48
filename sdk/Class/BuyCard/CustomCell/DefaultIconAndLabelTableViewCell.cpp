#include <Class/BuyCard/CustomCell/DefaultIconAndLabelTableViewCell.h>

#include <Class/BuyCard/Model/CardPromotion.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/URL.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <WebImage/UIImageViewWebCache.h>

namespace kerbelin {

namespace {
using Cell = DefaultIconAndLabelTableViewCell;
const auto registration = ios::ClassRegistration<Cell, BaseTableCell>()
                              .property("lbIcon", &Cell::lbIcon)
                              .property("lbText", &Cell::lbText)
                              .property("viewMain", &Cell::viewMain)
                              .property("viewRadius", &Cell::viewRadius)
                              .property("cstBottomMain", &Cell::cstBottomMain)
                              .property("viewShadow", &Cell::viewShadow)
                              .property("cstBottom", &Cell::cstBottom);
}  // namespace

std::shared_ptr<DefaultIconAndLabelTableViewCell> DefaultIconAndLabelTableViewCell::create() {
  return std::make_shared<DefaultIconAndLabelTableViewCell>();
}

DefaultIconAndLabelTableViewCell::DefaultIconAndLabelTableViewCell() = default;

void DefaultIconAndLabelTableViewCell::awakeFromNib() {
  BaseTableCell::awakeFromNib();
  if (auto main = viewMain.lock()) Common::SetShadowAndcornerRadiusView(*main, 1);
}

void DefaultIconAndLabelTableViewCell::configWithPromotion(const CardPromotion& promotion) {
  if (auto icon = lbIcon.lock()) ios::sd_setImage(*icon, ios::URL::fromString(promotion.urlIcon));
  auto text = lbText.lock();
  if (!text) return;
  text->setAttributedText(nullptr);
  if (auto rendered = htmlToAttributedString(htmlPrefix + promotion.description + htmlSuffix)) {
    text->setAttributedText(rendered);
  }
}

}  // namespace kerbelin
