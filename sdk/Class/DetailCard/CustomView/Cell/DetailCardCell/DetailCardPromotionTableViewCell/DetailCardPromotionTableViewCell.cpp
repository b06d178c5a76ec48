#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardPromotionTableViewCell/DetailCardPromotionTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>

namespace kerbelin {

namespace {
using Cell = DetailCardPromotionTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewContent", &Cell::viewContent)
                              .property("tutorialLabel", &Cell::tutorialLabel)
                              .method("tutorialButtonClicked:", &Cell::tutorialButtonClicked);
}  // namespace

std::shared_ptr<DetailCardPromotionTableViewCell> DetailCardPromotionTableViewCell::create() {
  return std::make_shared<DetailCardPromotionTableViewCell>();
}

DetailCardPromotionTableViewCell::DetailCardPromotionTableViewCell() = default;

void DetailCardPromotionTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto content = viewContent.lock()) Common::SetShadowAndcornerRadiusView(*content, 8);
}

void DetailCardPromotionTableViewCell::tutorialButtonClicked() {
  if (auto host = delegate.lock()) host->tutorialAction();
}

}  // namespace kerbelin
