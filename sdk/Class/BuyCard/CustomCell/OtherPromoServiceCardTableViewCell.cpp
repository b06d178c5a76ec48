#include <Class/BuyCard/CustomCell/OtherPromoServiceCardTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = OtherPromoServiceCardTableViewCell;
const auto registration = ios::ClassRegistration<Cell, BaseTableCell>()
                              .property("viewMain", &Cell::viewMain)
                              .property("lbPromotion", &Cell::lbPromotion)
                              .property("viewRadius", &Cell::viewRadius)
                              .property("viewShadow", &Cell::viewShadow)
                              .property("cstBottomMain", &Cell::cstBottomMain);
}  // namespace

std::shared_ptr<OtherPromoServiceCardTableViewCell> OtherPromoServiceCardTableViewCell::create() {
  return std::make_shared<OtherPromoServiceCardTableViewCell>();
}

OtherPromoServiceCardTableViewCell::OtherPromoServiceCardTableViewCell() = default;

std::string OtherPromoServiceCardTableViewCell::countingText(std::size_t promotionCount) {
  const long long extra = static_cast<long long>(promotionCount) - static_cast<long long>(shownPromotions);
  return "+" + std::to_string(extra) + " khuyến mại khác";
}

}  // namespace kerbelin
