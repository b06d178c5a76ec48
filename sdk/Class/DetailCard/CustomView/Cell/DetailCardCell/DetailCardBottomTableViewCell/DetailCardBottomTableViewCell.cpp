#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardBottomTableViewCell/DetailCardBottomTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>

namespace kerbelin {

namespace {
using Cell = DetailCardBottomTableViewCell;
const auto registration =
    ios::ClassRegistration<Cell, ios::UITableViewCell>().property("viewContent", &Cell::viewContent);
}  // namespace

std::shared_ptr<DetailCardBottomTableViewCell> DetailCardBottomTableViewCell::create() {
  return std::make_shared<DetailCardBottomTableViewCell>();
}

DetailCardBottomTableViewCell::DetailCardBottomTableViewCell() = default;

void DetailCardBottomTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto panel = viewContent.lock()) Common::SetShadowAndcornerRadiusView(*panel, 8);
}

}  // namespace kerbelin
