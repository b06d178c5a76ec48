#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardRuleTableViewCell/DetailCardRuleTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>

namespace kerbelin {

namespace {
using Cell = DetailCardRuleTableViewCell;
const auto registration =
    ios::ClassRegistration<Cell, ios::UITableViewCell>().property("labelTitle", &Cell::labelTitle).property(
        "containerView", &Cell::containerView);
}  // namespace

std::shared_ptr<DetailCardRuleTableViewCell> DetailCardRuleTableViewCell::create() {
  return std::make_shared<DetailCardRuleTableViewCell>();
}

DetailCardRuleTableViewCell::DetailCardRuleTableViewCell() = default;

void DetailCardRuleTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto panel = containerView.lock()) Common::SetShadowAndcornerRadiusView(*panel, 8);
}

}  // namespace kerbelin
